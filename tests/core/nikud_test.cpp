#include "core/nikud.h"

#include <gtest/gtest.h>

#include "core/shared_state.h"

#include <string>
#include <vector>

namespace nuvel {
namespace {

std::vector<uint8_t> V(std::initializer_list<int> bytes) {
  std::vector<uint8_t> v;
  for (int b : bytes) v.push_back(static_cast<uint8_t>(b));
  return v;
}

TEST(IsNikud, VowelPointsButNotHolamOrOtherMarks) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = b >= 0xC0 && b <= 0xCB && b != 0xC9;
    EXPECT_EQ(IsNikud(static_cast<uint8_t>(b)), expected) << b;
  }
  EXPECT_TRUE(IsNikud(0xCB));
  EXPECT_FALSE(IsNikud(0xC9));
  EXPECT_FALSE(IsNikud(0xCC));
}

struct OverstrikeCase {
  const char* what;
  std::vector<uint8_t> line;
  bool overstrike;
};

TEST(NikudOverstrikeFor, DecidesPerLine) {
  const OverstrikeCase cases[] = {
      {"empty line", {}, true},
      {"letters with single points", V({0xE1, 0xC8, 0xE9, 0xC4, 0xFA}), true},
      {"line starts with a point", V({0xC8, 0xE1}), false},
      {"two points in a row", V({0xE1, 0xC8, 0xC4, 0xE9}), false},
      {"two points at the very end", V({0xE1, 0xE2, 0xC8, 0xC4}), false},
      {"holam does not count as a point", V({0xE5, 0xC9, 0xC8, 0xE9}), true},
      {"dagesh does not count", V({0xE1, 0xCC, 0xC8}), true},
      {"a single point byte", V({0xC0}), false},
  };
  for (const auto& c : cases) EXPECT_EQ(NikudOverstrikeFor(c.line), c.overstrike) << c.what;
}

TEST(CountNikud, CountsPointsOnlyWhileTheyTakeNoCell) {
  const auto text = V({0xE1, 0xC8, 0xE9, 0xC9, 0xC4, 'a', 0xCC});
  EXPECT_EQ(CountNikud(text, true), 2u);
  EXPECT_EQ(CountNikud(text, false), 0u);
  EXPECT_EQ(CountNikud(std::span(text).first(2), true), 1u);
  EXPECT_EQ(CountNikud({}, true), 0u);
}

struct ColumnCase {
  const char* what;
  std::vector<uint8_t> text;
  std::size_t limit;
  std::size_t col;
  bool overstrike;
  std::size_t pos;
};

TEST(ColumnToNikudPos, MapsDisplayColumnsToBytePositions) {
  const auto pointed = V({0xE1, 0xC8, 0xE9, 0xC4, 0xC8, 0xFA});
  const ColumnCase cases[] = {
      {"column after a pointed letter", V({0xE1, 0xC8, 'x'}), 3, 2, true, 3},
      {"first column", pointed, 6, 1, true, 1},
      {"points are passed over", pointed, 6, 3, true, 6},
      {"limit below column gives the column", pointed, 2, 4, true, 4},
      {"empty limit", {}, 0, 0, true, 0},
      {"without overstrike every byte is a column", pointed, 6, 3, false, 3},
      {"column past the points at the end stops at the limit", V({'a', 0xC8}), 2, 2, true, 2},
      {"limit beyond the text counts plain cells", V({'a', 0xC8}), 5, 3, true, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColumnToNikudPos(c.text, c.limit, c.col, c.overstrike), c.pos) << c.what;
  }
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

TEST(NikudOverstrikeShared, CheckSetsTheFlagTheOtherFormsRead) {
  const bool saved = NikudOverstrike;
  const auto pointed = V({0xE1, 0xC8, 0xE9});
  const auto doubled = V({0xE1, 0xC8, 0xC4, 0xE9});
  EXPECT_FALSE(CheckNikudOverstrike(doubled));
  EXPECT_FALSE(NikudOverstrike);
  EXPECT_EQ(CountNikud(doubled), 0u);
  EXPECT_EQ(ColumnToNikudPos(pointed, 3, 2), 2u);
  EXPECT_TRUE(CheckNikudOverstrike(pointed));
  EXPECT_TRUE(NikudOverstrike);
  EXPECT_EQ(CountNikud(pointed), 1u);
  EXPECT_EQ(ColumnToNikudPos(pointed, 3, 2), 3u);
  NikudOverstrike = saved;
}

}  // namespace
}  // namespace nuvel
