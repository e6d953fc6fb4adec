#include "core/conv_buffer.h"

#include <span>
#include <type_traits>

#include "core/conv_guard.h"
#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/shared_state.h"

namespace nuvel {
namespace {

template <typename Bytes>
void ConvertWhole(Bytes& text) {
  if (NoConversion) return;
  ConvStateGuard keep;
  if (ForceCP1255) SetConvMode(kConvCp1255);
  const ConvSettings settings = CurrentConvSettings();
  if (!ModeConvertsBytes(settings.mode) || settings.table == nullptr) return;
  const std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(text.data()), text.size());
  if (const auto size = ConvertBytesInPlace(settings, bytes)) {
    text.resize(*size);
    return;
  }
  const std::span<const uint8_t> in(bytes);
  std::vector<uint8_t> out;
  ConvertBytes(settings, in, out);
  if constexpr (std::is_same_v<Bytes, std::vector<uint8_t>>) {
    text.swap(out);
  } else {
    text.assign(out.begin(), out.end());
  }
}

}  // namespace

ConvSettings CurrentConvSettings() {
  ConvSettings s;
  s.mode = GetConvMode();
  s.table = ConvTable;
  s.out = ConvTableOut;
  s.shin_dot = ShinDotCode;
  s.sin_dot = SinDotCode;
  return s;
}

ConvSettings PreparedConvSettings(bool out, std::unique_ptr<ConvTableBytes>& table) {
  PrepareConvTable(out, table);
  ConvSettings s = CurrentConvSettings();
  s.table = table->data();
  s.out = out;
  return s;
}

void ConvertBuffer(std::vector<uint8_t>& text) { ConvertWhole(text); }

void ConvertBuffer(std::string& text) { ConvertWhole(text); }

std::size_t ConvertCharByMode(std::vector<uint8_t>& buf, std::size_t pos, std::optional<char16_t>* wide) {
  return ConvertCharAt(CurrentConvSettings(), buf, pos, wide);
}

}  // namespace nuvel
