#pragma once
// What the conversion between Windows-1255 and the system's set knows of
// single bytes: which ones no table changes, which are points, which points
// may stand between a letter and its dagesh or dot, and which letters have
// a form with dagesh.
#include <cstdint>

namespace nuvel {

// Bytes every conversion table leaves as they are.
constexpr bool PassesThroughTable(uint8_t b) { return b == 0 || b == 9 || (b >= 32 && b <= 127); }

// The points of the system's set.
constexpr bool IsPoint(uint8_t b) { return b >= 0xC0 && b <= 0xD3; }

// Points that may stand between a letter and its dagesh or dot.
constexpr bool IsVowelBetween(uint8_t b) { return (b >= 0xC0 && b <= 0xCB) || b == 0xCD || b == 0xCF; }

// Letters that have a form with dagesh in the set: bet gimel dalet he vav
// zayin tet yod final-kaf kaf lamed mem nun samekh pe tsadi qof shin tav.
constexpr bool HasDageshForm(uint8_t b) {
  switch (b) {
    case 0xE1: case 0xE2: case 0xE3: case 0xE4: case 0xE5: case 0xE6: case 0xE8:
    case 0xE9: case 0xEA: case 0xEB: case 0xEC: case 0xEE: case 0xF0: case 0xF1:
    case 0xF4: case 0xF6: case 0xF7: case 0xF9: case 0xFA:
      return true;
    default:
      return false;
  }
}

}  // namespace nuvel
