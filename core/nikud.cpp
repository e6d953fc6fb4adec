#include "core/nikud.h"

#include <algorithm>

#include "core/shared_state.h"

namespace nuvel {

bool NikudOverstrikeFor(std::span<const uint8_t> /*line*/) { return true; }

bool TakesCell(std::span<const uint8_t> line, std::size_t i, bool overstrike, TPointSide side) {
  if (i >= line.size()) return false;
  if (!overstrike || !IsLetterPoint(line[i])) return true;
  // A point with no letter on its side stands for the run it ends.
  return side == TPointSide::AfterLetter ? i == 0 : i + 1 == line.size();
}

std::size_t CountNikud(std::span<const uint8_t> line, std::size_t upto, bool overstrike, TPointSide side) {
  if (!overstrike) return 0;
  upto = std::min(upto, line.size());
  std::size_t points = 0;
  for (std::size_t i = 0; i < upto; ++i) points += IsLetterPoint(line[i]) ? 1 : 0;
  // The point that stands for a run without a letter takes a cell.
  if (points > 0) {
    const std::size_t own = side == TPointSide::AfterLetter ? 0 : line.size() - 1;
    if (own < upto && IsLetterPoint(line[own])) --points;
  }
  return points;
}

std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col,
                             bool overstrike, TPointSide side) {
  if (limit < col) return col;
  if (limit == 0) return 0;
  if (!overstrike) return col;
  const std::size_t end = std::min(limit, text.size());
  std::size_t passed = 0;
  std::size_t i = 0;
  while (i < end && passed < col) {
    if (TakesCell(text, i, overstrike, side)) ++passed;
    ++i;
  }
  // Bytes past the text that the limit still allows count as plain cells.
  if (passed < col) i = std::min(limit, i + (col - passed));
  return i;
}

bool CheckNikudOverstrike(std::span<const uint8_t> line) {
  NikudOverstrike = NikudOverstrikeFor(line);
  return NikudOverstrike;
}

std::size_t CountNikud(std::span<const uint8_t> line, std::size_t upto, TPointSide side) {
  return CountNikud(line, upto, NikudOverstrike, side);
}

std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col,
                             TPointSide side) {
  return ColumnToNikudPos(text, limit, col, NikudOverstrike, side);
}

}  // namespace nuvel
