#pragma once
// The glyph codes of the program's own fonts: the DOS bitmap font keeps its
// Hebrew letters and points at ASCII places, the TrueType screen fonts keep
// the precomposed pointed letters at ASCII letters.
#include <cstdint>
#include <span>

namespace nuvel {

// Glyph code of one byte in the DOS bitmap font.
uint8_t DosFontGlyph(uint8_t b);
// Glyph code of one byte in the TrueType screen fonts.
uint8_t ScreenFontGlyph(uint8_t b);

// Rewrites the buffer in place up to its first zero byte (or its end).
void MapToDosFontGlyphs(std::span<uint8_t> buf);
// Rewrites every byte of the buffer in place.
void MapToScreenFontGlyphs(std::span<uint8_t> buf);

}  // namespace nuvel
