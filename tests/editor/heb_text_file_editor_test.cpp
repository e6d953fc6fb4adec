#include "editor/heb_text_file_editor.h"

#include <gtest/gtest.h>

#include "core/command_numbers.h"
#include "core/exceptions.h"
#include "core/shared_state.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/reading_order.h"

namespace nuvel {
namespace {

using test::S;

constexpr uint8_t kAlef = 0xE0, kBet = 0xE1, kGimel = 0xE2;
constexpr uint8_t kQamats = 0xC8, kSheva = 0xC0;

class HebEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DageshState = false;
    VowelSkip = false;
    NuvDosConfig = false;
    TagConfig = false;
    ScrollLockMode = 0;
  }
  void TearDown() override { SetUp(); }
  void Load(std::string_view text) {
    f.editor.LoadString(text);
    f.editor.SetCaretPosition(1, 1);
  }
  void Hebrew(bool nikud = false) {
    f.editor.SetKeyType(nikud ? TKeytype::Nikud : TKeytype::Hebrew);
    f.editor.SetOV(nikud);
  }
  int32_t Pos() const { return f.editor.CaretPos(); }

  test::THebEditorFixture f;
};

TEST_F(HebEditorTest, GridTakesTheWiderFontsCell) {
  EXPECT_EQ(f.editor.CharWidth(), 10);
  EXPECT_EQ(f.editor.LineHeight(), 20);
  EXPECT_EQ(f.editor.VisibleColumns(), 10);
  EXPECT_EQ(f.editor.FirstFontWidth(), 8);
  EXPECT_EQ(f.editor.SecondFontWidth(), 10);
  EXPECT_EQ(f.editor.Geometry().AlignmentGap(), 7);
}

TEST_F(HebEditorTest, TypingAgainstTheMainDirectionStoresReversed) {
  // Hebrew in an English document and English in a Hebrew one: stored
  // reversed, the caret kept where the run began, where the next letter goes.
  struct Case {
    bool engm;
    bool hebrewKeys;
    std::string stored;
    int32_t pos;
  } const cases[] = {
      {true, true, S({kGimel, kBet, kAlef}), 1},
      {false, false, "dct", 1},
      {false, true, S({kAlef, kBet, kGimel}), 4},
      {true, false, "tcd", 4},
  };
  for (const Case& c : cases) {
    Load("");
    f.editor.SetEngm(c.engm);
    f.editor.SetKeyType(c.hebrewKeys ? TKeytype::Hebrew : TKeytype::English);
    f.editor.SetSEng(c.engm == c.hebrewKeys);
    f.Type("tcd");
    EXPECT_EQ(f.Para(1), c.stored) << c.engm << c.hebrewKeys;
    EXPECT_EQ(Pos(), c.pos) << c.engm << c.hebrewKeys;
  }
}

TEST_F(HebEditorTest, KeyboardLayersWhileTyping) {
  struct Case {
    TKeytype type;
    bool ov;
    bool ph;
    std::string_view keys;
    std::string stored;  // in a Hebrew document, as typed
  };
  f.editor.SetEngm(false);
  const Case cases[] = {
      {TKeytype::English, true, true, "tcD", "Dct"},
      {TKeytype::Hebrew, false, false, "tA", S({kAlef, 'A'})},
      {TKeytype::Nikud, true, false, "t7", S({kAlef, kSheva})},
      {TKeytype::Nikud, true, false, "t78", S({kAlef, kQamats})},   // qamats replaces the sheva
      {TKeytype::Nikud, true, false, "t7t8", S({kAlef, kSheva, kAlef, kQamats})},
      {TKeytype::Nikud, true, false, "t=8", S({kAlef, 0xC9, kQamats})},  // holam is not replaced
      {TKeytype::Phonetic, false, true, "Dk", S({'D', 0xEB})},
      {TKeytype::Phonetic, false, true, "Da", "DD"},
  };
  for (const Case& c : cases) {
    Load("");
    f.editor.SetKeyType(c.type);
    f.editor.SetOV(c.ov);
    f.editor.SetPhKy(c.ph);
    DageshState = false;
    f.Type(c.keys);
    EXPECT_EQ(f.Para(1), c.stored) << c.keys;
  }
}

TEST_F(HebEditorTest, PointReplacesPointInOverwriteAndUndoesInOneStep) {
  Load("");
  f.editor.SetEngm(false);
  Hebrew(true);
  f.Type("t7");
  f.Type("8");
  EXPECT_EQ(f.Para(1), S({kAlef, kQamats}));
  EXPECT_EQ(Pos(), 3);
  // A point at the start of a paragraph has nothing to replace.
  Load(S({kSheva}));
  f.Type("8");
  EXPECT_EQ(f.Para(1), S({kQamats, kSheva}));
}

TEST_F(HebEditorTest, LiteralNextCharacter) {
  Load("");
  Hebrew();
  EXPECT_TRUE(f.editor.DoCommand(ccCtrlChar, 'P'));
  EXPECT_TRUE(f.editor.LiteralNext());
  f.editor.KeyChar(0x10);  // the character of Ctrl+P itself is not typed
  f.editor.KeyDown(f.Key('A'));
  f.editor.KeyChar(0x01);  // Ctrl+A
  EXPECT_EQ(f.Para(1), S({0x01}));
  EXPECT_FALSE(f.editor.LiteralNext());
  f.Type("t");  // the layers apply again
  EXPECT_EQ(f.Para(1), S({0x01, kAlef}));
}

TEST_F(HebEditorTest, EnterPutsTheParagraphMark) {
  struct Case {
    bool dos;
    bool tag;
    bool readOnly;
    std::string first;
  };
  const Case cases[] = {
      {true, false, false, S({'a', 'b', 'c', 20})},
      {false, true, false, S({'a', 'b', 'c', 20})},
      {false, false, false, "abc"},
  };
  for (const Case& c : cases) {
    f.editor.SetConversion(
        ConvContext{kConvNone, c.dos ? TEditConfig::NuvelDos : c.tag ? TEditConfig::Tag : TEditConfig::Default});
    Load("abc");
    f.editor.SetCaretPosition(1, 4);
    f.editor.KeyDown(f.Key(platform::VK_RETURN));
    ASSERT_EQ(f.editor.ParaCount(), 2);
    EXPECT_EQ(f.Para(1), c.first);
    EXPECT_EQ(f.Para(2), "");
  }
  // With the mark already before the caret no second one comes.
  f.editor.SetConversion(ConvContext{kConvNone, TEditConfig::NuvelDos});
  Load(S({'a', 'b', 'c', 20}));
  f.editor.SetCaretPosition(1, 5);
  f.editor.KeyDown(f.Key(platform::VK_RETURN));
  EXPECT_EQ(f.Para(1), S({'a', 'b', 'c', 20}));
  // Read-only: neither the mark nor a new line.
  Load("abc");
  f.editor.SetReadOnly(true);
  f.editor.SetCaretPosition(1, 4);
  f.editor.KeyDown(f.Key(platform::VK_RETURN));
  EXPECT_EQ(f.Para(1), "abc");
  f.editor.SetReadOnly(false);
}

TEST_F(HebEditorTest, LeftAndRightExchangeInAHebrewDocument) {
  Load("ab cd ef");
  f.editor.SetEngm(false);
  f.editor.SetCaretPosition(1, 3);
  f.editor.DoCommand(ccLeft, 0);
  EXPECT_EQ(Pos(), 4);  // visually left is the next byte
  f.editor.DoCommand(ccRight, 0);
  f.editor.DoCommand(ccRight, 0);
  EXPECT_EQ(Pos(), 2);
  f.editor.SetCaretPosition(1, 1);
  f.editor.DoCommand(ccExtWordLeft, 0);  // extends towards the later bytes, as Ctrl+Left moves
  int32_t l1, c1, l2, c2;
  ASSERT_TRUE(f.editor.GetSelection(l1, c1, l2, c2));
  EXPECT_EQ(c1, 1);
  EXPECT_EQ(c2, 4);
  f.editor.DoCommand(ccWordLeft, 0);
  EXPECT_EQ(Pos(), 7);
  // English: no exchange.
  f.editor.SetEngm(true);
  f.editor.DoCommand(ccLeft, 0);
  EXPECT_EQ(Pos(), 6);
}

TEST_F(HebEditorTest, IdleCounterIsResetByEveryCommand) {
  IdleCounter = 42;
  f.editor.DoCommand(ccNone, 0);
  EXPECT_EQ(IdleCounter, 0);
}

TEST_F(HebEditorTest, MouseMappingBothDirections) {
  // Ten columns of 10 pixels; client 127 wide; text right edge at 122.
  Load("abcdefghijklmnop\r\nxyz");
  struct Case {
    bool engm;
    int32_t x;
    int32_t y;
    int32_t line;
    int32_t col;
  };
  const Case cases[] = {
      {true, 15, 0, 1, 1},   {true, 20, 0, 1, 2},    {true, 112, 5, 1, 10},  // last column: not column 1
      {true, 125, 5, 1, 10}, {true, 0, 25, 2, 1},    {true, 60, 25, 2, 4},   // past the line end
      {false, 121, 0, 1, 1}, {false, 117, 0, 1, 2},  {false, 30, 0, 1, 10},
      {false, 5, 0, 1, 13},  {false, 60, 25, 2, 4},  {false, 126, 25, 2, 1},
  };
  for (const Case& c : cases) {
    f.editor.SetEngm(c.engm);
    int32_t line = 0, col = 0;
    f.editor.MouseToLineCol(c.x, c.y, line, col);
    EXPECT_EQ(line, c.line) << c.engm << " " << c.x << "," << c.y;
    EXPECT_EQ(col, c.col) << c.engm << " " << c.x << "," << c.y;
  }
}

TEST_F(HebEditorTest, ARunOfPointsTakesNoColumnForClicksOrTheCaret) {
  // Line 1: alef with qamats and a dagesh it could not take, bet, gimel;
  // line 2: alef with qamats, bet, gimel. Both points of line 1 ride on alef.
  constexpr uint8_t kDagesh = 0xCC;
  Load(S({kAlef, kQamats, kDagesh, kBet, kGimel, '\r', '\n', kAlef, kQamats, kBet, kGimel}));
  f.editor.SetEngm(false);
  NikudOverstrike = false;  // whatever was drawn last
  int32_t line = 0, col = 0;
  f.editor.MouseToLineCol(98, 25, line, col);  // left half of the third cell from the right
  EXPECT_EQ(line, 2);
  EXPECT_EQ(col, 4) << "after alef with its point and bet";
  f.editor.MouseToLineCol(98, 5, line, col);
  EXPECT_EQ(col, 5) << "after alef with both its points and bet";
  f.editor.MouseToLineCol(60, 5, line, col);
  EXPECT_EQ(col, 6) << "past the line's end";
  // The caret on either point of the run drops onto alef's cell.
  f.editor.SetCaretPosition(1, 1);
  f.editor.PositionCaret(0);
  const int32_t onAlefX = f.host.caretX;
  for (int32_t pos : {2, 3}) {
    f.editor.SetCaretPosition(1, pos);
    f.editor.PositionCaret(0);
    EXPECT_EQ(f.host.caretY, 20 / 3) << pos;
    EXPECT_EQ(f.host.caretX, onAlefX) << pos;
  }
  f.editor.SetCaretPosition(1, 4);
  f.editor.PositionCaret(0);
  EXPECT_EQ(f.host.caretY, 0) << "bet takes a cell: no drop";
  EXPECT_EQ(f.host.caretX, onAlefX - 10);
}

TEST_F(HebEditorTest, CaretPlacementMirrors) {
  Load("abc");
  f.host.focus = false;
  f.editor.SetCaretPosition(1, 2);
  f.editor.PositionCaret(0);
  EXPECT_EQ(f.host.caretX, 24);
  f.editor.SetEngm(false);
  f.editor.PositionCaret(0);
  EXPECT_EQ(f.host.caretX, 111);
}

TEST_F(HebEditorTest, VowelSkipStepsBackOverBlanks) {
  Load("x  ");
  VowelSkip = true;
  Hebrew(true);
  f.editor.SetCaretPosition(1, 4);
  f.Type("7");
  EXPECT_EQ(f.Para(1), S({'x', ' ', ' ', kSheva}));
  EXPECT_EQ(Pos(), 2);
  // A letter does not skip: it goes in at the caret, in reading order
  // after the x.
  f.Type("t");
  EXPECT_EQ(test::Turned(true, f.Para(1)), S({'x', kAlef, ' ', ' ', kSheva}));
}

TEST_F(HebEditorTest, VowelSkipInAHebrewDocumentGoesOnToTheNextLetter) {
  // Visually left is the next byte: after a point the caret passes the next
  // letter, and the blanks before it, ready for that letter's point.
  Load(S({kAlef, ' ', ' ', kBet, kGimel}));
  f.editor.SetEngm(false);
  VowelSkip = true;
  Hebrew(true);
  f.editor.SetCaretPosition(1, 2);
  f.Type("7");
  EXPECT_EQ(f.Para(1), S({kAlef, kSheva, ' ', ' ', kBet, kGimel}));
  EXPECT_EQ(Pos(), 6);
  f.Type("8");
  EXPECT_EQ(f.Para(1), S({kAlef, kSheva, ' ', ' ', kBet, kQamats, kGimel}));
  EXPECT_EQ(Pos(), 8);
}

TEST_F(HebEditorTest, Markers) {
  Load("abc\r\ndef");
  f.editor.SetCaretPosition(2, 2);
  f.editor.SetMarker(100);
  f.editor.SetCaretPosition(2, 4);
  f.editor.SetMarker(101);
  f.editor.SetCaretPosition(1, 3);
  f.editor.SetMarker(4);
  f.editor.SetMarker(50);  // not a marker
  int32_t col = 0;
  EXPECT_EQ(f.editor.GetMarkerPosition(100, col), 2);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(f.editor.GetMarkerPosition(101, col), 2);
  EXPECT_EQ(col, 4);
  EXPECT_EQ(f.editor.GetMarkerPosition(4, col), 1);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(f.editor.GetMarkerPosition(5, col), -1);
  EXPECT_EQ(f.editor.GetMarkerPosition(50, col), -1);
  f.editor.SetMarkerAt(100, 1, 1);  // block markers are set at the caret only
  EXPECT_EQ(f.editor.GetMarkerPosition(100, col), 2);
  f.editor.SetMarkerAt(7, 1, 2);
  EXPECT_EQ(f.editor.GetMarkerPosition(7, col), 1);
  EXPECT_EQ(col, 2);
  EXPECT_THROW(f.editor.SetMarkerAt(7, 3, 1), EInvalidLineOrCol);
  EXPECT_THROW(f.editor.SetMarkerAt(7, 1, 0), EInvalidLineOrCol);
  // ccSetMarker takes the digit of its key.
  f.editor.SetCaretPosition(2, 1);
  f.editor.DoCommand(ccSetMarker0 + 9, '9');
  EXPECT_EQ(f.editor.GetMarkerPosition(9, col), 2);
}

TEST_F(HebEditorTest, DoubleClickTwiceSelectsTheLine) {
  Load("one two");
  int32_t l1, c1, l2, c2;
  f.editor.MouseDoubleClick(15 + 45, 5, false);  // in "two"
  ASSERT_TRUE(f.editor.GetSelection(l1, c1, l2, c2));
  EXPECT_EQ(c1, 5);
  EXPECT_EQ(c2, 8);
  f.editor.MouseDoubleClick(15 + 45, 5, false);
  ASSERT_TRUE(f.editor.GetSelection(l1, c1, l2, c2));
  EXPECT_EQ(c1, 1);
  EXPECT_EQ(c2, 8);
  f.editor.MouseDoubleClick(15 + 45, 5, false);  // forgotten: the word again
  ASSERT_TRUE(f.editor.GetSelection(l1, c1, l2, c2));
  EXPECT_EQ(c1, 5);
}

TEST_F(HebEditorTest, ScrollLockKeepsTheCaretRow) {
  std::string text;
  for (int i = 1; i <= 60; ++i) text += "line\r\n";
  Load(text);
  bool on = true;
  f.editor.ScrollLockOn = [&] { return on; };
  f.editor.SetTopLine(10);
  f.editor.SetCaretPosition(14, 1);  // fifth row
  ScrollLockMode = ScrollLockRowFor(14, 10);
  EXPECT_EQ(ScrollLockMode, 3);
  f.editor.ApplyScrollLock();
  EXPECT_EQ(f.editor.TopLine(), 11) << "the caret's row becomes the fourth";
  f.editor.DoCommand(ccDown, 0);
  EXPECT_EQ(f.editor.CaretLine(), 15);
  EXPECT_EQ(f.editor.TopLine(), 12);
  f.editor.DoCommand(ccUp, 0);
  f.editor.DoCommand(ccUp, 0);
  EXPECT_EQ(f.editor.TopLine(), 10);
  // A recorded row outside the window (five rows) counts as none.
  ScrollLockMode = 7;
  ASSERT_EQ(f.editor.CaretLine(), 13);
  f.editor.DoCommand(ccDown, 0);
  EXPECT_EQ(f.editor.TopLine(), 10);
  // Switched off: no row is kept.
  ScrollLockMode = 3;
  on = false;
  f.editor.DoCommand(ccUp, 0);
  EXPECT_EQ(f.editor.CaretLine(), 13);
  EXPECT_EQ(f.editor.TopLine(), 10);
}

TEST_F(HebEditorTest, ClearKeepsPersistentBlocks) {
  f.editor.SetPersistentBlocks(true);
  f.editor.Clear(false);
  EXPECT_TRUE(f.editor.ParaList().PersistentBlocks());
  f.editor.SetPersistentBlocks(false);
  f.editor.Clear(false);
  EXPECT_FALSE(f.editor.ParaList().PersistentBlocks());
}

TEST_F(HebEditorTest, PaintPlanOfTheEditor) {
  Load(S({kAlef, kBet, kGimel}) + "\r\nabc");
  f.editor.SetEngm(false);
  f.editor.SetSelection(1, 2, 1, 4, true);
  const THebPaintPlan plan = f.editor.PlanPaint(0, 100, true, 100, 12);
  ASSERT_GE(plan.Runs.size(), 3u);
  EXPECT_EQ(plan.Runs[0].Bytes, (std::vector<uint8_t>{kAlef}));
  EXPECT_EQ(plan.Runs[0].Rect.Right, 122);
  EXPECT_TRUE(plan.Runs[1].Selected);
  EXPECT_EQ(plan.Runs[1].Bytes, (std::vector<uint8_t>{kGimel, kBet}));
  // Without the focus the selection hides; the persistent block shows instead.
  f.host.focus = false;
  f.editor.SetPersistentBlocks(true);
  f.editor.SetCaretPosition(2, 1);
  f.editor.SetMarker(100);
  f.editor.SetCaretPosition(2, 3);
  f.editor.SetMarker(101);
  f.editor.SetSelection(1, 2, 1, 4, true);
  const THebPaintPlan blockPlan = f.editor.PlanPaint(0, 100, true, 100, 12);
  int selected = 0;
  for (const auto& run : blockPlan.Runs) {
    if (run.Selected) {
      ++selected;
      EXPECT_EQ(run.Line, 2);
      EXPECT_EQ(std::string(run.Bytes.begin(), run.Bytes.end()), "ba");
    }
  }
  EXPECT_EQ(selected, 1);
}

}  // namespace
}  // namespace nuvel
