#include "core/conv_mode.h"

#include <charconv>
#include <string>
#include <string_view>

#include "core/settings.h"

namespace nuvel {
namespace {

int& Mode() {
  static int mode = kConvNone;
  return mode;
}

int Running(int mode) { return mode == kConvWord ? kConvCp1255 : mode; }

}  // namespace

int GetConvMode() { return Mode(); }

void SetConvMode(int mode) { Mode() = mode; }

void SaveConvMode(int mode) {
  char text[16];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, mode);
  (void)ec;  // 16 characters always hold an int
  WriteIniString("GENPREFS", "Conversion", std::string_view(text, static_cast<std::size_t>(end - text)));
  Mode() = Running(mode);
}

void LoadConvMode() {
  const std::string value = ReadIniString("GENPREFS", "Conversion");
  int mode = kConvNone;
  const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), mode);
  if (ec != std::errc() || ptr != value.data() + value.size()) mode = kConvNone;
  Mode() = Running(mode);
}

}  // namespace nuvel
