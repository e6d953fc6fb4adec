#pragma once
// The alphabets of the main spell dictionaries. A letter's code is its place
// in the alphabet, from 1; 0 means the character is not in the alphabet.
//   English (55): '"', '\'', '.', 'A'..'Z', 'a'..'z'
//   Hebrew  (29): '"', '\'', 0x80..0x9A (alef..tav with the final forms, in
//                 the DOS Hebrew code page 862 the dictionary is stored in)
// The symbols of both alphabets ascend in byte order, so words sorted by their
// bytes are also sorted by their codes.
#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>

namespace nuvel {

struct SpellAlphabet {
  int n = 0;
  std::array<std::uint8_t, 256> charCodes{};  // character -> code (0 outside)
  std::array<std::uint8_t, 64> chars{};       // code -> character (index 0 unused)
  std::bitset<256> set;                       // the alphabet's characters

  std::uint8_t Code(std::uint8_t c) const { return charCodes[c]; }
  // Whether every byte of `word` is in the alphabet.
  bool Covers(std::string_view word) const;
};

SpellAlphabet BuildEnglishAlphabet();
SpellAlphabet BuildHebrewAlphabet();

// The Hebrew dictionary code of a Windows-1255 letter (0xE0..0xFA) is the
// letter less 0x60; quotes are the same in both.
inline constexpr std::uint8_t kHebrewDicOffset = 0x60;

}  // namespace nuvel
