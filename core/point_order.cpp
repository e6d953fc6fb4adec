#include "core/point_order.h"

#include <algorithm>

namespace nuvel {

uint8_t PointCombiningClass(uint8_t b) {
  if (b >= 0xC0 && b <= 0xC9) return static_cast<uint8_t>(10 + (b - 0xC0));  // sheva .. holam
  switch (b) {
    case 0xCA: return 19;  // holam haser for vav
    case 0xCB: return 20;  // qubuts
    case 0xCC: return 21;  // dagesh
    case 0xCD: return 22;  // meteg
    case 0xCF: return 23;  // rafe
    case 0xD1: return 24;  // shin dot
    case 0xD2: return 25;  // sin dot
    default: return 0;
  }
}

void PutPointsInCanonicalOrder(std::span<uint8_t> text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (PointCombiningClass(text[i]) == 0) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && PointCombiningClass(text[end]) != 0) ++end;
    if (end - i > 1) {
      std::stable_sort(text.begin() + static_cast<std::ptrdiff_t>(i), text.begin() + static_cast<std::ptrdiff_t>(end),
                       [](uint8_t a, uint8_t b) { return PointCombiningClass(a) < PointCombiningClass(b); });
    }
    i = end;
  }
}

}  // namespace nuvel
