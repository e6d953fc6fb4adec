#include "editor/heb_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuvel {
namespace {

// Ten columns of 10 pixels between a left margin of 15 and a right margin
// of 5, in a window 127 pixels wide: a gap of 7 pixels is left over.
THebGeometry Geometry(bool engm) {
  THebGeometry g;
  g.ClientWidth = 127;
  g.ClientHeight = 100;
  g.LeftMargin = 15;
  g.RightMargin = 5;
  g.CharWidth = 10;
  g.LineHeight = 20;
  g.VisibleColumns = 10;
  g.VisibleRows = 5;
  g.TopLine = 1;
  g.HorzOffset = 0;
  g.Engm = engm;
  return g;
}

TEST(HebLayout, GridCellFollowsTheHebrewFontUnlessItIsNarrower) {
  EXPECT_EQ(ChooseGridCell({8, 16}, {9, 18}), (TFontCell{9, 18}));
  EXPECT_EQ(ChooseGridCell({8, 16}, {8, 19}), (TFontCell{8, 19}));
  EXPECT_EQ(ChooseGridCell({8, 16}, {7, 20}), (TFontCell{8, 16}));  // the line height too
}

TEST(HebLayout, GapAndTextArea) {
  const THebGeometry e = Geometry(true);
  EXPECT_EQ(e.AlignmentGap(), 7);
  EXPECT_EQ(e.PointDrop(), 6);
  EXPECT_EQ(e.TextLeft(), 15);
  EXPECT_EQ(e.TextRight(), 115);
  const THebGeometry h = Geometry(false);
  EXPECT_EQ(h.TextRight(), 122);  // flush with the right margin
}

TEST(HebLayout, LeftRightExchangeInHebrewOnly) {
  const std::pair<TNvcCommand, TNvcCommand> pairs[] = {
      {ccLeft, ccRight}, {ccWordLeft, ccWordRight}, {ccExtendLeft, ccExtendRight}, {ccExtWordLeft, ccExtWordRight}};
  for (auto [a, b] : pairs) {
    EXPECT_EQ(ExchangeLeftRight(a, false), b);
    EXPECT_EQ(ExchangeLeftRight(b, false), a);
    EXPECT_EQ(ExchangeLeftRight(a, true), a);
    EXPECT_EQ(ExchangeLeftRight(b, true), b);
  }
  for (TNvcCommand c : {ccUp, ccDown, ccHome, ccEnd, ccBack, ccDel, ccChar, ccPageLeft, ccPageRight}) {
    EXPECT_EQ(ExchangeLeftRight(c, false), c);
  }
}

TEST(HebLayout, MouseLine) {
  THebGeometry g = Geometry(true);
  g.TopLine = 10;
  g.ClientHeight = 110;  // five whole rows and a part row
  struct Case {
    int32_t y;
    int32_t lines;
    int32_t line;
  };
  const Case cases[] = {
      {-1, 100, 9},    // above the window: the line before the top
      {0, 100, 10},    {19, 100, 10}, {20, 100, 11},
      {100, 100, 15},  // on the last whole row's bottom edge: the part row
      {101, 100, 14},  // the part row below the whole rows counts as the last whole row
      {110, 100, 15},  // below the window: the line after the last whole row
      {50, 11, 11},    // clamped to the text
      {-1, 0, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(MouseLine(g, c.y, c.lines), c.line) << c.y;
}

TEST(HebLayout, MouseColumnsBothDirections) {
  struct Case {
    bool engm;
    int32_t offset;
    int32_t x;
    int32_t column;
  };
  const Case cases[] = {
      // English: cells start at x = 15; a point is rounded to the nearer edge.
      {true, 0, 15, 1}, {true, 0, 19, 1}, {true, 0, 20, 2}, {true, 0, 29, 2}, {true, 0, 30, 3},
      {true, 0, 0, 0},  // in the margin: column 0, which the caller takes as 1
      {true, 3, 20, 5},
      // The last visible columns give the last visible column, never column 1.
      {true, 0, 110, 10}, {true, 0, 126, 10}, {true, 2, 112, 12},
      // Hebrew: cells end at x = 122 and are counted leftwards.
      {false, 0, 122, 1}, {false, 0, 118, 1}, {false, 0, 117, 2}, {false, 0, 108, 2}, {false, 0, 107, 3},
      {false, 0, 25, 11},  // the first column's left half past the tenth cell
      {false, 0, 2, 13},   // no clamp at the far (left) side: the caller limits to the line
      {false, 2, 117, 4},
  };
  for (const Case& c : cases) {
    THebGeometry g = Geometry(c.engm);
    g.HorzOffset = c.offset;
    EXPECT_EQ(MouseScreenColumn(g, c.x), c.column) << c.engm << " x=" << c.x << " offset=" << c.offset;
  }
}

TEST(HebLayout, CaretPlacementBothDirections) {
  struct Case {
    bool engm;
    int32_t line;
    int32_t col;
    bool focus;
    bool thin;
    bool onPoint;
    TCaretPlacement want;
  };
  const Case cases[] = {
      // English: left edge of the cell, less one.
      {true, 1, 1, false, true, false, {true, 14, 0}},
      {true, 2, 3, false, true, false, {true, 34, 20}},
      {true, 2, 3, true, false, false, {true, 35, 20}},   // a wide caret moves one pixel in
      {true, 2, 3, true, true, true, {true, 34, 26}},     // on a point: lower by the point drop
      {true, 2, 3, false, true, true, {true, 34, 20}},    // without the focus, no drop
      // Hebrew: right edge of the cell; column 1 ends at the right margin.
      {false, 1, 1, false, true, false, {true, 121, 0}},
      {false, 1, 3, false, true, false, {true, 101, 0}},
      {false, 1, 10, false, true, false, {true, 31, 0}},
      {false, 1, 3, true, true, true, {true, 111, 6}},    // on a point: one cell to the right, lower
      // Outside the window.
      {true, 6, 1, false, true, false, {}},
      {false, 1, 11, false, true, false, {}},
      {false, 0, 1, false, true, false, {}},
  };
  for (const Case& c : cases) {
    const TCaretPlacement p = PlaceCaret(Geometry(c.engm), c.line, c.col, c.focus, c.thin, c.onPoint);
    EXPECT_EQ(p, c.want) << c.engm << " line " << c.line << " col " << c.col;
  }
  THebGeometry g = Geometry(false);
  g.HorzOffset = 4;
  EXPECT_EQ(PlaceCaret(g, 1, 5, false, true, false), (TCaretPlacement{true, 121, 0}));
  EXPECT_FALSE(PlaceCaret(g, 1, 4, false, true, false).Visible);
}

TEST(HebLayout, MouseAndCaretAgree) {
  // Clicking just inside the start-side edge of a cell puts the caret on
  // that edge, in both directions.
  for (bool engm : {true, false}) {
    const THebGeometry g = Geometry(engm);
    for (int32_t col = 1; col <= 10; ++col) {
      const TCaretPlacement p = PlaceCaret(g, 1, col, false, true, false);
      const int32_t edge = p.X + 1;
      EXPECT_EQ(MouseScreenColumn(g, engm ? edge : edge - 1), col) << engm << " " << col;
    }
  }
}

TEST(HebLayout, ZeroWidthPointIsDecidedForTheLineAtHand) {
  const std::vector<uint8_t> pointed = {0xE0, 0xC8, 0xE1};          // alef qamats bet
  const std::vector<uint8_t> twoPoints = {0xE0, 0xC8, 0xCC, 0xE1};  // qamats and dagesh on one letter
  const std::vector<uint8_t> holam = {0xE0, 0xC9};
  const std::vector<uint8_t> leading = {0xC8, 0xCC, 0xE1};  // points before any letter
  struct Case {
    const std::vector<uint8_t>* line;
    int32_t pos;
    TPointSide side;
    bool zeroWidth;
  };
  const Case cases[] = {
      {&pointed, 2, TPointSide::AfterLetter, true},   {&pointed, 1, TPointSide::AfterLetter, false},
      {&pointed, 4, TPointSide::AfterLetter, false},  {&pointed, 0, TPointSide::AfterLetter, false},
      {&twoPoints, 2, TPointSide::AfterLetter, true}, {&twoPoints, 3, TPointSide::AfterLetter, true},
      {&holam, 2, TPointSide::AfterLetter, true},
      // In a Hebrew line the first of a leading run carries the run's cell;
      // in an English line those points belong to the letter after them.
      {&leading, 1, TPointSide::AfterLetter, false},  {&leading, 2, TPointSide::AfterLetter, true},
      {&leading, 1, TPointSide::BeforeLetter, true},  {&leading, 2, TPointSide::BeforeLetter, true},
      // The holam ends an English line with no letter after it: its cell.
      {&holam, 2, TPointSide::BeforeLetter, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsZeroWidthPointAt(*c.line, c.pos, c.side), c.zeroWidth)
        << c.line->size() << " bytes, pos " << c.pos << " side " << static_cast<int>(c.side);
  }
}

TEST(HebLayout, PointReplacesPoint) {
  const std::vector<uint8_t> sheva = {0xE0, 0xC0};
  const std::vector<uint8_t> letters = {0xE0, 0xE1};
  struct Case {
    const std::vector<uint8_t>* para;
    int32_t pos;
    uint8_t ch;
    bool replaces;
  };
  const std::vector<uint8_t> empty;
  const Case cases[] = {
      {&sheva, 3, 0xC8, true},    // qamats after sheva
      {&sheva, 3, 0xC9, false},   // holam is no vowel point here
      {&sheva, 3, 'a', false},
      {&sheva, 2, 0xC8, false},   // the byte before the caret is alef
      {&letters, 3, 0xC8, false},
      {&sheva, 1, 0xC8, false},
      {&empty, 1, 0xC8, false},
      {&sheva, 9, 0xC8, false},   // a position past the paragraph
  };
  for (const Case& c : cases) EXPECT_EQ(ReplacesPreviousPoint(*c.para, c.pos, c.ch), c.replaces) << c.pos;
}

TEST(HebLayout, EnterParagraphMark) {
  const std::vector<uint8_t> abc = {'a', 'b', 'c'};
  const std::vector<uint8_t> marked = {'a', 'b', 'c', 20};
  const std::vector<uint8_t> empty;
  struct Case {
    const std::vector<uint8_t>* para;
    int32_t pos;
    bool dos;
    bool tag;
    bool readOnly;
    bool mark;
  };
  const Case cases[] = {
      {&abc, 4, true, false, false, true},      // Nuvel DOS, end of abc
      {&abc, 4, false, true, false, true},      // Tag
      {&abc, 4, false, false, false, false},    // default configuration
      {&abc, 4, true, false, true, false},      // read-only
      {&marked, 5, true, false, false, false},  // the mark is already there
      {&marked, 4, true, false, false, true},   // caret before the mark
      {&abc, 1, true, false, false, true},      // start of a paragraph
      {&empty, 1, false, true, false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EnterAddsParagraphMark(*c.para, c.pos, c.dos, c.tag, c.readOnly), c.mark) << c.pos;
  }
}

TEST(HebLayout, ScrollLockRows) {
  // Caret on the fifth row (four below the top line): R = 3.
  EXPECT_EQ(ScrollLockRowFor(14, 10), 3);
  EXPECT_EQ(ScrollLockRowFor(11, 10), 0);    // second row: no row
  EXPECT_EQ(ScrollLockRowFor(10, 10), 255);  // top row wraps
  struct Case {
    uint8_t recorded;
    int32_t caret;
    int32_t rows;
    int32_t top;
  };
  const Case cases[] = {
      {3, 14, 20, 11},  // the caret's row becomes the fourth
      {3, 30, 20, 27},  // caret moved down: the text follows
      {3, 3, 20, 0},    // caret not below the recorded row
      {0, 14, 20, 0},   // nothing recorded
      {255, 14, 20, 0}, // recorded on the top row: wrapped, no row
      {20, 40, 20, 0},  // no longer inside a window of 20 rows
      {19, 40, 20, 21}, // the last row still counts
  };
  for (const Case& c : cases) EXPECT_EQ(ScrollLockTopLine(c.recorded, c.caret, c.rows), c.top) << int(c.recorded);
}

}  // namespace
}  // namespace nuvel
