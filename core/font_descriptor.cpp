#include "core/font_descriptor.h"

#include <charconv>

namespace nuvel {
namespace {

// Whole text as a decimal integer, nothing when it is not one.
std::optional<int> ParseDecimal(std::string_view text) {
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first == last) return std::nullopt;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

}  // namespace

std::string FontStylesToStr(FontStyles styles) { return std::to_string(styles.Bits); }

FontStyles IntToFontStyles(int number) {
  return FontStyles{static_cast<uint8_t>(number & FontStyles::All)};
}

std::string FormatFontDescriptor(const FontDescriptor& font) {
  return font.Name + "~" + std::to_string(font.Size) + "~" + FontStylesToStr(font.Style);
}

std::optional<FontDescriptor> ParseFontDescriptor(std::string_view text) {
  const size_t first = text.find('~');
  if (first == std::string_view::npos || first == 0) return std::nullopt;
  const size_t second = text.find('~', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto size = ParseDecimal(text.substr(first + 1, second - first - 1));
  const auto style = ParseDecimal(text.substr(second + 1, 2));
  if (!size || *size <= 0 || !style || *style < 0) return std::nullopt;
  return FontDescriptor{std::string(text.substr(0, first)), *size, IntToFontStyles(*style)};
}

FontDescriptor ParseFontDescriptorOr(std::string_view text, const FontDescriptor& fallback) {
  auto parsed = ParseFontDescriptor(text);
  return parsed ? *parsed : fallback;
}

}  // namespace nuvel
