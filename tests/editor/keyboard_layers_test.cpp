#include "editor/keyboard_layers.h"

#include <gtest/gtest.h>

#include <map>
#include <string_view>
#include <vector>

#include "core/keyboard_maps.h"

namespace nuvel {
namespace {

TKeyLayers Layers(TKeytype type, bool phonetic, bool nikud) { return {type, phonetic, nikud}; }

TEST(KeyboardLayers, EnglishSwitchesEveryLayerOff) {
  for (bool ph : {false, true}) {
    for (bool ov : {false, true}) {
      bool dagesh = true;
      for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(TranslateTypedChar(static_cast<uint8_t>(c), Layers(TKeytype::English, ph, ov), dagesh), c);
      }
      EXPECT_TRUE(dagesh) << "the latch is left alone in English";
    }
  }
}

TEST(KeyboardLayers, HebrewAndNikudLayersAreTheTextRoutinesMaps) {
  // The keyboard type only switches English off; the flags choose the layer.
  for (TKeytype type : {TKeytype::Hebrew, TKeytype::Nikud, TKeytype::Phonetic}) {
    for (int c = 0; c < 256; ++c) {
      bool dagesh = false;
      const auto b = static_cast<uint8_t>(c);
      EXPECT_EQ(TranslateTypedChar(b, Layers(type, false, false), dagesh), HebKeyMap(b)) << c;
      EXPECT_EQ(TranslateTypedChar(b, Layers(type, false, true), dagesh), NikudKeyMap(b)) << c;
      EXPECT_FALSE(dagesh);
    }
  }
  bool dagesh = false;
  const TKeyLayers nikud = Layers(TKeytype::Nikud, false, true);
  EXPECT_EQ(TranslateTypedChar('t', nikud, dagesh), 0xE0);  // alef through the Hebrew layer
  EXPECT_EQ(TranslateTypedChar('7', nikud, dagesh), 0xC0);  // sheva
  EXPECT_EQ(TranslateTypedChar('A', nikud, dagesh), 0x99);  // shin with its point
  EXPECT_EQ(TranslateTypedChar('T', nikud, dagesh), 0x9B);
  EXPECT_EQ(TranslateTypedChar('A', Layers(TKeytype::Hebrew, false, false), dagesh), 'A');
}

// The phonetic keys as the keyboard card lists them.
const std::map<uint8_t, uint8_t>& PhoneticCard() {
  static const std::map<uint8_t, uint8_t> card = {
      {'A', 0xC5}, {'B', 0x81}, {'C', 0xEA}, {'E', 0xC4}, {'F', 0xF3}, {'H', 0x84}, {'I', 0xC7},
      {'K', 0x8A}, {'L', 0x8F}, {'M', 0xED}, {'N', 0xEF}, {'O', 0x8D}, {'S', 0xF1}, {'T', 0xE8},
      {'U', 0xCB}, {'V', 0xC9}, {'W', 0x95}, {'X', 0xF5}, {'Z', 0x9A}, {'[', 0xC1}, {']', 0xC3},
      {'^', 0xC2}, {'a', 0xE0}, {'b', 0xE1}, {'c', 0xEA}, {'d', 0xE3}, {'e', 0xC6}, {'f', 0xF4},
      {'g', 0xE2}, {'h', 0xE4}, {'i', 0xC8}, {'j', 0xE7}, {'k', 0x8B}, {'l', 0xEC}, {'m', 0xEE},
      {'n', 0xF0}, {'o', 0xF2}, {'p', 0x94}, {'q', 0xF7}, {'r', 0xF8}, {'s', 0xF9}, {'t', 0xFA},
      {'u', 0xC0}, {'v', 0xE5}, {'w', 0x85}, {'x', 0xF6}, {'y', 0xE9}, {'z', 0xE6}};
  return card;
}

TEST(KeyboardLayers, PhoneticLayerOverAllBytes) {
  const TKeyLayers phonetic = Layers(TKeytype::Phonetic, true, true);  // takes precedence over nikud
  for (int c = 0; c < 256; ++c) {
    if (c == 'D') continue;
    const auto b = static_cast<uint8_t>(c);
    const auto it = PhoneticCard().find(b);
    const uint8_t expected = it == PhoneticCard().end() ? b : it->second;
    bool dagesh = false;
    EXPECT_EQ(TranslateTypedChar(b, phonetic, dagesh), expected) << c;
    EXPECT_EQ(PhoneticKeyMap(b), expected) << c;
    EXPECT_FALSE(dagesh);
  }
}

TEST(KeyboardLayers, DageshLatch) {
  const TKeyLayers phonetic = Layers(TKeytype::Hebrew, true, false);
  struct Case {
    std::string_view keys;
    std::vector<uint8_t> typed;
    bool latchAfter;
  };
  const Case cases[] = {
      {"Dk", {'D', 0xEB}, false},         // pointed kaf loses its dagesh
      {"Da", {'D', 'D'}, false},          // alef has no dagesh form: 'D'
      {"DD", {'D', 'D'}, false},          // the second 'D' toggles the latch off again
      {"D", {'D'}, true},                 // the latch waits for the next key
      {"DB", {'D', 0xE1}, false},         // bet with dagesh becomes bet
      {"DLk", {'D', 0xEF, 0x8B}, false},  // only the key after 'D' is affected
      {"D11", {'D', 'D', '1'}, false},    // a key outside the letters gives 'D'
  };
  for (const Case& c : cases) {
    bool dagesh = false;
    std::vector<uint8_t> out;
    for (char k : c.keys) out.push_back(TranslateTypedChar(static_cast<uint8_t>(k), phonetic, dagesh));
    EXPECT_EQ(out, c.typed) << c.keys;
    EXPECT_EQ(dagesh, c.latchAfter) << c.keys;
  }
  // Every key with a pointed letter gives its plain letter after 'D'.
  const std::pair<char, uint8_t> plain[] = {{'B', 0xE1}, {'H', 0xE4}, {'K', 0xEA}, {'L', 0xEF}, {'O', 0xED},
                                            {'W', 0xF5}, {'Z', 0xFA}, {'k', 0xEB}, {'p', 0xF4}, {'w', 0xE5}};
  for (auto [key, letter] : plain) {
    bool dagesh = true;
    EXPECT_EQ(TranslateTypedChar(static_cast<uint8_t>(key), phonetic, dagesh), letter) << key;
  }
  int letters = 0;
  for (int c = 'A'; c <= 'z'; ++c) {
    bool dagesh = true;
    if (c != 'D' && TranslateTypedChar(static_cast<uint8_t>(c), phonetic, dagesh) != 'D') ++letters;
  }
  EXPECT_EQ(letters, 10) << "only the ten pointed-letter keys escape 'D'";
}

TEST(KeyboardLayers, KeytypeLetters) {
  const std::pair<TKeytype, char> cases[] = {
      {TKeytype::English, 'E'}, {TKeytype::Hebrew, 'H'}, {TKeytype::Nikud, 'N'}, {TKeytype::Phonetic, 'P'}};
  for (auto [type, letter] : cases) {
    EXPECT_EQ(KeytypeLetter(type), letter);
    EXPECT_EQ(KeytypeFromLetter(letter), type);
    EXPECT_EQ(KeytypeFromLetter(static_cast<char>(letter + 32)), type);
  }
  EXPECT_EQ(KeytypeFromLetter('X'), TKeytype::English);
  EXPECT_EQ(KeytypeFromLetter('\0'), TKeytype::English);
}

}  // namespace
}  // namespace nuvel
