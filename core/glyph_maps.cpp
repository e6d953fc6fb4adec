#include "core/glyph_maps.h"

namespace nuvel {

uint8_t DosFontGlyph(uint8_t b) {
  if (b >= 0xE0 && b <= 0xF9) return static_cast<uint8_t>('a' + (b - 0xE0));
  if (b == 0xFA) return 'A';
  if (b >= 0x81 && b <= 0x9A) return static_cast<uint8_t>(0x42 + (b - 0x81));
  switch (b) {
    case 0xFB: return '\\';
    case 0x9B: return '\\';
    case 0xC0: return ';';
    case 0xC1: return '$';
    case 0xC2: return '*';
    case 0xC3: return '&';
    case 0xC4: return '>';
    case 0xC5: return '<';
    case 0xC6: return '-';
    case 0xC7: return '`';
    case 0xC8: return '^';
    case 0xC9: return '~';
    case 0xCB: return '}';
    case 0xD2: return '~';
    default: return b;
  }
}

uint8_t ScreenFontGlyph(uint8_t b) {
  // Glyphs of the pointed letters 0x81..0x9B, in byte order.
  static constexpr char kPointed[] = "abcdefChijklBnGpqEHtLvwMOzN";
  static_assert(sizeof(kPointed) - 1 == 0x9B - 0x81 + 1);
  if (b >= 0x81 && b <= 0x9B) return static_cast<uint8_t>(kPointed[b - 0x81]);
  return b;
}

void MapToDosFontGlyphs(std::span<uint8_t> buf) {
  for (uint8_t& b : buf) {
    if (b == 0) break;
    b = DosFontGlyph(b);
  }
}

void MapToScreenFontGlyphs(std::span<uint8_t> buf) {
  for (uint8_t& b : buf) b = ScreenFontGlyph(b);
}

}  // namespace nuvel
