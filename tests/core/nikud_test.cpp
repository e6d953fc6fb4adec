#include "core/nikud.h"

#include <gtest/gtest.h>

#include "core/shared_state.h"

#include <algorithm>
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

TEST(IsLetterPoint, PointsDrawnOnTheirLetterButNotPunctuation) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = (b >= 0xC0 && b <= 0xCD) || b == 0xCF || b == 0xD1 || b == 0xD2;
    EXPECT_EQ(IsLetterPoint(static_cast<uint8_t>(b)), expected) << b;
  }
  // Holam, dagesh, meteg, rafe, shin and sin dots are drawn on the letter;
  // maqaf, paseq and sof pasuq are not.
  for (int b : {0xC9, 0xCC, 0xCD, 0xCF, 0xD1, 0xD2}) EXPECT_TRUE(IsLetterPoint(static_cast<uint8_t>(b))) << b;
  for (int b : {0xCE, 0xD0, 0xD3, 0xE1, 0x81}) EXPECT_FALSE(IsLetterPoint(static_cast<uint8_t>(b))) << b;
}

TEST(NikudOverstrikeFor, RunsOfPointsAndLeadingPointsKeepTheLineOverstruck) {
  const std::vector<uint8_t> lines[] = {
      {},
      V({0xE1, 0xC8, 0xE9, 0xC4, 0xFA}),
      V({0xC8, 0xE1}),
      V({0xE1, 0xC8, 0xCC, 0xE9}),
      V({0xE1, 0xE2, 0xC8, 0xC4}),
      V({0xC0}),
  };
  for (const auto& line : lines) EXPECT_TRUE(NikudOverstrikeFor(line)) << line.size();
}

constexpr TPointSide kAfter = TPointSide::AfterLetter;
constexpr TPointSide kBefore = TPointSide::BeforeLetter;

struct CellCase {
  const char* what;
  std::vector<uint8_t> line;
  bool overstrike;
  TPointSide side;
  const char* cells;  // one character a byte: '1' takes a cell, '0' none
};

TEST(TakesCell, EveryPointOfALetterSharesItsCell) {
  const CellCase cases[] = {
      {"one vowel after its letter", V({0xE1, 0xC8, 0xFA}), true, kAfter, "101"},
      {"vowel then dagesh the letter could not take", V({0xE1, 0xC8, 0xCC, 0xFA}), true, kAfter, "1001"},
      {"shin, shin dot, qamats, holam", V({0xF9, 0xD1, 0xC8, 0xC9}), true, kAfter, "1000"},
      {"meteg and rafe ride too", V({0xE1, 0xCD, 0xE2, 0xCF}), true, kAfter, "1010"},
      {"maqaf and sof pasuq take cells", V({0xE1, 0xCE, 0xE2, 0xD3}), true, kAfter, "1111"},
      {"points at the start of a Hebrew line: one cell", V({0xC8, 0xCC, 0xE1, 0xC4}), true, kAfter, "1010"},
      {"points before their letter in an English line", V({0xCC, 0xC8, 0xE1, 'a'}), true, kBefore, "0011"},
      {"points at the end of an English line: one cell", V({'a', 0xC8, 0xCC}), true, kBefore, "101"},
      {"an English line starting with points", V({0xC8, 0xEA, ' ', 0xC0, 0xEC}), true, kBefore, "01101"},
      {"a lone point takes its cell", V({0xC0}), true, kAfter, "1"},
      {"a lone point in an English line", V({0xC0}), true, kBefore, "1"},
      {"without overstrike every byte", V({0xE1, 0xC8, 0xCC}), false, kAfter, "111"},
  };
  for (const auto& c : cases) {
    std::string got;
    for (size_t i = 0; i < c.line.size(); ++i) got += TakesCell(c.line, i, c.overstrike, c.side) ? '1' : '0';
    EXPECT_EQ(got, c.cells) << c.what;
    // The count of points without a cell agrees with the cells, for every
    // prefix of the line.
    for (size_t upto = 0; upto <= c.line.size(); ++upto) {
      const auto cells = static_cast<size_t>(std::count(got.begin(), got.begin() + static_cast<long>(upto), '1'));
      EXPECT_EQ(CountNikud(c.line, upto, c.overstrike, c.side), upto - cells) << c.what << " upto " << upto;
    }
  }
  EXPECT_FALSE(TakesCell(V({0xE1}), 1, true, kAfter));
}

struct ColumnCase {
  const char* what;
  std::vector<uint8_t> text;
  std::size_t limit;
  std::size_t col;
  bool overstrike;
  TPointSide side;
  std::size_t pos;
};

TEST(ColumnToNikudPos, MapsDisplayColumnsToBytePositions) {
  const auto pointed = V({0xE1, 0xC8, 0xE9, 0xC4, 0xCC, 0xFA});
  const ColumnCase cases[] = {
      {"column after a pointed letter", V({0xE1, 0xC8, 'x'}), 3, 2, true, kAfter, 3},
      {"first column", pointed, 6, 1, true, kAfter, 1},
      {"a run of points is passed over", pointed, 6, 3, true, kAfter, 6},
      {"limit below column gives the column", pointed, 2, 4, true, kAfter, 4},
      {"empty limit", {}, 0, 0, true, kAfter, 0},
      {"without overstrike every byte is a column", pointed, 6, 3, false, kAfter, 3},
      {"column past the points at the end stops at the limit", V({'a', 0xC8}), 2, 2, true, kAfter, 2},
      {"limit beyond the text counts plain cells", V({'a', 0xC8}), 5, 3, true, kAfter, 4},
      {"a leading run is the first column", V({0xC8, 0xCC, 0xE1}), 3, 2, true, kAfter, 3},
      {"a trailing run in an English line is a column", V({'a', 0xC8, 0xCC}), 3, 2, true, kBefore, 3},
      {"the same run in a Hebrew line is the letter's", V({'a', 0xC8, 0xCC}), 5, 2, true, kAfter, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColumnToNikudPos(c.text, c.limit, c.col, c.overstrike, c.side), c.pos) << c.what;
  }
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

TEST(NikudOverstrikeShared, CheckSetsTheFlagTheOtherFormsRead) {
  const bool saved = NikudOverstrike;
  const auto pointed = V({0xE1, 0xC8, 0xCC, 0xE9});
  NikudOverstrike = false;
  EXPECT_EQ(CountNikud(pointed, 4, kAfter), 0u);
  EXPECT_EQ(ColumnToNikudPos(pointed, 4, 2, kAfter), 2u);
  EXPECT_TRUE(CheckNikudOverstrike(pointed));
  EXPECT_TRUE(NikudOverstrike);
  EXPECT_EQ(CountNikud(pointed, 4, kAfter), 2u);
  EXPECT_EQ(ColumnToNikudPos(pointed, 4, 2, kAfter), 4u);
  NikudOverstrike = saved;
}

}  // namespace
}  // namespace nuvel
