#pragma once
// Vowel points (nikud) and the cells they take on the screen. Whether points
// take no cell ("overstrike") is decided per line: they do not when the line
// starts with a point or holds two points in a row. The forms that take the
// decision as an argument let a caller compute it for the line at hand.
#include <cstddef>
#include <cstdint>
#include <span>

namespace nuvel {

// A vowel point for display purposes: 0xC0-0xCB other than holam 0xC9.
constexpr bool IsNikud(uint8_t b) { return b >= 0xC0 && b <= 0xCB && b != 0xC9; }

// True when the points of this line take no display cell: False when the line
// starts with a point or two points stand next to each other.
bool NikudOverstrikeFor(std::span<const uint8_t> line);

// The number of points among the bytes of `text` when `overstrike` is set;
// 0 otherwise.
std::size_t CountNikud(std::span<const uint8_t> text, bool overstrike);

// The number of bytes from the start of `text` (at most `limit`) that it takes
// to pass `col` bytes that are not points, so the byte position of display
// column `col`. `col` itself when `limit` < `col`, or when points take a cell
// of their own (every byte is then one column).
std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col,
                             bool overstrike);

// The same routines on the shared flag NikudOverstrike: the check sets it for
// the line at hand (and answers it); the others read it.
bool CheckNikudOverstrike(std::span<const uint8_t> line);
std::size_t CountNikud(std::span<const uint8_t> text);
std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col);

}  // namespace nuvel
