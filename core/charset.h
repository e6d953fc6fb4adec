#pragma once
// The system's own 8-bit character set and its mapping to UTF-16.
//
//   0x00-0x7F  ASCII (0x14 the DOS paragraph mark, 0x09 tab)
//   0x80       an ordinary byte (U+0080)
//   0x81-0x9B  precomposed pointed letters of the system's own (see below)
//   0xC0-0xD3  Hebrew points and marks at their Windows-1255 places
//   0xD4-0xD6  Yiddish ligatures
//   0xE0-0xFA  Hebrew letters alef .. tav (Windows-1255)
//   0xFD, 0xFE left-to-right and right-to-left marks
//   other      as Latin-1, except 0xA4, the new sheqel sign
#include <array>
#include <cstdint>
#include <span>

namespace nuvel {

// One UTF-16 code per byte of the system's set.
extern const std::array<char16_t, 256> HebUnicodeTable;

// The byte whose HebUnicodeTable entry is `code`, the exact inverse of the
// table over its image; 0 for every other code.
uint8_t UnicodeToHebChar(char16_t code);

// Writes one UTF-16 code per source byte; `dst` must hold at least as many
// units as `src` has bytes (only that many are written).
void HebToWideBuffer(std::span<const uint8_t> src, std::span<char16_t> dst);
// Writes one byte per UTF-16 unit (UnicodeToHebChar); `dst` must hold at least
// as many bytes as `src` has units.
void WideToHebBuffer(std::span<const char16_t> src, std::span<uint8_t> dst);

// Pointed letters 0x81-0x9B: the letter and points each stands for, in
// writing order (letter first). Empty for any other byte.
constexpr bool IsPointedLetter(uint8_t b) { return b >= 0x81 && b <= 0x9B; }
std::span<const uint8_t> PointedLetterParts(uint8_t b);

// The paragraph mark: ends a paragraph's last line in the system's DOS
// format and marks where Reformat Paragraph stops.
inline constexpr uint8_t kParagraphMark = 20;

// Points and letters the conversion works with.
inline constexpr uint8_t kSheva = 0xC0;
inline constexpr uint8_t kQamats = 0xC8;
inline constexpr uint8_t kHolam = 0xC9;
inline constexpr uint8_t kDagesh = 0xCC;
inline constexpr uint8_t kShinDot = 0xD1;
inline constexpr uint8_t kSinDot = 0xD2;
inline constexpr uint8_t kVav = 0xE5;
inline constexpr uint8_t kFinalKaf = 0xEA;
inline constexpr uint8_t kLamed = 0xEC;
inline constexpr uint8_t kShin = 0xF9;

}  // namespace nuvel
