#pragma once
// Vowel points (nikud) and the cells they take on the screen. While points
// take no cell ("overstrike"), every point of a letter is drawn on that
// letter's cell, however many of them follow one another; only a run of
// points with no letter on their side takes a cell, one for the whole run.
// The forms that take the overstrike decision as an argument let a caller
// compute it for the line at hand.
#include <cstddef>
#include <cstdint>
#include <span>

namespace nuvel {

// A vowel point as typing sees it: 0xC0-0xCB other than holam 0xC9. A
// point of this kind typed after another replaces it.
constexpr bool IsNikud(uint8_t b) { return b >= 0xC0 && b <= 0xCB && b != 0xC9; }

// A point drawn on its letter's cell: the vowels 0xC0-0xCB (holam too),
// dagesh 0xCC, meteg 0xCD, rafe 0xCF, shin dot 0xD1 and sin dot 0xD2.
// Maqaf 0xCE, paseq 0xD0 and sof pasuq 0xD3 are punctuation with cells of
// their own.
constexpr bool IsLetterPoint(uint8_t b) {
  return (b >= 0xC0 && b <= 0xCD) || b == 0xCF || b == 0xD1 || b == 0xD2;
}

// Where a line keeps a letter's points: after the letter in a line kept in
// reading order (a Hebrew document), before it in a line kept left to right
// (an English document, where a Hebrew word stands reversed).
enum class TPointSide : uint8_t { AfterLetter, BeforeLetter };

// The points' side for a document whose main direction is English or not.
constexpr TPointSide PointSideFor(bool englishMain) {
  return englishMain ? TPointSide::BeforeLetter : TPointSide::AfterLetter;
}

// True when the points of this line take no display cell. Runs of points
// are a letter's points and a run without a letter takes one cell, so
// every line overstrikes; the decision stays per line for the callers that
// draw a line with every byte in a cell of its own.
bool NikudOverstrikeFor(std::span<const uint8_t> line);

// True when byte `i` of `line` takes a display cell. Without `overstrike`
// every byte does. With it a letter point takes none, save the one that
// stands for a run of points with no letter on their side: the line's
// first byte when points follow their letter, its last when they precede
// it.
bool TakesCell(std::span<const uint8_t> line, std::size_t i, bool overstrike, TPointSide side);

// The number of points among the first `upto` bytes of `line` that take
// no cell.
std::size_t CountNikud(std::span<const uint8_t> line, std::size_t upto, bool overstrike, TPointSide side);

// The number of bytes from the start of `text` (at most `limit`) that it
// takes to pass `col` bytes that take a cell, so the byte position of
// display column `col`. `col` itself when `limit` < `col`, or when points
// take a cell of their own (every byte is then one column).
std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col,
                             bool overstrike, TPointSide side);

// The same routines on the shared flag NikudOverstrike: the check sets it for
// the line at hand (and answers it); the others read it.
bool CheckNikudOverstrike(std::span<const uint8_t> line);
std::size_t CountNikud(std::span<const uint8_t> line, std::size_t upto, TPointSide side);
std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col,
                             TPointSide side);

}  // namespace nuvel
