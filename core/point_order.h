#pragma once
// Unicode's canonical order of the Hebrew points, on bytes of the
// Windows-1255 code page (which places the points where the system's set
// does): the vowels before the dagesh, the dagesh before the meteg, the rafe
// and the shin and sin dots. Normalised text from other programs keeps its
// points in this order, so writers of the logical formats give it too.
#include <array>
#include <cstdint>
#include <span>

namespace nuvel {

namespace point_order_detail {

constexpr uint8_t ClassOf(uint8_t b) {
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

inline constexpr std::array<uint8_t, 256> kClasses = [] {
  std::array<uint8_t, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = ClassOf(static_cast<uint8_t>(b));
  return t;
}();

}  // namespace point_order_detail

// The canonical combining class of a Windows-1255 byte; 0 for every byte
// that is not a combining point (letters, maqaf, paseq, sof pasuq, ASCII).
inline uint8_t PointCombiningClass(uint8_t b) { return point_order_detail::kClasses[b]; }

// Sorts every run of points in place by combining class, keeping the order
// of points of equal class.
void PutPointsInCanonicalOrder(std::span<uint8_t> text);

// A shin, a point (0xC0-0xD3) and a holam become the shin, `dot` (the code
// of the sin dot the holam stood for) and the point.
void MoveHolamOfShin(std::span<uint8_t> text, uint8_t dot);

}  // namespace nuvel
