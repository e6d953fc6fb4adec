#include "core/keyboard_maps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/charset.h"

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

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The keysyms of one layout of an X keyboard symbols file, by key name, one
// list of levels per key: key <AC01> { [ hebrew_shin, A ] };
std::map<std::string, std::vector<std::string>> LayoutKeysyms(const std::string& file, const std::string& layout) {
  std::map<std::string, std::vector<std::string>> keys;
  const std::string text = ReadText(file);
  const std::size_t start = text.find("xkb_symbols \"" + layout + "\"");
  if (start == std::string::npos) return keys;
  const std::string body = text.substr(start, text.find("\n};", start) - start);
  static const std::regex key(R"(key\s*<(\w+)>\s*\{\s*\[([^\]]*)\])");
  static const std::regex sym(R"([^,\s]+)");
  for (auto k = std::sregex_iterator(body.begin(), body.end(), key); k != std::sregex_iterator(); ++k) {
    const std::string levels = (*k)[2];
    for (auto s = std::sregex_iterator(levels.begin(), levels.end(), sym); s != std::sregex_iterator(); ++s) {
      keys[(*k)[1]].push_back(s->str());
    }
  }
  return keys;
}

// The character of every keysym of X's keysymdef.h, from the Unicode code
// point each definition's comment names: #define XK_slash 0x002f /* U+002F
char32_t KeysymCharacter(const std::string& keysym) {
  static const std::map<std::string, char32_t> characters = [] {
    std::map<std::string, char32_t> m;
    std::istringstream lines(ReadText("/usr/include/X11/keysymdef.h"));
    static const std::regex define(R"(^#define XK_(\w+)\s+0x[0-9a-fA-F]+\s*/\*[ (]*U\+([0-9A-Fa-f]{4,6}))");
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
      if (std::regex_search(line, match, define)) m[match[1]] = static_cast<char32_t>(std::stoul(match[2], nullptr, 16));
    }
    return m;
  }();
  const auto found = characters.find(keysym);
  return found == characters.end() ? 0 : found->second;
}

// The system's byte for a keysym; 0 when the set has none.
uint8_t ByteOfKeysym(const std::string& keysym) {
  const char32_t c = KeysymCharacter(keysym);
  return c == 0 || c > 0xFFFF ? 0 : UnicodeToHebChar(static_cast<char16_t>(c));
}

// The Hebrew layer types, key by key and level by level, what the X
// keyboard's Israeli layout types on the keys of the US layout.
TEST(HebKeyMap, SameAsTheXKeyboardsIsraeliLayout) {
  const auto hebrew = LayoutKeysyms("/usr/share/X11/xkb/symbols/il", "basic");
  const auto us = LayoutKeysyms("/usr/share/X11/xkb/symbols/us", "basic");
  ASSERT_GE(hebrew.size(), 47u) << "the X keyboard data (xkb-data) is missing";
  ASSERT_GE(us.size(), 47u);
  ASSERT_EQ(KeysymCharacter("hebrew_aleph"), U'\u05D0') << "X's keysymdef.h (x11proto-dev) is missing";
  // The layer's table names the letters and six punctuation keys and
  // leaves every other key as it is; X's Israeli layout puts the other
  // bracket on each bracket key, which in right-to-left text shows as the
  // one painted on the key. These are the only keys where the two differ:
  // each row is the key, what the layer types, what X's layout types.
  const std::vector<std::string> known = {"( ( )", ") ) (", "< < >", "> > <", "[ [ ]", "] ] [", "{ { }", "} } {"};
  std::vector<std::string> differ;
  int compared = 0;
  for (const auto& [name, levels] : hebrew) {
    const auto key = us.find(name);
    if (key == us.end()) continue;
    for (std::size_t level = 0; level < 2 && level < levels.size() && level < key->second.size(); ++level) {
      const uint8_t typed = ByteOfKeysym(key->second[level]);
      const uint8_t expected = ByteOfKeysym(levels[level]);
      ASSERT_TRUE(typed >= 0x20 && typed < 0x7F) << name << " " << key->second[level];
      ASSERT_NE(expected, 0) << name << " " << levels[level];
      ++compared;
      const uint8_t got = HebKeyMap(typed);
      if (got != expected) differ.push_back(std::string{char(typed), ' ', char(got), ' ', char(expected)});
    }
  }
  EXPECT_EQ(compared, 94) << "every key of the letter and digit rows, both levels";
  std::sort(differ.begin(), differ.end());
  EXPECT_EQ(differ, known);
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
