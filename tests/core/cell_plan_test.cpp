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
  // A point before an English letter still rides on it; holam and dagesh
  // ride on the letter after them like the vowels; a tab takes the DOS font.
  const std::string text = "x\xC4y\xC9\xCC\xE5\t";
  const auto plan = PlanLineCells(Bytes(text), IndexFor(text, true), true);
  ExpectPlan(plan, {{'x', 1, ""}, {'y', 1, "\xC4"}, {0xE5, 2, "\xCC\xC9"}, {'\t', 3, ""}}, 4);
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

// Every point of a run rides on the letter after the run in display order,
// kept in the order it was written (the reverse of the display order); a
// run at the end is a cell of its own.
TEST(CellPlan, RunsOfPointsRideOnOneLetter) {
  struct Case {
    std::string text;  // display order
    bool overstrike;
    size_t cells;    // cells holding characters
    size_t planned;  // with the cell of a run at the end
    std::string firstPoints;  // the points on the first cell, in writing order
  };
  const Case cases[] = {
      {"\xE1\xC8\xE2\xC7", true, 2, 3, ""},
      {"\xC8\xE1\xE2", true, 2, 2, "\xC8"},
      {"\xCC\xC8\xE1\xE2", true, 2, 2, "\xC8\xCC"},            // qamats then dagesh
      {"\xC9\xC8\xD1\xF9", true, 1, 1, "\xD1\xC8\xC9"},        // shin dot, qamats, holam
      {"\xCF\xE1\xCD\xC8\xE2", true, 2, 2, "\xCF"},            // rafe; meteg with qamats next
      {"\xE1\xCE\xE2", true, 3, 3, ""},                          // maqaf keeps its cell
      {"\xE1\xC8\xCC", true, 1, 2, ""},
      {"\xCC\xC8\xE1", false, 3, 3, ""},
      {"ab\xC4" "c", true, 3, 3, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto plan = PlanLineCells(Bytes(c.text), IndexFor(c.text, false), c.overstrike);
    EXPECT_EQ(plan.CharCells, c.cells);
    ASSERT_EQ(plan.Cells.size(), c.planned);
    EXPECT_EQ(plan.Cells[0].Points, Bytes(c.firstPoints));
  }
  // The run at the end keeps its writing order too.
  const auto plan = PlanLineCells(Bytes("\xE1\xCC\xC8"), IndexFor("\xE1\xCC\xC8", false), true);
  EXPECT_EQ(plan.Cells.back().Points, Bytes("\xC8\xCC"));
}

// Glyphs narrower than the cell are centred; the points drawn with them
// follow, and points without their letter stand on the carrier's centre.
TEST(CellPlan, NarrowHebrewGlyphsAreCentred) {
  HebrewAdvances widths;
  widths.Byte[0xE5] = 4;   // vav
  widths.Byte[0xE9] = 5;   // yod
  widths.Byte[0xEF] = 5;   // final nun
  widths.Byte[0xF9] = 12;  // shin, as wide as the cell
  widths.Byte[0xED] = 14;  // final mem, wider than the cell
  widths.Byte['a'] = 4;    // drawn in the English font: never moved
  widths.PointCarrier = 6;
  struct Case {
    std::string text;  // display order
    bool ltr;
    std::vector<int> offsets;
  };
  const Case cases[] = {
      {"\xED\xE5\xEC\xD1\xF9", false, {0, 4, 0, 0}},  // shalom: vav centred, shin with its dot not
      {"\xC4\xE9\xEF", false, {3, 3}},                 // yod with hiriq, final nun
      {"\xE1\xC8\xCC", false, {0, 3}},                 // a run at the end: on the carrier
      {"\xC8" "a", true, {3}},                             // a point on an English letter
      {"a\xE5", true, {0, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto plan = PlanLineCells(Bytes(c.text), IndexFor(c.text, c.ltr), true, &widths, 12);
    std::vector<int> got;
    for (const auto& cell : plan.Cells) got.push_back(cell.Offset);
    EXPECT_EQ(got, c.offsets);
  }
  // Without the widths nothing moves.
  const auto plain = PlanLineCells(Bytes("\xE5"), IndexFor("\xE5", false), true);
  EXPECT_EQ(plain.Cells[0].Offset, 0);
}

TEST(CellPlan, CentringOffsetOnlyForNarrowerKnownGlyphs) {
  struct Case {
    int advance, cell, offset;
  };
  const Case cases[] = {{4, 12, 4}, {5, 12, 3}, {11, 12, 0}, {12, 12, 0}, {15, 12, 0}, {0, 12, 0}, {-3, 12, 0}, {3, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(CentringOffset(c.advance, c.cell), c.offset) << c.advance << "/" << c.cell;
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
