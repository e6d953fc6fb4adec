#include "core/multi_font_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cell_plan.h"
#include "core/nikud.h"
#include "core/print_line.h"
#include "tests/support/recording_cell_canvas.h"

namespace nuvel {
namespace {

using test::RecordedCell;
using test::RecordingCellCanvas;

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

struct Drawn {
  RecordingCellCanvas canvas;
  CellRect rect;
  MultiFontLineResult result;
};

// Draws with the overstrike rule of the text as given, unless told.
Drawn Draw(std::string_view text, bool ltr, bool leftAligned, bool bold = false,
           std::optional<bool> overstrike = std::nullopt) {
  Drawn d;
  d.rect = {100, 20, 300, 36};
  FontIndex index = AllocFontIndex();
  BuildFontIndex(Bytes(text), index, ltr, bold);
  d.result = DrawMultiFontLine(Bytes(text), d.canvas, index, bold, false, leftAligned, 9, 8, 10,
                               d.rect, overstrike.value_or(NikudOverstrikeFor(Bytes(text))));
  return d;
}

TEST(MultiFontLine, LeftAlignedCellsStartAtTheLeft) {
  const auto d = Draw("ab\t", true, true);
  ASSERT_EQ(d.canvas.Fills.size(), 1u);
  EXPECT_EQ(d.canvas.Fills[0], (CellRect{100, 20, 300, 36}));
  EXPECT_EQ(d.rect, (CellRect{100, 20, 130, 36}));
  EXPECT_EQ(d.canvas.Cells, (std::vector<RecordedCell>{
                                {100, 20, 1, u"a"}, {110, 20, 1, u"b"}, {120, 20, 3, u"\u25CB"}}));
}

TEST(MultiFontLine, RightAlignedHebrewWithPointsEndsAtTheRight) {
  // Display order of a Hebrew word: point, letter, point, letter.
  // The rule comes from the stored order (letter before point).
  const auto d = Draw("\xC8\xE1\xC7\xF9", false, false, false, true);
  EXPECT_EQ(d.rect, (CellRect{280, 20, 300, 36}));
  EXPECT_EQ(d.canvas.Cells, (std::vector<RecordedCell>{{280, 20, 2, u"\u05D1\u05B8"},
                                                       {290, 20, 2, u"\u05E9\u05B7"}}));
}

TEST(MultiFontLine, EveryPointOfALetterIsDrawnOnItsCell) {
  struct Case {
    std::string text;  // display order
    bool ltr;
    int width;
    std::vector<RecordedCell> cells;
  };
  const Case cases[] = {
      // A Hebrew line's bet with qamats and dagesh, the letter after the
      // points in display order; the cluster keeps the writing order.
      {"\xCC\xC8\xE1", false, 10, {{100, 20, 2, u"\u05D1\u05B8\u05BC"}}},
      // Shin, shin dot, qamats, holam.
      {"\xC9\xC8\xD1\xF9", false, 10, {{100, 20, 2, u"\u05E9\u05C1\u05B8\u05B9"}}},
      // Points with no letter after them take the last cell, counted in
      // the line's width.
      {"\xE1\xC8\xCC", false, 20, {{100, 20, 2, u"\u05D1"}, {110, 20, 2, u"\u00A0\u05BC\u05B8"}}},
      {"\xCC\xC8\xE1", true, 10, {{100, 20, 2, u"\u05D1\u05B8\u05BC"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto d = Draw(c.text, c.ltr, true);
    EXPECT_EQ(d.rect.Width(), c.width);
    EXPECT_EQ(d.canvas.Cells, c.cells);
  }
}

TEST(MultiFontLine, NarrowLettersAndTheirPointsAreCentred) {
  HebrewAdvances widths;
  widths.Byte[0xE5] = 4;  // vav
  widths.Byte[0xF9] = 10;
  widths.PointCarrier = 6;
  RecordingCellCanvas canvas;
  canvas.Widths = &widths;
  // Shalom without its mem, right-aligned: vav with holam, lamed, shin.
  const std::string text = "\xC9\xE5\xEC\xF9";
  CellRect rect{100, 20, 300, 36};
  FontIndex index = AllocFontIndex();
  BuildFontIndex(Bytes(text), index, false, false);
  DrawMultiFontLine(Bytes(text), canvas, index, false, false, false, 9, 8, 10, rect, true);
  EXPECT_EQ(canvas.Cells, (std::vector<RecordedCell>{{273, 20, 2, u"\u05D5\u05B9"},
                                                     {280, 20, 2, u"\u05DC"},
                                                     {290, 20, 2, u"\u05E9"}}));
}

TEST(MultiFontLine, CallerDecidesOverstrikeForASegment) {
  // A segment that starts with a point, cut from a row whose points take no
  // cell, keeps the row's rule.
  const auto d = Draw("\xC8\xE1", false, true, false, true);
  EXPECT_EQ(d.rect.Width(), 10);
  EXPECT_EQ(d.canvas.Cells, (std::vector<RecordedCell>{{100, 20, 2, u"\u05D1\u05B8"}}));
}

TEST(MultiFontLine, PointOnAnEnglishCellIsDrawnInTheHebrewFont) {
  const auto d = Draw("\xC8x", true, true, false, true);
  EXPECT_EQ(d.canvas.Cells, (std::vector<RecordedCell>{{100, 20, 1, u"x"},
                                                       {100, 20, 2, u"\u00A0\u05B8"}}));
}

TEST(MultiFontLine, BoldChoosesTheBoldDosFont) {
  const auto d = Draw("\x14", true, true, true);
  EXPECT_EQ(d.canvas.Cells, (std::vector<RecordedCell>{{100, 20, 4, u"\u00B6"}}));
}

TEST(MultiFontLine, UnknownFontIndexDrawsNothingInThatCell) {
  RecordingCellCanvas canvas;
  CellRect rect{0, 0, 100, 10};
  const FontIndex index = {2, 1, 0, 1};
  const auto result =
      DrawMultiFontLine(Bytes("abc"), canvas, index, false, false, true, 8, 8, 10, rect, true);
  EXPECT_EQ(result.BadFontCells, 1u);
  EXPECT_EQ(canvas.Cells, (std::vector<RecordedCell>{{0, 0, 1, u"a"}, {20, 0, 1, u"c"}}));
}

TEST(PrintLine, RightToLeftLineEndsAtTheRightMargin) {
  // Ten bytes, two of them points: eight cells of 12 pixels.
  const std::string line = "\xE0\xC8\xE1\xE2\xC7\xE3\xE4\xE5\xE6\xE7";
  RecordingCellCanvas canvas;
  FontIndex index = AllocFontIndex();
  CellRect rect{0, 50, 1000, 70};
  PrintTextLine(Bytes(line), canvas, 40, 30, 12, 11, 12, false, false, index, rect);
  EXPECT_EQ(rect, (CellRect{1000 - 40 - 96, 50, 960, 70}));
  ASSERT_EQ(canvas.Cells.size(), 8u);
  // Reversed for display: the first byte is the rightmost cell, with its point.
  EXPECT_EQ(canvas.Cells.back(), (RecordedCell{948, 50, 2, u"\u05D0\u05B8"}));
  EXPECT_EQ(canvas.Cells.front(), (RecordedCell{864, 50, 2, u"\u05D7"}));
}

TEST(PrintLine, LeftToRightLineStartsAtTheLeftMargin) {
  RecordingCellCanvas canvas;
  FontIndex index = AllocFontIndex();
  CellRect rect{0, 50, 1000, 70};
  PrintTextLine(Bytes(" ab"), canvas, 40, 30, 12, 11, 12, false, true, index, rect);
  EXPECT_EQ(rect, (CellRect{30, 50, 66, 70}));
  EXPECT_EQ(canvas.Cells, (std::vector<RecordedCell>{{42, 50, 1, u"a"}, {54, 50, 1, u"b"}}));
}

TEST(PrintLine, TrailingPointsOfAHebrewLineStillOverstrike) {
  // Stored order: letter, point. A leading point would only appear after
  // the reversal; the rule is taken from the line as stored.
  RecordingCellCanvas canvas;
  FontIndex index = AllocFontIndex();
  CellRect rect{0, 0, 100, 10};
  PrintTextLine(Bytes("\xE1\xC8"), canvas, 0, 0, 10, 10, 10, false, false, index, rect);
  EXPECT_EQ(rect.Width(), 10);
  EXPECT_EQ(canvas.Cells, (std::vector<RecordedCell>{{90, 0, 2, u"\u05D1\u05B8"}}));
}

TEST(PrintLine, PageNumberTwoLinesBelowReadsInOrder) {
  for (bool ltr : {true, false}) {
    SCOPED_TRACE(ltr);
    RecordingCellCanvas canvas;
    CellRect rect{0, 100, 500, 120};
    PrintPageNumber(canvas, 12, 2, 20, 10, 10, 10, 10, false, ltr, rect, 20);
    EXPECT_EQ(rect.Top, 140);
    EXPECT_EQ(rect.Bottom, 160);
    ASSERT_EQ(canvas.Cells.size(), 2u);
    EXPECT_EQ(canvas.Cells[0].Text, u"1");
    EXPECT_EQ(canvas.Cells[1].Text, u"2");
    EXPECT_EQ(canvas.Cells[0].Y, 140);
    EXPECT_EQ(canvas.Cells[1].X, ltr ? 30 : 470);
  }
}

}  // namespace
}  // namespace nuvel
