#include "tools/spell_alphabet.h"

namespace nuvel {

namespace {

void AddSymbol(SpellAlphabet& a, std::uint8_t c) {
  ++a.n;
  a.charCodes[c] = static_cast<std::uint8_t>(a.n);
  a.chars[a.n] = c;
  a.set.set(c);
}

}  // namespace

bool SpellAlphabet::Covers(std::string_view word) const {
  for (char ch : word) {
    if (charCodes[static_cast<std::uint8_t>(ch)] == 0) return false;
  }
  return true;
}

SpellAlphabet BuildEnglishAlphabet() {
  SpellAlphabet a;
  AddSymbol(a, '"');
  AddSymbol(a, '\'');
  AddSymbol(a, '.');
  for (int c = 'A'; c <= 'Z'; ++c) AddSymbol(a, static_cast<std::uint8_t>(c));
  for (int c = 'a'; c <= 'z'; ++c) AddSymbol(a, static_cast<std::uint8_t>(c));
  return a;
}

SpellAlphabet BuildHebrewAlphabet() {
  SpellAlphabet a;
  AddSymbol(a, '"');
  AddSymbol(a, '\'');
  for (int c = 0x80; c <= 0x9A; ++c) AddSymbol(a, static_cast<std::uint8_t>(c));
  return a;
}

}  // namespace nuvel
