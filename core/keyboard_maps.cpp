#include "core/keyboard_maps.h"

#include <array>

namespace nuvel {
namespace {

using Map = std::array<uint8_t, 256>;

constexpr Map Identity() {
  Map m{};
  for (int i = 0; i < 256; ++i) m[i] = static_cast<uint8_t>(i);
  return m;
}

constexpr Map MakeHebrew() {
  Map m = Identity();
  // a..z: the Hebrew letter on each key ('q' and 'w' carry punctuation).
  constexpr uint8_t letters[26] = {
      0xF9, 0xF0, 0xE1, 0xE2, 0xF7, 0xEB, 0xF2, 0xE9, 0xEF, 0xE7, 0xEC, 0xEA, 0xF6,  // a..m
      0xEE, 0xED, 0xF4, '/',  0xF8, 0xE3, 0xE0, 0xE5, 0xE4, '\'', 0xF1, 0xE8, 0xE6,  // n..z
  };
  for (int i = 0; i < 26; ++i) m['a' + i] = letters[i];
  m['`'] = ';';
  m['\''] = ',';
  m[','] = 0xFA;  // tav
  m['.'] = 0xF5;  // final tsadi
  m['/'] = '.';
  m[';'] = 0xF3;  // final pe
  return m;
}

constexpr Map MakeNikudLayer() {
  Map m = Identity();
  constexpr char shifted[] = ")!@#$%^&*(";  // the shifted digit keys 0..9
  for (int d = 0; d < 10; ++d) m[static_cast<uint8_t>(shifted[d])] = static_cast<uint8_t>('0' + d);
  constexpr uint8_t points[10] = {0xCB, 0xC1, 0xC3, 0xC2, 0xC6, 0xC5, 0xC4, 0xC0, 0xC8, 0xC7};  // '0'..'9'
  for (int d = 0; d < 10; ++d) m['0' + d] = points[d];
  m['='] = 0xC9;  // holam
  m['<'] = 0x9A;  // tav with dagesh
  m['\\'] = '@';
  m['{'] = '(';
  m['|'] = '$';
  m['}'] = ')';
  m['~'] = '!';
  // Capitals: the pointed letters.
  constexpr uint8_t pointed[26] = {
      0x99, 0x90, 0x81, 0x82, 0x97, 0x8B, 0x92, 0x89, 0x8F, 0x87, 0x8C, 0x8A, 0x96,  // A..M
      0x8E, 0x8D, 0x94, 0x93, 0x98, 0x83, 0x9B, 0x85, 0x84, 0x95, 0x91, 0x88, 0x86,  // N..Z
  };
  for (int i = 0; i < 26; ++i) m['A' + i] = pointed[i];
  return m;
}

constexpr Map kHebrew = MakeHebrew();
constexpr Map kNikudLayer = MakeNikudLayer();

}  // namespace

uint8_t HebKeyMap(uint8_t c) { return kHebrew[c]; }

uint8_t NikudKeyMap(uint8_t c) { return kNikudLayer[kHebrew[c]]; }

}  // namespace nuvel
