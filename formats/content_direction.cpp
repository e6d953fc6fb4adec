#include "formats/content_direction.h"

namespace nuvel {
namespace {

enum class Strong : uint8_t { None, Left, Right };

Strong OfWindows1255(uint8_t b) {
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == 0xB5 || b == 0xFD) return Strong::Left;
  // Letters, the maqaf and the other Hebrew signs, and the right-to-left mark.
  if ((b >= 0xE0 && b <= 0xFA) || b == 0xCE || b == 0xD0 || b == 0xD3 || (b >= 0xD4 && b <= 0xD8) || b == 0xFE) {
    return Strong::Right;
  }
  return Strong::None;
}

Strong OfCodePoint(char32_t c) {
  if (c < 0x80) return OfWindows1255(static_cast<uint8_t>(c));
  if (c == 0xAA || c == 0xB5 || c == 0xBA || (c >= 0xC0 && c <= 0x2B8 && c != 0xD7 && c != 0xF7)) return Strong::Left;
  if ((c >= 0x370 && c <= 0x3FF) || (c >= 0x400 && c <= 0x482) || c == 0x200E || (c >= 0xFB00 && c <= 0xFB06)) {
    return Strong::Left;
  }
  if (c == 0x5BE || c == 0x5C0 || c == 0x5C3 || c == 0x5C6 || (c >= 0x5D0 && c <= 0x5F4)) return Strong::Right;
  if ((c >= 0x620 && c <= 0x64A) || (c >= 0x671 && c <= 0x6D3) || c == 0x200F || (c >= 0xFB1D && c <= 0xFDFF)) {
    return Strong::Right;
  }
  return Strong::None;
}

std::optional<bool> Decided(Strong s) {
  if (s == Strong::None) return std::nullopt;
  return s == Strong::Left;
}

}  // namespace

std::optional<bool> EnglishByFirstLetter(std::span<const uint8_t> bytes, TTextForm form) {
  switch (form) {
    case TTextForm::Bytes:
      for (const uint8_t b : bytes) {
        if (const auto d = Decided(OfWindows1255(b))) return d;
      }
      return std::nullopt;
    case TTextForm::Utf8:
    case TTextForm::Utf8Mark:
      for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const std::size_t n = DecodeUtf8(bytes, i, cp);
        if (n == 0) {
          ++i;
          continue;
        }
        if (const auto d = Decided(OfCodePoint(cp))) return d;
        i += n;
      }
      return std::nullopt;
    case TTextForm::Utf16:
    case TTextForm::Utf16Mark:
    case TTextForm::Utf16BigMark: {
      // A surrogate is no letter of these scripts.
      const bool big = form == TTextForm::Utf16BigMark;
      for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = big ? (char32_t{bytes[i]} << 8) | bytes[i + 1] : (char32_t{bytes[i + 1]} << 8) | bytes[i];
        if (const auto d = Decided(OfCodePoint(unit))) return d;
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace nuvel
