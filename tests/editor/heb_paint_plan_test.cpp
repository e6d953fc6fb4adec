#include "editor/heb_paint_plan.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/para_list.h"
#include "tests/editor/para_list_test_support.h"

namespace nuvel {
namespace {

using test::B;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t kAlef = 0xE0, kBet = 0xE1, kGimel = 0xE2, kDalet = 0xE3, kHe = 0xE4, kVav = 0xE5;
constexpr uint8_t kQamats = 0xC8, kSheva = 0xC0, kHolam = 0xC9, kDagesh = 0xCC, kShinDot = 0xD1, kMaqaf = 0xCE;
constexpr uint8_t kShin = 0xF9;

std::string S(const Bytes& b) { return std::string(b.begin(), b.end()); }

// A text in a paragraph list and the window of ten 10-pixel columns between
// margins of 15 and 5 pixels, 127 pixels wide, five rows of 20 pixels.
class PaintPlanTest : public ::testing::Test {
 protected:
  void SetText(const std::vector<std::string>& lines) {
    list_ = std::make_unique<TNvcParaList>(nullptr, false, 4096);
    test::Fill(*list_, lines);
  }

  THebPaintSource Source() {
    THebPaintSource s;
    s.LineCount = static_cast<int32_t>(list_->LineCount());
    s.TabSize = list_->TabSize();
    s.LineText = [this](int32_t line) {
      std::span<const uint8_t> text;
      list_->GetLineText(static_cast<uint32_t>(line), text);
      return text;
    };
    s.ScreenColumn = [this](std::span<const uint8_t> line, int32_t col) {
      return static_cast<int32_t>(list_->ColumnOfPos(line, static_cast<uint32_t>(col), side_));
    };
    return s;
  }

  THebPaintRequest Request(bool engm) {
    THebPaintRequest r;
    r.Geometry.ClientWidth = 127;
    r.Geometry.ClientHeight = 100;
    r.Geometry.LeftMargin = 15;
    r.Geometry.RightMargin = 5;
    r.Geometry.CharWidth = 10;
    r.Geometry.LineHeight = 20;
    r.Geometry.VisibleColumns = 10;
    r.Geometry.VisibleRows = 5;
    r.Geometry.Engm = engm;
    r.ClipTop = 0;
    r.ClipBottom = 100;
    return r;
  }

  // Columns are counted as the editor of the request's direction counts them.
  THebPaintPlan Plan(const THebPaintRequest& r) {
    side_ = PointSideFor(r.Geometry.Engm);
    return PlanEditorPaint(r, Source());
  }

  static std::vector<const THebPaintRun*> RunsOf(const THebPaintPlan& plan, int32_t line) {
    std::vector<const THebPaintRun*> out;
    for (const auto& run : plan.Runs) {
      if (run.Line == line) out.push_back(&run);
    }
    return out;
  }

  // Keeps a plan alive for the rest of the test, so its runs can be pointed at.
  const THebPaintPlan& Keep(THebPaintPlan plan) { return kept_.emplace_back(std::move(plan)); }

  std::unique_ptr<TNvcParaList> list_;
  std::deque<THebPaintPlan> kept_;
  TPointSide side_ = TPointSide::BeforeLetter;
};

TEST_F(PaintPlanTest, HebrewLineIsRightAlignedWithTheFirstByteAtTheRight) {
  SetText({S({kAlef, kBet, kGimel})});
  const THebPaintPlan plan = Plan(Request(false));
  const auto runs = RunsOf(plan, 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0]->Rect, (CellRect{92, 0, 122, 20}));
  EXPECT_EQ(runs[0]->Bytes, (Bytes{kGimel, kBet, kAlef}));  // display order: byte 1 rightmost
  EXPECT_FALSE(runs[0]->Selected);
  // The margins, and the rest of the row at its left (with the gap).
  const std::vector<CellRect> wanted = {{0, 0, 15, 100}, {122, 0, 127, 100}, {15, 0, 92, 20}};
  for (const CellRect& r : wanted) {
    EXPECT_NE(std::find(plan.Fills.begin(), plan.Fills.end(), r), plan.Fills.end()) << r.Left << "," << r.Top;
  }
}

TEST_F(PaintPlanTest, EnglishLineStartsAtTheLeftMargin) {
  SetText({S({kAlef, kBet, kGimel})});
  const THebPaintPlan plan = Plan(Request(true));
  const auto runs = RunsOf(plan, 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0]->Rect, (CellRect{15, 0, 45, 20}));
  EXPECT_EQ(runs[0]->Bytes, (Bytes{kAlef, kBet, kGimel}));
  const std::vector<CellRect> wanted = {{0, 0, 15, 100}, {115, 0, 127, 100}, {45, 0, 115, 20}};
  for (const CellRect& r : wanted) {
    EXPECT_NE(std::find(plan.Fills.begin(), plan.Fills.end(), r), plan.Fills.end()) << r.Left << "," << r.Top;
  }
}

TEST_F(PaintPlanTest, SelectionRunsCountFromTheStartSide) {
  SetText({S({kAlef, kBet, kGimel, kDalet, kHe})});
  struct Case {
    bool engm;
    TShownSelection sel;
    std::vector<CellRect> rects;
    std::vector<Bytes> bytes;
    std::vector<bool> selected;
  };
  const Case cases[] = {
      // Columns 2 to 4 of a Hebrew line: the second and third cells from the right.
      {false, {1, 2, 1, 4},
       {{112, 0, 122, 20}, {92, 0, 112, 20}, {72, 0, 92, 20}},
       {{kAlef}, {kGimel, kBet}, {kHe, kDalet}},
       {false, true, false}},
      {true, {1, 2, 1, 4},
       {{15, 0, 25, 20}, {25, 0, 45, 20}, {45, 0, 65, 20}},
       {{kAlef}, {kBet, kGimel}, {kDalet, kHe}},
       {false, true, false}},
      // From column 1 to the end of the line: one selected run.
      {false, {1, 1, 1, 6}, {{72, 0, 122, 20}}, {{kHe, kDalet, kGimel, kBet, kAlef}}, {true}},
  };
  for (const Case& c : cases) {
    THebPaintRequest r = Request(c.engm);
    r.Selection = c.sel;
    const THebPaintPlan plan = Plan(r);
    const auto runs = RunsOf(plan, 1);
    ASSERT_EQ(runs.size(), c.rects.size()) << c.engm;
    for (size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i]->Rect, c.rects[i]) << c.engm << " run " << i;
      EXPECT_EQ(runs[i]->Bytes, c.bytes[i]) << c.engm << " run " << i;
      EXPECT_EQ(runs[i]->Selected, c.selected[i]) << c.engm << " run " << i;
    }
  }
}

TEST_F(PaintPlanTest, SelectionOverSeveralLines) {
  SetText({"abcde", "fgh", "ijk", "lmn"});
  THebPaintRequest r = Request(true);
  r.Selection = {1, 3, 3, 2};
  const THebPaintPlan plan = Plan(r);
  auto texts = [&](int32_t line) {
    std::vector<std::pair<std::string, bool>> out;
    for (const auto* run : RunsOf(plan, line)) out.emplace_back(S(run->Bytes), run->Selected);
    return out;
  };
  using V = std::vector<std::pair<std::string, bool>>;
  EXPECT_EQ(texts(1), (V{{"ab", false}, {"cde", true}}));  // to the end of the first line
  EXPECT_EQ(texts(2), (V{{"fgh", true}}));                 // a line inside is wholly selected
  EXPECT_EQ(texts(3), (V{{"i", true}, {"jk", false}}));    // up to the end column
  EXPECT_EQ(texts(4), (V{{"lmn", false}}));
}

TEST_F(PaintPlanTest, SelectionWithHorizontalOffset) {
  SetText({"abcdefghijklmnop"});
  THebPaintRequest r = Request(true);
  r.Geometry.HorzOffset = 4;
  r.Selection = {1, 3, 1, 7};  // c..f: only e and f are visible
  const auto runs = RunsOf(Keep(Plan(r)), 1);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(S(runs[0]->Bytes), "ef");
  EXPECT_TRUE(runs[0]->Selected);
  EXPECT_EQ(runs[0]->Rect, (CellRect{15, 0, 35, 20}));
  EXPECT_EQ(S(runs[1]->Bytes), "ghijklmn");
}

TEST_F(PaintPlanTest, EveryPointOfALetterIsOnItsCell) {
  struct Case {
    bool engm;
    Bytes line;
    Bytes display;
    int32_t cells;
  };
  const Case cases[] = {
      // A point after a letter takes no cell; in display order it precedes its letter.
      {false, {kAlef, kQamats, kBet}, {kBet, kQamats, kAlef}, 2},
      // A run of points after one letter: all on that letter.
      {false, {kAlef, kQamats, kDagesh, kBet}, {kBet, kDagesh, kQamats, kAlef}, 2},
      {false, {kShin, kShinDot, kQamats, kHolam}, {kHolam, kQamats, kShinDot, kShin}, 1},
      // Points before any letter of a Hebrew line: one cell for the run.
      {false, {kQamats, kDagesh, kAlef, kBet}, {kBet, kAlef, kDagesh, kQamats}, 3},
      // Maqaf is a mark of its own.
      {false, {kAlef, kMaqaf, kBet}, {kBet, kMaqaf, kAlef}, 3},
      // An English line keeps the points before their letter.
      {true, {kDagesh, kQamats, kAlef, kBet}, {kDagesh, kQamats, kAlef, kBet}, 2},
      {true, {kAlef, kQamats, kDagesh, kBet}, {kAlef, kQamats, kDagesh, kBet}, 2},
      // Points after the last letter of an English line: one cell.
      {true, {kAlef, kBet, kQamats, kDagesh}, {kAlef, kBet, kQamats, kDagesh}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.engm << " " << c.line.size() << " bytes");
    SetText({S(c.line)});
    const auto runs = RunsOf(Keep(Plan(Request(c.engm))), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0]->Bytes, c.display);
    EXPECT_EQ(runs[0]->Rect.Width(), c.cells * 10);
    if (c.engm) {
      EXPECT_EQ(runs[0]->Rect.Left, 15);
    } else {
      EXPECT_EQ(runs[0]->Rect.Right, 122);
    }
    EXPECT_TRUE(runs[0]->Overstrike);
    // The cells of the plan are the columns the editor counts.
    const int32_t endColumn = list_->ColumnOfPos(c.line, static_cast<uint32_t>(c.line.size() + 1), side_);
    EXPECT_EQ(endColumn - 1, c.cells);
  }
}

// A selection ends where the editor's columns say, and the cut between
// runs never parts a letter from its points.
TEST_F(PaintPlanTest, SelectionNeverPartsALetterFromItsPoints) {
  struct Case {
    bool engm;
    Bytes line;
    int32_t col1, col2;
    std::vector<Bytes> runs;  // display order, from the start side
  };
  const Case cases[] = {
      // Hebrew: from bet (position 4) to the end.
      {false, {kAlef, kQamats, kDagesh, kBet, kGimel}, 4, 6, {{kDagesh, kQamats, kAlef}, {kGimel, kBet}}},
      // Starting on a point selects from its letter's next cell.
      {false, {kAlef, kQamats, kDagesh, kBet, kGimel}, 3, 5, {{kDagesh, kQamats, kAlef}, {kBet}, {kGimel}}},
      // The run without a letter is its own cell.
      {false, {kQamats, kDagesh, kAlef}, 1, 3, {{kDagesh, kQamats}, {kAlef}}},
      // English: the points go with the letter after them.
      {true, {kBet, kDagesh, kQamats, kAlef, kGimel}, 2, 5, {{kBet}, {kDagesh, kQamats, kAlef}, {kGimel}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.engm << " " << c.col1 << "-" << c.col2);
    SetText({S(c.line)});
    THebPaintRequest r = Request(c.engm);
    r.Selection = {1, c.col1, 1, c.col2};
    const auto runs = RunsOf(Keep(Plan(r)), 1);
    ASSERT_EQ(runs.size(), c.runs.size());
    for (size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i]->Bytes, c.runs[i]) << i;
  }
}

TEST_F(PaintPlanTest, HorizontalOffsetTakesThePointsWithTheirCells) {
  struct Case {
    bool engm;
    Bytes line;
    int32_t offset;
    Bytes display;
  };
  const Case cases[] = {
      // Hebrew: the second letter carries a point; offset 3 skips three letters and that point.
      {false, {kAlef, kBet, kQamats, kGimel, kDalet, kHe}, 3, {kHe, kDalet}},
      {false, {kAlef, kBet, kQamats, kGimel, kDalet, kHe}, 1, {kHe, kDalet, kGimel, kQamats, kBet}},
      // English: a point belongs to the byte after it.
      {true, {kAlef, kQamats, kBet, kGimel}, 1, {kQamats, kBet, kGimel}},
      {true, {kAlef, kQamats, kBet, kGimel}, 2, {kGimel}},
      {true, {kAlef, kQamats, kBet}, 2, {}},  // the offset covers every cell
  };
  for (const Case& c : cases) {
    SetText({S(c.line)});
    THebPaintRequest r = Request(c.engm);
    r.Geometry.HorzOffset = c.offset;
    const auto runs = RunsOf(Keep(Plan(r)), 1);
    if (c.display.empty()) {
      EXPECT_TRUE(runs.empty());
      continue;
    }
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0]->Bytes, c.display) << c.engm << " offset " << c.offset;
    EXPECT_EQ(runs[0]->Rect.Left, c.engm ? 15 : 122 - runs[0]->Rect.Width());
  }
}

TEST_F(PaintPlanTest, CellsBeyondTheWindowAreDroppedWithTheirPoints) {
  // Twelve letters, a point after the tenth and after the eleventh.
  Bytes line;
  for (int i = 0; i < 12; ++i) {
    line.push_back(static_cast<uint8_t>(kAlef + i));
    if (i == 9 || i == 10) line.push_back(kQamats);
  }
  SetText({S(line)});
  const auto hebrew = RunsOf(Keep(Plan(Request(false))), 1);
  ASSERT_EQ(hebrew.size(), 1u);
  EXPECT_EQ(hebrew[0]->Rect, (CellRect{22, 0, 122, 20}));
  EXPECT_EQ(hebrew[0]->Bytes.size(), 11u);  // ten letters and the tenth one's point
  EXPECT_EQ(hebrew[0]->Bytes.front(), kQamats);
  EXPECT_EQ(hebrew[0]->Bytes[1], kAlef + 9);
  // English: the point before the eleventh letter goes with it.
  const auto english = RunsOf(Keep(Plan(Request(true))), 1);
  ASSERT_EQ(english.size(), 1u);
  EXPECT_EQ(english[0]->Bytes.size(), 10u);
  EXPECT_EQ(english[0]->Bytes.back(), kAlef + 9);
}

TEST_F(PaintPlanTest, TabsAreExpanded) {
  SetText({"a\tb", S({kAlef, '\t', kBet})});
  const THebPaintPlan english = Plan(Request(true));
  ASSERT_EQ(RunsOf(english, 1).size(), 1u);
  EXPECT_EQ(S(RunsOf(english, 1)[0]->Bytes), "a       b");
  THebPaintRequest r = Request(false);
  r.Selection = {2, 3, 2, 4};  // the byte after the tab: screen column 9
  const auto runs = RunsOf(Keep(Plan(r)), 2);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0]->Bytes, (Bytes{' ', ' ', ' ', ' ', ' ', ' ', ' ', kAlef}));
  EXPECT_EQ(runs[0]->Rect, (CellRect{42, 20, 122, 40}));
  EXPECT_EQ(runs[1]->Bytes, (Bytes{kBet}));
  EXPECT_TRUE(runs[1]->Selected);
}

TEST_F(PaintPlanTest, FontsPerCell) {
  SetText({S({kAlef, '1', 'a', ' ', 0x05})});
  struct Case {
    bool engm;
    bool ctrlNums;
    Bytes fonts;  // per byte in display order
  };
  const Case cases[] = {
      {true, true, {2, 1, 1, 1, 4}},
      {true, false, {2, 1, 1, 1, 3}},
      // Hebrew direction: reversed; digits and blanks follow the Hebrew font.
      {false, true, {4, 2, 1, 2, 2}},
  };
  for (const Case& c : cases) {
    THebPaintRequest r = Request(c.engm);
    r.CtrlNums = c.ctrlNums;
    const auto runs = RunsOf(Keep(Plan(r)), 1);
    ASSERT_EQ(runs.size(), 1u);
    const Bytes fonts(runs[0]->Fonts.begin() + 1, runs[0]->Fonts.end());
    EXPECT_EQ(fonts, c.fonts) << c.engm << c.ctrlNums;
  }
}

TEST_F(PaintPlanTest, OnlyRowsInTheClipBox) {
  SetText({"one", "two", "three", "four", "five", "six", "seven"});
  struct Case {
    int32_t top;
    int32_t bottom;
    std::vector<int32_t> lines;
  };
  const Case cases[] = {
      {20, 40, {2}}, {25, 45, {2, 3}}, {0, 20, {1}}, {0, 100, {1, 2, 3, 4, 5}}, {81, 100, {5}},
  };
  for (const Case& c : cases) {
    THebPaintRequest r = Request(true);
    r.ClipTop = c.top;
    r.ClipBottom = c.bottom;
    std::vector<int32_t> lines;
    for (const auto& run : Plan(r).Runs) lines.push_back(run.Line);
    EXPECT_EQ(lines, c.lines) << c.top << ".." << c.bottom;
  }
  // A part row below the last whole row is filled, not drawn.
  THebPaintRequest r = Request(false);
  r.Geometry.ClientHeight = 110;
  r.ClipBottom = 110;
  const THebPaintPlan plan = Plan(r);
  EXPECT_NE(std::find(plan.Fills.begin(), plan.Fills.end(), CellRect{15, 100, 122, 110}), plan.Fills.end());
  for (const auto& run : plan.Runs) EXPECT_LE(run.Line, 5);
}

TEST_F(PaintPlanTest, RowsPastTheTextAndEmptyLinesAreFilled) {
  SetText({"ab", ""});
  THebPaintRequest r = Request(false);
  r.Geometry.TopLine = 2;
  const THebPaintPlan plan = Plan(r);
  EXPECT_TRUE(plan.Runs.empty());
  for (int32_t row = 0; row < 5; ++row) {
    const CellRect want{15, row * 20, 122, row * 20 + 20};
    EXPECT_NE(std::find(plan.Fills.begin(), plan.Fills.end(), want), plan.Fills.end()) << row;
  }
}

TEST_F(PaintPlanTest, BookmarkGlyphs) {
  SetText({"a", "b", "c", "d", "e", "f"});
  struct Case {
    bool show;
    int32_t stripWidth;
    int32_t stripHeight;
    std::vector<THebBookmarkGlyph> glyphs;
  };
  const Case cases[] = {
      {true, 100, 12, {{3, 1, 24}, {0, 1, 64}}},  // centred: (20 - 12) / 2 = 4
      {true, 100, 19, {{3, 1, 20}, {0, 1, 60}}},  // less than 2 pixels to spare: at the row top
      {false, 100, 12, {}},
      {true, 160, 12, {}},  // a glyph wider than the left margin
      {true, 9, 12, {}},    // narrower than one pixel
  };
  for (const Case& c : cases) {
    THebPaintRequest r = Request(false);
    r.ShowBookmarks = c.show;
    r.GlyphStripWidth = c.stripWidth;
    r.GlyphStripHeight = c.stripHeight;
    r.BookmarkLines[7] = 2;  // two bookmarks on line 2: the lower number is shown
    r.BookmarkLines[3] = 2;
    r.BookmarkLines[0] = 4;
    r.BookmarkLines[5] = 6;  // below the window
    EXPECT_EQ(Plan(r).Glyphs, c.glyphs) << c.show << " " << c.stripWidth;
  }
}

TEST(PaintSelection, WhatIsShown) {
  const TShownSelection sel{1, 2, 3, 4};
  const TShownSelection block{5, 1, 6, 2};
  struct Case {
    TSelectionState state;
    TShownSelection shown;
  };
  const Case cases[] = {
      {{true, true, true, true, sel, false, {}}, sel},
      {{false, true, true, true, sel, true, block}, block},  // disabled: only the block
      {{true, true, true, false, sel, false, {}}, {}},       // hidden without the focus
      {{true, true, false, false, sel, false, {}}, sel},     // kept without the focus
      {{true, false, true, true, {}, true, block}, block},   // persistent block
      {{true, false, true, true, {}, false, block}, {}},
      {{true, false, true, true, {}, true, {5, 1, 0, 0}}, {}},  // end marker unset
  };
  for (const Case& c : cases) EXPECT_EQ(SelectionToShow(c.state), c.shown);
}

TEST(RowCells, LongLineInOnePass) {
  std::vector<uint8_t> line;
  for (int i = 0; i < 32767; ++i) line.push_back(i % 3 == 2 ? kQamats : static_cast<uint8_t>(kAlef + i % 20));
  const THebRowCells row = CutRowCells(line, 8, false, 20000, 80);
  ASSERT_EQ(row.Cells(), 80u);
  EXPECT_EQ(row.Text.size(), 120u);  // each pair of letters brings one point
  const THebRowCells past = CutRowCells(line, 8, false, 40000, 80);
  EXPECT_EQ(past.Cells(), 0u);
  const std::vector<uint8_t> zero = {0, 'a'};
  EXPECT_EQ(CutRowCells(zero, 8, true, 0, 80).Cells(), 0u);  // a line whose first byte is zero is empty
  (void)kVav;
}

}  // namespace
}  // namespace nuvel
