#pragma once
// Which byte goes into which cell of the grid, in which of the four fonts,
// with which vowel points drawn on it. Pure code: the painters draw the plan.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/font_index.h"

namespace nuvel {

struct PlannedCell {
  // False for the extra cell after the last character, which carries only
  // the points that followed it.
  bool HasChar = true;
  uint8_t Byte = 0;
  // 1..4 as in the font index; 0 when the index held anything else (the
  // cell then draws nothing).
  uint8_t Font = 0;
  // Vowel points drawn on this cell, in text order.
  std::vector<uint8_t> Points;

  friend bool operator==(const PlannedCell&, const PlannedCell&) = default;
};

struct CellPlan {
  std::vector<PlannedCell> Cells;
  // Cells that hold characters; an extra points-only cell follows them when
  // the text ended with points.
  size_t CharCells = 0;
  // Positions (in Cells) whose font index entry was unknown.
  std::vector<size_t> BadFontCells;
};

// Plans `text` (in display order, left to right) with `index` built for it
// (entry i+1 is the font of byte i; missing entries count as unknown). When
// `overstrike` is set, vowel points take no cell: each is drawn on the cell
// of the character that follows it. Otherwise every byte has its own cell.
CellPlan PlanLineCells(std::span<const uint8_t> text, const FontIndex& index, bool overstrike);

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
