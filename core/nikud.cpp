#include "core/nikud.h"

#include <algorithm>

#include "core/shared_state.h"

namespace nuvel {

bool NikudOverstrikeFor(std::span<const uint8_t> line) {
  if (line.empty()) return true;
  if (IsNikud(line[0])) return false;
  for (std::size_t i = 1; i + 1 < line.size(); ++i) {
    if (IsNikud(line[i]) && IsNikud(line[i + 1])) return false;
  }
  return true;
}

std::size_t CountNikud(std::span<const uint8_t> text, bool overstrike) {
  if (!overstrike) return 0;
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](uint8_t b) { return IsNikud(b); }));
}

std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col,
                             bool overstrike) {
  if (limit < col) return col;
  if (limit == 0) return 0;
  if (!overstrike) return col;
  const std::size_t end = std::min(limit, text.size());
  std::size_t passed = 0;
  std::size_t i = 0;
  while (i < end && passed < col) {
    if (!IsNikud(text[i])) ++passed;
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

std::size_t CountNikud(std::span<const uint8_t> text) { return CountNikud(text, NikudOverstrike); }

std::size_t ColumnToNikudPos(std::span<const uint8_t> text, std::size_t limit, std::size_t col) {
  return ColumnToNikudPos(text, limit, col, NikudOverstrike);
}

}  // namespace nuvel
