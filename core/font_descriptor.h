#pragma once
// The text form of a font as the settings keep it: "name~size~style", where
// style is the decimal sum of 1 bold, 2 italic, 4 underline, 8 strike-out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nuvel {

// A set of font styles, one bit each.
struct FontStyles {
  static constexpr uint8_t Bold = 1;
  static constexpr uint8_t Italic = 2;
  static constexpr uint8_t Underline = 4;
  static constexpr uint8_t StrikeOut = 8;
  static constexpr uint8_t All = Bold | Italic | Underline | StrikeOut;

  uint8_t Bits = 0;

  bool Has(uint8_t bit) const { return (Bits & bit) != 0; }
  friend bool operator==(FontStyles, FontStyles) = default;
};

// Decimal text of the style number.
std::string FontStylesToStr(FontStyles styles);
// Style set from its number; bits other than the four styles are ignored.
FontStyles IntToFontStyles(int number);

// Name, size in points and style of one font.
struct FontDescriptor {
  std::string Name;
  int Size = 0;
  FontStyles Style;

  friend bool operator==(const FontDescriptor&, const FontDescriptor&) = default;
};

// name + "~" + size + "~" + style number.
std::string FormatFontDescriptor(const FontDescriptor& font);

// Parses "name~size~style": the name runs to the first "~", the size to the
// next, the style is the (at most two) characters after it, in decimal.
// Answers nothing when the text is not of that form (no two "~", an empty
// name, a size or style that is no number, a size that is not positive).
std::optional<FontDescriptor> ParseFontDescriptor(std::string_view text);

// ParseFontDescriptor, with `fallback` for a malformed text.
FontDescriptor ParseFontDescriptorOr(std::string_view text, const FontDescriptor& fallback);

}  // namespace nuvel
