#pragma once
// Which byte goes into which cell of the grid, in which of the four fonts,
// with which vowel points drawn on it. Pure code: the painters draw the plan.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/font_index.h"

namespace nuvel {

// How wide the Hebrew screen font draws each byte's glyph, in pixels: the
// byte as CellCluster draws it alone, and the no-break space that carries
// points drawn without their letter. 0 where unknown: such a cell is drawn
// from its left edge.
struct HebrewAdvances {
  std::array<int16_t, 256> Byte{};
  int16_t PointCarrier = 0;
};

struct PlannedCell {
  // False for the cell of a run of points with no letter to carry them (the
  // last in display order), which draws only the points.
  bool HasChar = true;
  uint8_t Byte = 0;
  // 1..4 as in the font index; 0 when the index held anything else (the
  // cell then draws nothing).
  uint8_t Font = 0;
  // Points drawn on this cell, in the order they were written (the
  // reverse of the display order they came in).
  std::vector<uint8_t> Points;
  // Pixels from the cell's left edge to where its Hebrew-font drawing
  // starts (the letter with its points, or the points alone): a glyph
  // narrower than the cell is centred in it. Other fonts draw from the edge.
  int Offset = 0;

  friend bool operator==(const PlannedCell&, const PlannedCell&) = default;
};

struct CellPlan {
  std::vector<PlannedCell> Cells;
  // Cells that hold characters; a points-only cell follows them when the
  // text ended with points. It takes a cell of the grid like the others.
  size_t CharCells = 0;
  // Positions (in Cells) whose font index entry was unknown.
  std::vector<size_t> BadFontCells;
};

// Plans `text` (in display order, left to right) with `index` built for it
// (entry i+1 is the font of byte i; missing entries count as unknown). When
// `overstrike` is set, a letter's points (IsLetterPoint) take no cell: every
// point of a run is drawn on the cell of the character that follows the
// run, a run at the end on a cell of its own. Otherwise every byte has its
// own cell. With `advances` (may be null) and the cell width, each Hebrew
// glyph narrower than the cell is centred in it.
CellPlan PlanLineCells(std::span<const uint8_t> text, const FontIndex& index, bool overstrike,
                       const HebrewAdvances* advances = nullptr, int cellWidth = 0);

// Where a glyph `advance` pixels wide starts in a cell `cellWidth` wide: its
// centre on the cell's; 0 for an unknown advance or one not narrower.
int CentringOffset(int advance, int cellWidth);

// The text drawn in one cell, in UTF-16: the byte through the system's
// Unicode table, a control byte 1..31 as its DOS symbol, a pointed letter
// without a code point of its own as its letter and points, a lone mark on
// a no-break space; `points` follow as combining marks, so the letter and
// its points are shaped as one cluster. Empty when nothing is to be drawn.
std::u16string CellCluster(uint8_t b, std::span<const uint8_t> points);
// Only the points, on a no-break space, for a cell whose character is drawn
// in another font (or has none).
std::u16string PointsCluster(std::span<const uint8_t> points);

}  // namespace nuvel
