#include "core/word_helpers.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

struct WordCase {
  std::size_t n;
  std::string_view s;
  std::string_view delims;
  std::size_t pos;
  std::string word;
};

TEST(Words, FindsTheNthWord) {
  const WordCase cases[] = {
      {1, "one two  three", " ", 1, "one"},
      {2, "one two  three", " ", 5, "two"},
      {3, "one two  three", " ", 10, "three"},
      {4, "one two  three", " ", 0, ""},
      {1, "  lead", " ", 3, "lead"},
      {2, "a,b;c", ",;", 3, "b"},
      {1, "", " ", 0, ""},
      {1, "   ", " ", 0, ""},
      {0, "one", " ", 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WordPositionN(c.n, c.s, c.delims), c.pos) << c.n << " in '" << c.s << "'";
    EXPECT_EQ(ExtractWordN(c.n, c.s, c.delims), c.word) << c.n << " in '" << c.s << "'";
  }
}

TEST(Strings, TrimPadAndLength) {
  EXPECT_EQ(TrimString(" \t\r\nab c\x01 "), "ab c");
  EXPECT_EQ(TrimString("   "), "");
  // Bytes above 127 are text, not blanks.
  EXPECT_EQ(TrimString("\xE0 "), "\xE0");
  EXPECT_EQ(PadRightChar("ab", '.', 5), "ab...");
  EXPECT_EQ(PadRightChar("abcdef", '.', 5), "abcdef");
  std::string s = "abcdef";
  SetStrLength(s, 3);
  EXPECT_EQ(s, "abc");
  SetStrLength(s, 5);
  EXPECT_EQ(s, "abc  ");
}

TEST(Strings, AddBackslashAddsOneSeparator) {
  std::string a = "/tmp/x";
  AddBackslash(a);
  EXPECT_EQ(a, "/tmp/x/");
  AddBackslash(a);
  EXPECT_EQ(a, "/tmp/x/");
  std::string empty;
  AddBackslash(empty);
  EXPECT_EQ(empty, "/");
}

TEST(Numbers, SwapsAndMax) {
  EXPECT_EQ(SwapByte(0x1234), 0x3412);
  EXPECT_EQ(SwapLong(0x11223344u), 0x44332211u);
  EXPECT_EQ(MaxOfTwo(3, 7), 7);
  EXPECT_EQ(MaxOfTwo(-3, -7), -3);
}

}  // namespace
}  // namespace nuvel
