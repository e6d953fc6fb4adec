#include "core/keyboard_maps.h"

#include <gtest/gtest.h>

#include <string_view>

namespace nuvel {
namespace {

TEST(HebKeyMap, StandardIsraeliLayout) {
  // The letters on a..z, in alphabet order.
  constexpr uint8_t expected[26] = {0xF9, 0xF0, 0xE1, 0xE2, 0xF7, 0xEB, 0xF2, 0xE9, 0xEF,
                                    0xE7, 0xEC, 0xEA, 0xF6, 0xEE, 0xED, 0xF4, '/',  0xF8,
                                    0xE3, 0xE0, 0xE5, 0xE4, '\'', 0xF1, 0xE8, 0xE6};
  for (int i = 0; i < 26; ++i) EXPECT_EQ(HebKeyMap(static_cast<uint8_t>('a' + i)), expected[i]) << char('a' + i);
  const std::pair<uint8_t, uint8_t> punctuation[] = {
      {'`', ';'}, {'\'', ','}, {',', 0xFA}, {'.', 0xF5}, {'/', '.'}, {';', 0xF3}};
  for (auto [key, out] : punctuation) EXPECT_EQ(HebKeyMap(key), out) << key;
  for (int unchanged : {int('A'), int('Z'), int('1'), int(' '), int('='), int('['), 0xE0, 0x81})
    EXPECT_EQ(HebKeyMap(static_cast<uint8_t>(unchanged)), unchanged);
}

TEST(NikudKeyMap, LayerOverTheHebrewLayout) {
  const std::pair<uint8_t, uint8_t> cases[] = {
      // Digits become points; shifted digits become digits.
      {'1', 0xC1}, {'2', 0xC3}, {'3', 0xC2}, {'4', 0xC6}, {'5', 0xC5}, {'6', 0xC4},
      {'7', 0xC0}, {'8', 0xC8}, {'9', 0xC7}, {'0', 0xCB},
      {'!', '1'}, {'@', '2'}, {'#', '3'}, {'$', '4'}, {'%', '5'}, {'^', '6'},
      {'&', '7'}, {'*', '8'}, {'(', '9'}, {')', '0'},
      {'=', 0xC9}, {'<', 0x9A}, {'\\', '@'}, {'{', '('}, {'|', '$'}, {'}', ')'}, {'~', '!'},
      // Capitals become pointed letters.
      {'A', 0x99}, {'C', 0x81}, {'I', 0x8F}, {'Q', 0x93}, {'T', 0x9B}, {'Z', 0x86},
      // The Hebrew layout applies first and only once.
      {'a', 0xF9}, {'q', '/'}, {'`', ';'}, {'/', '.'},
      {'-', '-'}, {' ', ' '},
  };
  for (auto [key, out] : cases) EXPECT_EQ(NikudKeyMap(key), out) << key;
}

TEST(NikudKeyMap, EveryCapitalGivesADistinctPointedLetter) {
  bool seen[256] = {};
  for (uint8_t c = 'A'; c <= 'Z'; ++c) {
    const uint8_t out = NikudKeyMap(c);
    EXPECT_TRUE(out >= 0x81 && out <= 0x9B) << c;
    EXPECT_FALSE(seen[out]) << c;
    seen[out] = true;
  }
}

}  // namespace
}  // namespace nuvel
