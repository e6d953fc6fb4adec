#include "core/cell_plan.h"

#include <gtest/gtest.h>

#include "core/nikud.h"

#include <string>
#include <vector>

namespace nuvel {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

FontIndex IndexFor(std::string_view text, bool ltr) {
  FontIndex index = AllocFontIndex();
  BuildFontIndex(Bytes(text), index, ltr, false);
  return index;
}

// One planned cell written compactly: the byte ('\0' for the extra cell),
// its font and the points on it.
struct Expected {
  uint8_t byte;
  uint8_t font;
  std::string points;
};

void ExpectPlan(const CellPlan& plan, const std::vector<Expected>& cells, size_t charCells) {
  ASSERT_EQ(plan.Cells.size(), cells.size());
  EXPECT_EQ(plan.CharCells, charCells);
  for (size_t i = 0; i < cells.size(); ++i) {
    SCOPED_TRACE(i);
    const bool extra = i >= charCells;
    EXPECT_EQ(plan.Cells[i].HasChar, !extra);
    if (!extra) {
      EXPECT_EQ(plan.Cells[i].Byte, cells[i].byte);
      EXPECT_EQ(plan.Cells[i].Font, cells[i].font);
    }
    EXPECT_EQ(plan.Cells[i].Points, Bytes(cells[i].points));
  }
}

// Hebrew in display order: the point stands before the letter it belongs to.
TEST(CellPlan, HebrewLinePointsRideOnTheFollowingLetter) {
  // qamats, bet, blank, patah, shin, "1" — shown right to left.
  const std::string text = "\xC8\xE1 \xC7\xF9" "1";
  const auto plan = PlanLineCells(Bytes(text), IndexFor(text, false), true);
  ExpectPlan(plan, {{0xE1, 2, "\xC8"}, {' ', 2, ""}, {0xF9, 2, "\xC7"}, {'1', 2, ""}}, 4);
}

TEST(CellPlan, OverstrikeOffGivesEveryPointACell) {
  const std::string text = "\xC8\xE1\xC7";
  const auto plan = PlanLineCells(Bytes(text), IndexFor(text, false), false);
  ExpectPlan(plan, {{0xC8, 2, ""}, {0xE1, 2, ""}, {0xC7, 2, ""}}, 3);
}

TEST(CellPlan, TrailingPointGoesOnAnExtraCell) {
  const std::string text = "ab\xE1\xC8";
  const auto plan = PlanLineCells(Bytes(text), IndexFor(text, true), true);
  ExpectPlan(plan, {{'a', 1, ""}, {'b', 1, ""}, {0xE1, 2, ""}, {0, 0, "\xC8"}}, 3);
}

TEST(CellPlan, EnglishLineWithPointsAndControls) {
  // A point before an English letter still rides on it; holam (0xC9) is no
  // overstruck point and keeps its cell; a tab takes the DOS font.
  const std::string text = "x\xC4y\xC9\t";
  const auto plan = PlanLineCells(Bytes(text), IndexFor(text, true), true);
  ExpectPlan(plan, {{'x', 1, ""}, {'y', 1, "\xC4"}, {0xC9, 2, ""}, {'\t', 3, ""}}, 4);
}

TEST(CellPlan, UnknownFontIndexIsReported) {
  const std::string text = "abc";
  FontIndex index = {2, 1, 0, 7};
  const auto plan = PlanLineCells(Bytes(text), index, true);
  EXPECT_EQ(plan.BadFontCells, (std::vector<size_t>{1, 2}));
  EXPECT_EQ(plan.Cells[1].Font, 0);
  // A short index leaves the remaining cells unknown too.
  const auto shortPlan = PlanLineCells(Bytes(text), FontIndex{2, 1}, true);
  EXPECT_EQ(shortPlan.BadFontCells, (std::vector<size_t>{1, 2}));
}

// The line decides whether its points take cells; the plan follows.
TEST(CellPlan, LinesDecideTheirOwnPointCells) {
  struct Case {
    std::string text;
    size_t cells;
    size_t planned;  // with the extra cell of trailing points
  };
  const Case cases[] = {
      {"\xE1\xC8\xE2\xC7", 2, 3},   // points take no cells
      {"\xC8\xE1\xE2", 3, 3},        // a leading point: every point a cell
      {"\xE1\xC8\xC7\xE2", 4, 4},   // two points in a row: the same
      {"\xE1\xC8\xC9\xE2", 3, 3},   // holam is no overstruck point
      {"ab\xC4" "c", 3, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto bytes = Bytes(c.text);
    const auto plan = PlanLineCells(bytes, IndexFor(c.text, false), NikudOverstrikeFor(bytes));
    EXPECT_EQ(plan.CharCells, c.cells);
    EXPECT_EQ(plan.Cells.size(), c.planned);
  }
}

TEST(CellPlan, ClustersThroughTheUnicodeTable) {
  struct Case {
    uint8_t byte;
    std::string points;
    std::u16string cluster;
  };
  const Case cases[] = {
      {'a', "", u"a"},
      {' ', "", u""},
      {0, "", u""},
      {' ', "\xC8", u"\u00A0\u05B8"},
      {0xE0, "\xC8", u"\u05D0\u05B8"},
      {0x81, "", u"\uFB31"},
      {0x81, "\xC7", u"\uFB31\u05B7"},
      // Pointed letters without a code point of their own.
      {0x87, "", u"\u05DA\u05B0"},
      {0x8F, "", u"\u05DC\u05B9"},
      {0x92, "", u"\u05DA\u05B8"},
      {0x93, "", u"\u05DC\u05BC\u05B9"},
      // DOS symbols for the control bytes.
      {0x01, "", u"\u263A"},
      {0x14, "", u"\u00B6"},
      {0x1F, "", u"\u25BC"},
      {0x09, "", u"\u25CB"},
      // A lone mark sits on a no-break space; maqaf is a spacing mark.
      {0xC9, "", u"\u00A0\u05B9"},
      {0xC0, "", u"\u00A0\u05B0"},
      {0xCE, "", u"\u05BE"},
      {0xA4, "", u"\u20AA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(CellCluster(c.byte, Bytes(c.points)), c.cluster);
  }
  EXPECT_EQ(PointsCluster({}), u"");
}

}  // namespace
}  // namespace nuvel
