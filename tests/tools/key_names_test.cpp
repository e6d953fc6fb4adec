// The key-macro editor's key names: the table, stored keys and shown text.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/virtual_keys.h"
#include "tools/key_names.h"

namespace nuvel {
namespace {

using namespace platform;

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return u;
}

TEST(KeyNames, TheTableHoldsItsRecordsSortedWithoutCase) {
  const auto table = KeyNameTable();
  ASSERT_EQ(table.size(), 132u);
  EXPECT_EQ(std::count_if(table.begin(), table.end(), [](const KeyNameRecord& r) { return r.code != 0; }), 29);
  for (size_t i = 1; i < table.size(); ++i) {
    EXPECT_LT(Upper(table[i - 1].name), Upper(table[i].name)) << i;
  }
  std::map<std::string_view, std::pair<int, int>> byName;
  for (const KeyNameRecord& r : table) {
    EXPECT_LE(r.name.size(), 15u);
    EXPECT_TRUE((r.code == 0) != (r.scan == 0)) << r.name;
    byName[r.name] = {r.code, r.scan};
  }
  const std::pair<const char*, std::pair<int, int>> rows[] = {
      {"<BkSp>", {8, 0}},      {"<Tab>", {9, 0}},         {"<Enter>", {13, 0}},     {"<Ctrl+A>", {1, 0}},
      {"<Ctrl+Z>", {26, 0}},   {"<F1>", {0, 59}},         {"<F10>", {0, 68}},       {"<F11>", {0, 133}},
      {"<F12>", {0, 134}},     {"<Alt+1>", {0, 120}},     {"<Alt+9>", {0, 128}},    {"<Alt+0>", {0, 129}},
      {"<Alt+->", {0, 130}},   {"<Alt+=>", {0, 131}},     {"<Ctrl+PgUp>", {0, 132}}, {"<Left>", {0, 75}},
      {"<Right>", {0, 77}},    {"<Up>", {0, 72}},         {"<Down>", {0, 80}},      {"<Alt+Q>", {0, 16}},
      {"<Alt+M>", {0, 50}},    {"<Shift+F1>", {0, 84}},   {"<Shift+F12>", {0, 136}}, {"<Ctrl+F1>", {0, 94}},
      {"<Ctrl+F12>", {0, 138}}, {"<Alt+F1>", {0, 104}},   {"<Alt+F12>", {0, 140}},  {"<Shift+Tab>", {0, 15}},
      {"<Home>", {0, 71}},     {"<End>", {0, 79}},        {"<PgUp>", {0, 73}},      {"<PgDn>", {0, 81}},
      {"<Ins>", {0, 82}},      {"<Del>", {0, 83}},        {"<Ctrl+Left>", {0, 115}}, {"<Ctrl+Right>", {0, 116}},
      {"<Ctrl+End>", {0, 117}}, {"<Ctrl+PgDn>", {0, 118}}, {"<Ctrl+Home>", {0, 119}},
  };
  for (const auto& [name, value] : rows) EXPECT_EQ(byName[name], value) << name;
}

TEST(KeyNames, MemoTextIsStoredAsKeys) {
  const std::pair<std::string, std::string> cases[] = {
      {"ab<Enter>", "ab\r"},
      {"<<b", "<b"},
      {"<Left>", ""},               // a known key that types nothing
      {"<Hello>", "<Hello>"},       // no key name: taken as it stands
      {"x<tab>y", "x\ty"},          // names without regard to case
      {"<Ctrl+C><BkSp>", std::string("\x03\x08")},
      {"a<b", "a<b"},               // an unclosed token runs to the end
      {"<a<Enter>", "<a\r"},        // ... or up to the next "<"
      {"1234567890123456789012345678901234567890", "123456789012345678901234567890"},
      {"", ""},
  };
  for (const auto& [text, keys] : cases) EXPECT_EQ(StoreTextAsKeys(text), keys) << text;
}

TEST(KeyNames, MacroStringsAreShownAsText) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string("\x00\x3B", 2), "<F1>"},
      {"\r", "<Enter>"},
      {"\t", "<Tab>"},
      {"\b", "<BkSp>"},
      {"\x01z", "<Ctrl+A>z"},
      {std::string("\x00\x84", 2), "<Ctrl+PgUp>"},
      {std::string("\x00\x4B", 2), "<Left>"},
      {"\xE0\xE1 ok", "\xE0\xE1 ok"},  // Hebrew letters as themselves
      {"\x7F", "\x7F"},                // no key names it
      {"\xFB", "\xFB"},
  };
  for (const auto& [keys, text] : cases) EXPECT_EQ(DisplayAsText(keys), text);
  // What is shown is stored back as it was.
  for (const std::string keys : {"ab\r", "\x01\tq", "x\by"}) EXPECT_EQ(StoreTextAsKeys(DisplayAsText(keys)), keys);
}

TEST(KeyNames, KeysAreWrittenAsTheirText) {
  struct Case {
    uint8_t vk;
    bool shift, ctrl, alt;
    const char* text;
  } cases[] = {
      {'A', false, false, false, "A"},         {'A', false, true, false, "<Ctrl+A>"},
      {'A', false, false, true, "<Alt+A>"},    {'1', true, false, false, "!"},
      {'0', true, false, false, ")"},          {'5', false, true, false, "<Ctrl+5>"},
      {VK_OEM_1, true, false, false, ":"},     {VK_OEM_7, true, false, false, "\""},
      {VK_OEM_7, false, false, false, "'"},    {VK_F1, false, false, false, "<F1>"},
      {VK_F1, true, false, false, "<Shift+F1>"}, {VK_LEFT, false, true, false, "<Ctrl+Left>"},
      {VK_PRIOR, false, false, false, "<PgUp>"}, {VK_NEXT, false, false, true, "<Alt+PgDn>"},
      {VK_INSERT, false, false, false, "<Ins>"}, {VK_DELETE, false, false, false, "<Del>"},
      {VK_BACK, false, false, false, "<BkSp>"}, {VK_ESCAPE, false, false, false, "<Esc>"},
      {VK_TAB, false, false, false, "<Tab>"},  {VK_TAB, true, false, false, "<Shift+Tab>"},
      {VK_RETURN, false, false, false, "<Enter>"},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyToText(c.vk, c.shift, c.ctrl, c.alt), c.text) << c.text;
}

TEST(KeyNames, TheCaretTakesAKnownNameAsOneUnit) {
  const std::string text = "a<Enter>b<Hi>";
  EXPECT_EQ(UnitStartBefore(text, 8), 1u);    // after "<Enter>"
  EXPECT_EQ(UnitStartBefore(text, 9), 8u);    // after "b"
  EXPECT_EQ(UnitStartBefore(text, 13), 12u);  // "<Hi>" is no key: one character
  EXPECT_EQ(UnitStartBefore(text, 0), 0u);
  EXPECT_EQ(UnitEndAfter(text, 1), 8u);
  EXPECT_EQ(UnitEndAfter(text, 9), 10u);
  EXPECT_EQ(UnitEndAfter(text, 13), 13u);
  EXPECT_EQ(UnitStartAround(text, 4), 1u);    // a click inside "<Enter>"
  EXPECT_EQ(UnitStartAround(text, 1), 1u);
  EXPECT_EQ(UnitStartAround(text, 8), 8u);    // just after it
  EXPECT_EQ(UnitStartAround(text, 11), 11u);
}

}  // namespace
}  // namespace nuvel
