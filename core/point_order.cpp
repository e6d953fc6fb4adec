#include "core/point_order.h"

#include <array>
#include <cstring>

namespace nuvel {

namespace {

constexpr const std::array<uint8_t, 256>& kClasses = point_order_detail::kClasses;

}  // namespace

void PutPointsInCanonicalOrder(std::span<uint8_t> text) {
  uint8_t* p = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    if (kClasses[p[i]] == 0) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < n && kClasses[p[end]] != 0) ++end;
    // Runs are a few points long: an insertion sort, which keeps the order
    // of points of equal class.
    for (std::size_t j = i + 1; j < end; ++j) {
      const uint8_t b = p[j];
      const uint8_t c = kClasses[b];
      std::size_t k = j;
      while (k > i && kClasses[p[k - 1]] > c) {
        p[k] = p[k - 1];
        --k;
      }
      p[k] = b;
    }
    i = end;
  }
}

// No change makes or unmakes another match (neither the dot nor a point is
// a shin), so each holam is looked at once, found by memchr.
void MoveHolamOfShin(std::span<uint8_t> text, uint8_t dot) {
  if (text.size() < 3) return;
  uint8_t* const begin = text.data();
  uint8_t* const end = begin + text.size();
  uint8_t* h = begin + 2;
  while (h < end) {
    h = static_cast<uint8_t*>(std::memchr(h, 0xC9, static_cast<std::size_t>(end - h)));  // holam
    if (h == nullptr) break;
    if (h[-2] == 0xF9 && h[-1] >= 0xC0 && h[-1] <= 0xD3) {  // shin, point
      h[0] = h[-1];
      h[-1] = dot;
    }
    ++h;
  }
}

}  // namespace nuvel
