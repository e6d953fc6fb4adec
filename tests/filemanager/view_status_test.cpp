#include "filemanager/view_status.h"

#include <gtest/gtest.h>

#include "filemanager/viewer_limits.h"

namespace nuvel {
namespace {

TEST(ViewStatusTest, HeaderTexts) {
  struct Case {
    TViewStatus in;
    TViewStatusTexts out;
  };
  const Case cases[] = {
      {{0, 0, uint8_t{'A'}, 40, 0, 1234}, {"1:1 (#65)  ", "Total: 40", "Top:     1", "Bytes: 1234"}},
      {{9, 3, uint8_t{200}, kUnknownLineCount, 99999, 7}, {"10:4 (#200)", "Total: ?", "Top: 100000", "Bytes: 7"}},
      {{4, 0, std::nullopt, 5, 2, 0}, {"5:1 (XXX)", "Total: 5", "Top:     3", "Bytes: 0"}},
  };
  for (const Case& c : cases) {
    const TViewStatusTexts t = ViewStatusTexts(c.in);
    EXPECT_EQ(t.caret, c.out.caret);
    EXPECT_EQ(t.total, c.out.total);
    EXPECT_EQ(t.top, c.out.top);
    EXPECT_EQ(t.bytes, c.out.bytes);
  }
  EXPECT_EQ(ViewStatusTexts({}, "T:", "U:", "B:").total, "T: 0");
}

TEST(ViewStatusTest, WholeNumbers) {
  EXPECT_EQ(ParseWholeNumber("12"), 12);
  EXPECT_EQ(ParseWholeNumber(" -3 "), -3);
  EXPECT_EQ(ParseWholeNumber("+8"), 8);
  EXPECT_EQ(ParseWholeNumber("5000000000"), 5000000000);
  for (const char* bad : {"", "  ", "x", "1x", "1 2", "99999999999999999999", "+"})
    EXPECT_FALSE(ParseWholeNumber(bad).has_value()) << bad;
}

}  // namespace
}  // namespace nuvel
