#include "core/string_routines.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(StringRoutines, ParseLongInt) {
  struct {
    std::string text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"0x1F", true, 31},          {"0x1f", true, 31},          {"12", true, 12},
      {"  12", true, 12},          {"-7", true, -7},            {"+7", true, 7},
      {"12 \t\r\n", true, 12},     {"12a", false, 2},           {"a", false, 0},
      {"", false, 0},              {"-", false, 1},             {"0x", false, 2},
      {"0xG", false, 2},           {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},                         {"2147483648", false, 9},
      {"0xFFFFFFFF", true, -1},    {"0x100000000", false, 10},  {std::string(256, '1'), false, -1},
  };
  for (const auto& c : cases) {
    int32_t value = 12345;
    EXPECT_EQ(ParseLongInt(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(StringRoutines, ExpandTabs) {
  EXPECT_EQ(StrExpandTabs("a\tb", 8), "a       b");
  EXPECT_EQ(StrExpandTabs("\t", 4), "    ");
  EXPECT_EQ(StrExpandTabs("abcd\te", 4), "abcd    e");
  EXPECT_EQ(StrExpandTabs("a\tb", 0), "");
}

TEST(StringRoutines, EditingAndSearching) {
  std::string s = "abcdef";
  DeleteCharAt(s, 1);
  EXPECT_EQ(s, "acdef");
  DeleteCharAt(s, 99);
  EXPECT_EQ(s, "acdef");
  InsertCharAt(s, 'b', 1);
  EXPECT_EQ(s, "abcdef");
  InsertCharAt(s, '!', 99);
  EXPECT_EQ(s, "abcdef!");
  DeleteSubStr(s, 2, 2);
  EXPECT_EQ(s, "abef!");
  DeleteSubStr(s, 3, 99);
  EXPECT_EQ(s, "abe");
  EXPECT_EQ(CopySubStr("abcdef", 2, 3), "cde");
  EXPECT_EQ(CopySubStr("abcdef", 4, 99), "ef");
  EXPECT_EQ(CopySubStr("abcdef", 6, 1), "");
  size_t pos = 77;
  EXPECT_TRUE(CharPosZ("abcabc", 'c', pos));
  EXPECT_EQ(pos, 2u);
  EXPECT_FALSE(CharPosZ("abc", 'z', pos));
  EXPECT_TRUE(StrPosZ("abcabc", "ca", pos));
  EXPECT_EQ(pos, 2u);
  EXPECT_FALSE(StrPosZ("abc", "", pos));
  EXPECT_FALSE(StrPosZ("abc", "abcd", pos));
}

TEST(StringRoutines, SmallHelpers) {
  EXPECT_EQ(FillCharStr('-', 3), "---");
  EXPECT_EQ(HexLongStr(0x1234ABCD), "1234ABCD");
  EXPECT_EQ(HexLongStr(0), "00000000");
  EXPECT_EQ(UpCaseChar('a'), 'A');
  EXPECT_EQ(UpCaseChar(0xE0), 0xE0);
  std::string t = "  a b  ";
  TrimBlanksZ(t);
  EXPECT_EQ(t, "a b");
  t = "   ";
  TrimBlanksZ(t);
  EXPECT_EQ(t, "");
  t = "a \t\r\n";
  StrTrimTail(t);
  EXPECT_EQ(t, "a");
}

}  // namespace
}  // namespace nuvel
