#include "core/text_reversal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvel {
namespace {

std::string Heb(std::string s) {
  // Upper-case X, Y, Z stand for the Hebrew letters alef, bet, gimel.
  for (char& c : s) {
    if (c >= 'X' && c <= 'Z') c = static_cast<char>(0xE0 + (c - 'X'));
  }
  return s;
}

TEST(Reverse, StringsAndBuffers) {
  EXPECT_EQ(ReverseShortStr("abc"), "cba");
  EXPECT_EQ(ReverseShortStr(""), "");
  std::string s = "hello";
  ReverseStr(s);
  EXPECT_EQ(s, "olleh");
  std::vector<uint8_t> buf = {1, 2, 3, 4, 5};
  ReverseBytes(std::span(buf).first(3));
  EXPECT_EQ(buf, (std::vector<uint8_t>{3, 2, 1, 4, 5}));
  ReverseBufRef(buf.data(), buf.size());
  EXPECT_EQ(buf, (std::vector<uint8_t>{5, 4, 1, 2, 3}));
  ReverseBufRef(nullptr, 0);
}

TEST(ReversePadLeft, PadsOrKeepsTheLastCharacters) {
  EXPECT_EQ(ReversePadLeft("abc", 5), "  cba");
  EXPECT_EQ(ReversePadLeft("abc", 3), "cba");
  EXPECT_EQ(ReversePadLeft("abc", 2), "ba");
  EXPECT_EQ(ReversePadLeft("", 2), "  ");
  EXPECT_EQ(ReversePadLeft("abc", 0), "");
}

struct RunCase {
  const char* what;
  bool hebrew;
  std::string in;
  std::string out;
};

TEST(ReverseScriptRuns, ReversesRunsOfOneScriptWithTheirPunctuation) {
  const RunCase cases[] = {
      {"Hebrew phrase after English", true, Heb("abc, XY"), Heb("abcYX ,")},
      {"run at the last character", true, Heb("ab X"), Heb("abX ")},
      {"single Hebrew letter at the end", true, Heb("abcX"), Heb("abcX")},
      {"two runs split by English", true, Heb("XY ab ZX"), Heb(" YXabXZ ")},
      {"digits join the run", true, Heb("X 12 Y."), Heb(".Y 21 X")},
      {"Latin mode leaves Hebrew alone", false, Heb("XY ab, Z"), Heb("XY ,ba Z")},
      {"text without the script", true, "hello world", "hello world"},
      {"shorter than two characters", true, Heb("X"), Heb("X")},
      {"points belong to the run", true, Heb("X\xC8Y"), Heb("Y\xC8X")},
  };
  for (const auto& c : cases) {
    std::string s = c.in;
    ReverseScriptRuns(c.hebrew, s);
    EXPECT_EQ(s, c.out) << c.what;
  }
}

}  // namespace
}  // namespace nuvel
