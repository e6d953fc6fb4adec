#pragma once
// The per-character font index of a line on the cell grid: entry 0 is 2,
// entry i+1 holds the font of character i: 1 the English font, 2 the Hebrew
// font, 3 the DOS bitmap font, 4 the DOS bitmap font in bold.
#include <cstdint>
#include <span>
#include <vector>

namespace nuvel {

inline constexpr uint8_t kEnglishFontIndex = 1;
inline constexpr uint8_t kHebrewFontIndex = 2;
inline constexpr uint8_t kDosFontIndex = 3;
inline constexpr uint8_t kDosBoldFontIndex = 4;

// The buffer grows with the line it is built for, so lines of any length
// (wide rows, printed lines) fit.
using FontIndex = std::vector<uint8_t>;

// A fresh index whose first four entries are 1.
FontIndex AllocFontIndex();
// Releases the index's storage.
void FreeFontIndex(FontIndex& index);

// Fills entries 0..text.size() of `index` (resizing it to text.size() + 1):
// a control character 1..31 takes the DOS font (bold when `bold`); the
// English set takes the English font, every other byte the Hebrew font. For
// a left-to-right line the English set is the Latin letters, the joining
// punctuation and digits, and the blank; for a right-to-left line it is the
// Latin letters and the joining set without the number marks, so digits,
// number marks and blanks of a Hebrew line take the Hebrew font.
void BuildFontIndex(std::span<const uint8_t> text, FontIndex& index, bool leftToRight, bool bold);

}  // namespace nuvel
