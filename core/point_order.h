#pragma once
// Unicode's canonical order of the Hebrew points, on bytes of the
// Windows-1255 code page (which places the points where the system's set
// does): the vowels before the dagesh, the dagesh before the meteg, the rafe
// and the shin and sin dots. Normalised text from other programs keeps its
// points in this order, so writers of the logical formats give it too.
#include <cstdint>
#include <span>

namespace nuvel {

// The canonical combining class of a Windows-1255 byte; 0 for every byte
// that is not a combining point (letters, maqaf, paseq, sof pasuq, ASCII).
uint8_t PointCombiningClass(uint8_t b);

// Sorts every run of points in place by combining class, keeping the order
// of points of equal class.
void PutPointsInCanonicalOrder(std::span<uint8_t> text);

// A shin, a point (0xC0-0xD3) and a holam become the shin, `dot` (the code
// of the sin dot the holam stood for) and the point.
void MoveHolamOfShin(std::span<uint8_t> text, uint8_t dot);

}  // namespace nuvel
