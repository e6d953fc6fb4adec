#include "editor/keyboard_layers.h"

#include <array>

#include "core/keyboard_maps.h"

namespace nuvel {
namespace {

using Map = std::array<uint8_t, 256>;

constexpr Map MakePhonetic() {
  Map m{};
  for (int i = 0; i < 256; ++i) m[i] = static_cast<uint8_t>(i);
  struct Entry {
    char key;
    uint8_t byte;
  };
  constexpr Entry entries[] = {
      {'A', 0xC5}, {'B', 0x81}, {'C', 0xEA}, {'E', 0xC4}, {'F', 0xF3}, {'H', 0x84}, {'I', 0xC7},
      {'K', 0x8A}, {'L', 0x8F}, {'M', 0xED}, {'N', 0xEF}, {'O', 0x8D}, {'S', 0xF1}, {'T', 0xE8},
      {'U', 0xCB}, {'V', 0xC9}, {'W', 0x95}, {'X', 0xF5}, {'Z', 0x9A}, {'[', 0xC1}, {']', 0xC3},
      {'^', 0xC2}, {'a', 0xE0}, {'b', 0xE1}, {'c', 0xEA}, {'d', 0xE3}, {'e', 0xC6}, {'f', 0xF4},
      {'g', 0xE2}, {'h', 0xE4}, {'i', 0xC8}, {'j', 0xE7}, {'k', 0x8B}, {'l', 0xEC}, {'m', 0xEE},
      {'n', 0xF0}, {'o', 0xF2}, {'p', 0x94}, {'q', 0xF7}, {'r', 0xF8}, {'s', 0xF9}, {'t', 0xFA},
      {'u', 0xC0}, {'v', 0xE5}, {'w', 0x85}, {'x', 0xF6}, {'y', 0xE9}, {'z', 0xE6},
  };
  for (const Entry& e : entries) m[static_cast<uint8_t>(e.key)] = e.byte;
  return m;
}

constexpr Map kPhonetic = MakePhonetic();

constexpr bool InLetterKeys(uint8_t c) { return c >= 'A' && c <= 'z'; }

uint8_t PhoneticLayer(uint8_t c, bool& dageshState) {
  if (c == 'D') {
    dageshState = !dageshState;
    return c;
  }
  if (!dageshState) return kPhonetic[c];
  dageshState = false;
  if (!InLetterKeys(c)) return 'D';
  // The key's pointed letter moved back to its plain letter; keys whose
  // entry is not a pointed letter land outside the letters and give 'D'.
  const auto plain = static_cast<uint8_t>(kPhonetic[c] + 0x60);
  return plain >= 0xE1 && plain <= 0xFA ? plain : uint8_t{'D'};
}

}  // namespace

char KeytypeLetter(TKeytype type) {
  switch (type) {
    case TKeytype::Hebrew: return 'H';
    case TKeytype::Nikud: return 'N';
    case TKeytype::Phonetic: return 'P';
    case TKeytype::English: break;
  }
  return 'E';
}

TKeytype KeytypeFromLetter(char letter) {
  switch (letter) {
    case 'H': case 'h': return TKeytype::Hebrew;
    case 'N': case 'n': return TKeytype::Nikud;
    case 'P': case 'p': return TKeytype::Phonetic;
    default: return TKeytype::English;
  }
}

uint8_t PhoneticKeyMap(uint8_t c) { return kPhonetic[c]; }

uint8_t TranslateTypedChar(uint8_t c, const TKeyLayers& layers, bool& dageshState) {
  if (layers.KeyType == TKeytype::English) return c;
  if (layers.Phonetic) return PhoneticLayer(c, dageshState);
  return layers.Nikud ? NikudKeyMap(c) : HebKeyMap(c);
}

}  // namespace nuvel
