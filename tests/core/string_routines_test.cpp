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

}  // namespace
}  // namespace nuvel
