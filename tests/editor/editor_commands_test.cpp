#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_processor.h"
#include "editor/custom_editor.h"
#include "tests/editor/editor_test_support.h"
#include "platform/virtual_keys.h"

namespace nuvel {
namespace {

using test::ParasOf;
using test::TEditorFixture;
using Paras = std::vector<std::string>;

// Counts OnChange.
struct TChangeCounter {
  explicit TChangeCounter(TNvcCustomEditor& e) {
    e.OnChange = [this](TNvcCustomEditor&) { ++count; };
  }
  int count = 0;
};

TEST(EditorCommandsTest, EnterBetweenWordsDropsTheBlanksBeforeTheCaret) {
  TEditorFixture f;
  f.editor.LoadString("one   two");
  f.editor.SetCaretPosition(1, 7);
  TChangeCounter changes(f.editor);
  EXPECT_TRUE(f.editor.DoCommand(ccNewLine, 0));
  EXPECT_EQ(ParasOf(f.editor), (Paras{"one", "two"}));
  EXPECT_EQ(f.editor.CaretLine(), 2);
  EXPECT_EQ(f.editor.CaretCol(), 1);
  EXPECT_GE(changes.count, 1);
}

struct IndentCase {
  TTabType type;
  std::string indent;
};
void PrintTo(const IndentCase& c, std::ostream* os) { *os << "tab type " << static_cast<int>(c.type); }

class AutoIndentTest : public ::testing::TestWithParam<IndentCase> {};

TEST_P(AutoIndentTest, EnterIndentsLikeTheCaretLine) {
  TEditorFixture f;
  f.editor.SetAutoIndent(true);
  f.editor.SetTabType(GetParam().type);
  f.editor.LoadString("\t  abc");
  f.editor.SetCaretPosition(1, 7);
  f.editor.NewLine(true, true);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"\t  abc", GetParam().indent}));
  EXPECT_EQ(f.editor.CaretPara(), 2);
  EXPECT_EQ(f.editor.CaretPos(), static_cast<int32_t>(GetParam().indent.size()) + 1);
}

INSTANTIATE_TEST_SUITE_P(Types, AutoIndentTest,
                         ::testing::Values(IndentCase{TTabType::ttReal, "\t  "},
                                           IndentCase{TTabType::ttFixed, std::string(10, ' ')},
                                           IndentCase{TTabType::ttSmart, std::string(10, ' ')}));

TEST(EditorCommandsTest, FixedTabFillsToTheNextStop) {
  TEditorFixture f;
  f.editor.SetTabType(TTabType::ttFixed);
  f.editor.SetTabSize(4);
  f.editor.LoadString("abcdefgh");
  f.editor.SetCaretPosition(1, 6);
  TChangeCounter changes(f.editor);
  f.editor.DoCommand(ccTab, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"abcde   fgh"}));
  EXPECT_EQ(f.editor.CaretCol(), 9);
  EXPECT_EQ(changes.count, 1);
}

TEST(EditorCommandsTest, FixedTabOverASelectionCountsFromItsStart) {
  TEditorFixture f;
  f.editor.SetTabType(TTabType::ttFixed);
  f.editor.SetTabSize(4);
  f.editor.LoadString("abcdefgh");
  f.editor.SetSelection(1, 2, 1, 7, false);
  f.editor.InsertTab();
  EXPECT_EQ(ParasOf(f.editor), (Paras{"a   gh"}));
  EXPECT_EQ(f.editor.CaretCol(), 5);
  f.editor.Undo();
  EXPECT_EQ(ParasOf(f.editor), (Paras{"abcdefgh"})) << "one undo group";
}

TEST(EditorCommandsTest, SmartTabAlignsWithTheNextWordAbove) {
  TEditorFixture f;
  f.editor.SetTabType(TTabType::ttSmart);
  f.editor.LoadString("abc   def\r\nx");
  f.editor.SetCaretPosition(2, 2);
  f.editor.InsertTab();
  EXPECT_EQ(ParasOf(f.editor), (Paras{"abc   def", "x     "}));
  EXPECT_EQ(f.editor.CaretCol(), 7);
  // Past the words of the line above the fixed rule applies.
  f.editor.InsertTab();
  EXPECT_EQ(f.editor.CaretCol(), 10) << "to the end of the line above + 1";
  f.editor.InsertTab();
  EXPECT_EQ(f.editor.CaretCol(), 17) << "past it the fixed rule";
}

TEST(EditorCommandsTest, RealTabInsertsATabByte) {
  TEditorFixture f;
  f.editor.LoadString("ab");
  f.editor.SetCaretPosition(1, 2);
  f.editor.InsertTab();
  EXPECT_EQ(ParasOf(f.editor), (Paras{"a\tb"}));
}

TEST(EditorCommandsTest, BackspaceAtTheStartOfTheTextDoesNothingAndJoinsElsewhere) {
  TEditorFixture f;
  f.editor.LoadString("one\r\ntwo");
  TChangeCounter changes(f.editor);
  f.editor.SetCaretPosition(1, 1);
  f.editor.DoCommand(ccBack, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"one", "two"}));
  EXPECT_EQ(changes.count, 1) << "fires whether or not the text changed";
  f.editor.SetCaretPosition(2, 1);
  f.editor.DoCommand(ccBack, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"onetwo"}));
  EXPECT_EQ(f.editor.CaretCol(), 4);
  f.editor.SetWrapAtLeft(false);
  f.editor.LoadString("one\r\ntwo");
  f.editor.SetCaretPosition(2, 1);
  f.editor.Backspace();
  EXPECT_EQ(ParasOf(f.editor), (Paras{"one", "wo"})) << "without WrapAtLeft the byte under the caret goes";
}

TEST(EditorCommandsTest, DelAtTheEndOfTheTextChangesNothingButFiresOnChange) {
  TEditorFixture f;
  f.editor.LoadString("one\r\ntwo");
  f.editor.SetCaretPosition(2, 4);
  TChangeCounter changes(f.editor);
  EXPECT_TRUE(f.editor.DoCommand(ccDel, 0));
  EXPECT_EQ(ParasOf(f.editor), (Paras{"one", "two"}));
  EXPECT_EQ(changes.count, 1);
  EXPECT_FALSE(f.editor.Modified());
}

TEST(EditorCommandsTest, OnlyTheEditingCommandsFireOnChange) {
  TEditorFixture f;
  f.editor.LoadString("abc");
  TChangeCounter changes(f.editor);
  for (TNvcCommand c : {ccRight, ccLeft, ccEnd, ccHome, ccDown, ccUp, ccScrollDown, ccIns, ccIns}) {
    EXPECT_TRUE(f.editor.DoCommand(c, 0));
  }
  EXPECT_EQ(changes.count, 0);
  for (TNvcCommand c : {ccChar, ccUndo, ccRedo, ccDelWord, ccDelEol, ccDelBol, ccDelLine}) {
    f.editor.DoCommand(c, 'x');
  }
  EXPECT_EQ(changes.count, 7);
  EXPECT_FALSE(f.editor.DoCommand(ccNone, 0));
  EXPECT_FALSE(f.editor.DoCommand(ccPageLeft, 0));
  EXPECT_FALSE(f.editor.DoCommand(ccNoCommand, 0));
  TNvcCommand user = 0;
  f.editor.OnUserCommand = [&](TNvcCustomEditor&, TNvcCommand c) { user = c; };
  EXPECT_TRUE(f.editor.DoCommand(300, 0));
  EXPECT_EQ(user, 300);
}

struct DeleteCase {
  const char* text;
  int32_t col;
  TNvcCommand command;
  const char* expected;
  int32_t caretCol;
};
void PrintTo(const DeleteCase& c, std::ostream* os) {
  *os << "command " << c.command << " at " << c.col << " in \"" << c.text << '"';
}

class EditorDeleteTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(EditorDeleteTest, DeletesTheRightBytes) {
  const DeleteCase& c = GetParam();
  TEditorFixture f;
  f.editor.LoadString(c.text);
  f.editor.SetCaretPosition(1, c.col);
  f.editor.DoCommand(c.command, 0);
  EXPECT_EQ(ParasOf(f.editor).front(), c.expected);
  EXPECT_EQ(f.editor.CaretCol(), c.caretCol);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorDeleteTest,
    ::testing::Values(DeleteCase{"alpha beta  gamma", 7, ccDelWord, "alpha gamma", 7},
                      DeleteCase{"alpha beta  gamma", 6, ccDelWord, "alphabeta  gamma", 6},
                      DeleteCase{",x", 1, ccDelWord, "x", 1},
                      DeleteCase{"alpha beta", 7, ccDelEol, "alpha ", 7},
                      DeleteCase{"alpha beta", 7, ccDelBol, "beta", 1},
                      DeleteCase{"alpha beta", 3, ccBack, "apha beta", 2},
                      DeleteCase{"alpha beta", 3, ccDel, "alha beta", 3}));

TEST(EditorCommandsTest, DeleteLineTakesTheLineAndItsEnd) {
  TEditorFixture f;
  f.editor.LoadString("one\r\ntwo\r\nthree");
  f.editor.SetCaretPosition(2, 2);
  f.editor.DoCommand(ccDelLine, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"one", "three"}));
  f.editor.SetCaretPosition(2, 2);
  f.editor.DoCommand(ccDelLine, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"one", ""})) << "the last line keeps its place";
  f.editor.DoCommand(ccUndo, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"one", "three"})) << "one undo group";
}

TEST(EditorCommandsTest, DoubleClickTakesTheWordAndItsTrailingBlanks) {
  TEditorFixture f;
  f.editor.LoadString("alpha beta  gamma");
  // The middle of the cell of column 8 ('e' of "beta").
  const int32_t x = 15 + 7 * 8 + 1;
  f.editor.MouseOverMargin(x);
  f.editor.MouseDoubleClick(x, 4, false);
  EXPECT_EQ(f.editor.SelBegin().Pos, 7);
  EXPECT_EQ(f.editor.SelEnd().Pos, 13);
  EXPECT_EQ(f.editor.CaretCol(), 13);
  // Shift extends the selection to another word.
  const int32_t xa = 15 + 1 * 8 + 1;
  f.editor.MouseDoubleClick(xa, 4, true);
  EXPECT_EQ(f.editor.SelBegin().Pos, 1);
  EXPECT_EQ(f.editor.SelEnd().Pos, 13);
}

TEST(EditorCommandsTest, DoubleClickInTheMarginTakesTheParagraph) {
  TEditorFixture f;
  f.editor.LoadString("one\r\ntwo two\r\nthree");
  f.editor.MouseOverMargin(3);
  f.editor.MouseDoubleClick(3, 16 + 4, false);
  EXPECT_EQ(f.editor.SelBegin().Para, 2);
  EXPECT_EQ(f.editor.SelBegin().Pos, 1);
  EXPECT_EQ(f.editor.SelEnd().Para, 2);
  EXPECT_EQ(f.editor.SelEnd().Pos, 8);
  // With Shift on an earlier paragraph the selection runs from its start.
  f.editor.MouseDoubleClick(3, 4, true);
  EXPECT_EQ(f.editor.SelBegin().Para, 1);
  EXPECT_EQ(f.editor.SelBegin().Pos, 1);
  EXPECT_EQ(f.editor.SelEnd().Para, 2);
  EXPECT_EQ(f.editor.SelEnd().Pos, 8);
  EXPECT_EQ(f.editor.CaretLine(), 1);
}

TEST(EditorCommandsTest, VerticalMovesKeepTheScreenColumnAcrossTabs) {
  TEditorFixture f;
  f.editor.LoadString("\tab\r\n0123456789xyz\r\nab\tc");
  f.editor.SetCaretPosition(2, 11);
  struct Step {
    TNvcCommand command;
    int32_t line, col;
  };
  // Line 1: the tab takes columns 1-8, "a" 9, "b" 10, the end 11.
  // Line 3: "ab", the tab 3-8, "c" 9, the end 10.
  for (const Step s : {Step{ccUp, 1, 4}, Step{ccDown, 2, 11}, Step{ccDown, 3, 5}, Step{ccUp, 2, 10},
                       Step{ccUp, 1, 3}, Step{ccUp, 1, 3}}) {
    f.editor.DoCommand(s.command, 0);
    EXPECT_EQ(f.editor.CaretLine(), s.line);
    EXPECT_EQ(f.editor.CaretCol(), s.col);
  }
}

TEST(EditorCommandsTest, WordMovementStopsAtWordStarts) {
  TEditorFixture f;
  f.editor.LoadString("one, two three\r\nnext");
  struct Step {
    TNvcCommand command;
    int32_t line, col;
  };
  for (const Step s : {Step{ccWordRight, 1, 6}, Step{ccWordRight, 1, 10}, Step{ccWordRight, 1, 15},
                       Step{ccWordRight, 2, 1}, Step{ccWordLeft, 1, 15}, Step{ccWordLeft, 1, 10},
                       Step{ccWordLeft, 1, 6}, Step{ccWordLeft, 1, 1}}) {
    f.editor.DoCommand(s.command, 0);
    EXPECT_EQ(f.editor.CaretLine(), s.line);
    EXPECT_EQ(f.editor.CaretCol(), s.col);
  }
}

TEST(EditorCommandsTest, CaretStepsWrapAtLineEnds) {
  TEditorFixture f;
  f.editor.LoadString("ab\r\ncd");
  f.editor.SetCaretPosition(1, 3);
  f.editor.DoCommand(ccRight, 0);
  EXPECT_EQ(f.editor.CaretLine(), 2);
  EXPECT_EQ(f.editor.CaretCol(), 1);
  f.editor.DoCommand(ccLeft, 0);
  EXPECT_EQ(f.editor.CaretLine(), 1);
  EXPECT_EQ(f.editor.CaretCol(), 3);
  f.editor.DoCommand(ccExtendRight, 0);
  f.editor.DoCommand(ccExtendRight, 0);
  EXPECT_EQ(f.editor.SelBegin().Para, 1);
  EXPECT_EQ(f.editor.SelEnd().Para, 2);
  EXPECT_EQ(f.editor.SelEnd().Pos, 2);
  f.editor.DoCommand(ccLastPage, 0);
  EXPECT_FALSE(f.editor.HasSelection());
  EXPECT_EQ(f.editor.CaretCol(), 3);
}

TEST(EditorCommandsTest, ScrollPastEndLetsTheCaretLeaveTheLine) {
  TEditorFixture f;
  f.editor.SetScrollPastEnd(true);
  f.editor.LoadString("ab\r\ncd");
  f.editor.SetCaretPosition(1, 3);
  f.editor.DoCommand(ccRight, 0);
  f.editor.DoCommand(ccRight, 0);
  EXPECT_EQ(f.editor.CaretLine(), 1);
  EXPECT_EQ(f.editor.CaretCol(), 5);
  // Backspace out there moves back without pulling up the next line.
  f.editor.DoCommand(ccBack, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"ab", "cd"}));
  EXPECT_EQ(f.editor.CaretCol(), 4);
  // Typing there fills the gap with blanks.
  f.editor.DoCommand(ccChar, 'x');
  EXPECT_EQ(ParasOf(f.editor), (Paras{"ab x", "cd"}));
}

TEST(EditorCommandsTest, TypingInOverwriteModeReplaces) {
  TEditorFixture f;
  f.editor.LoadString("abc");
  f.editor.DoCommand(ccIns, 0);
  EXPECT_FALSE(f.editor.InsertMode());
  f.editor.DoCommand(ccChar, 'X');
  f.editor.DoCommand(ccChar, 'Y');
  f.editor.DoCommand(ccChar, 'Z');
  f.editor.DoCommand(ccChar, '!');
  EXPECT_EQ(ParasOf(f.editor), (Paras{"XYZ!"}));
  f.editor.SetReadOnly(true);
  f.editor.DoCommand(ccChar, 'Q');
  EXPECT_EQ(ParasOf(f.editor), (Paras{"XYZ!"}));
}

TEST(EditorCommandsTest, UndoAndRedoWithTheBeep) {
  TEditorFixture f;
  f.editor.DoCommand(ccUndo, 0);
  EXPECT_EQ(f.host.beeps, 1);
  for (char c : std::string("abc")) f.editor.DoCommand(ccChar, static_cast<uint8_t>(c));
  f.editor.DoCommand(ccNewLine, 0);
  f.editor.DoCommand(ccChar, 'd');
  f.editor.DoCommand(ccUndo, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"abc", ""}));
  EXPECT_EQ(f.editor.CaretLine(), 2);
  f.editor.DoCommand(ccUndo, 0);
  f.editor.DoCommand(ccUndo, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{""}));
  EXPECT_EQ(f.editor.CaretCol(), 1);
  EXPECT_FALSE(f.editor.Modified());
  f.editor.DoCommand(ccRedo, 0);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"abc"}));
  EXPECT_EQ(f.editor.CaretCol(), 4);
  EXPECT_EQ(f.host.beeps, 1);
  f.editor.SetReadOnly(true);
  EXPECT_FALSE(f.editor.CanRedo());
  f.editor.DoCommand(ccRedo, 0);
  EXPECT_EQ(f.host.beeps, 2);
}

TEST(EditorCommandsTest, NewLineFiresOnChangeWhenTheSplitFailsAfterADeletion) {
  TEditorFixture f;
  f.editor.SetParaLimit(2);
  f.editor.LoadString("ab\r\ncd");
  f.editor.SetSelection(1, 1, 1, 2, true);
  TChangeCounter changes(f.editor);
  uint16_t error = 0;
  f.editor.OnError = [&](TNvcCustomEditor&, uint16_t& code) { error = code; };
  f.editor.NewLine(true, true);
  EXPECT_EQ(error, 265);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"b", "cd"}));
  EXPECT_EQ(changes.count, 1);
}

TEST(EditorCommandsTest, InsertModeTravelsThroughTheFocus) {
  TEditorFixture f;
  f.editor.FocusEntered(false);
  EXPECT_FALSE(f.editor.InsertMode());
  f.editor.DoCommand(ccIns, 0);
  EXPECT_TRUE(f.editor.FocusLeft());
}

// ---- Keys through the command processor ----

using namespace platform;
platform::KeyStroke Key(uint16_t vk, uint8_t shift, uint8_t typed) { return {vk, shift, typed, false}; }

TEST(EditorKeysTest, ATwoKeySequenceDoesNotTypeItsSecondKey) {
  TEditorFixture f;
  TNvcCommandProcessor processor;
  processor.GetTableByName("WordStar")->SetIsActive(true);
  f.editor.SetCommandProcessor(&processor);
  f.editor.LoadString("abc");
  f.editor.SetCaretPosition(1, 3);
  auto press = [&](uint16_t vk, uint8_t shift, uint8_t typed) {
    f.editor.KeyDown(Key(vk, shift, typed));
    if (typed != 0) f.editor.KeyChar(typed);
  };
  press('Q', platform::kShiftBitCtrl, 17);
  EXPECT_TRUE(f.editor.IgnoreNextChar());
  press('S', 0, 's');  // Ctrl+Q S: start of the line
  EXPECT_EQ(f.editor.Text(), "abc");
  EXPECT_EQ(f.editor.CaretCol(), 1);
  press('X', 0, 'x');
  EXPECT_EQ(f.editor.Text(), "xabc");
  // A lone Shift between the two keys leaves the sequence pending.
  f.editor.SetCaretPosition(1, 1);
  press('Q', platform::kShiftBitCtrl, 17);
  press(VK_SHIFT, platform::kShiftBitShift, 0);
  EXPECT_TRUE(f.editor.IgnoreNextChar());
  press('D', 0, 'd');  // Ctrl+Q D: end of the line
  EXPECT_EQ(f.editor.Text(), "xabc");
  EXPECT_EQ(f.editor.CaretCol(), 5);
  f.editor.SetCaretPosition(1, 1);
  f.editor.DoCommand(ccDel, 0);
  press(VK_BACK, 0, 8);
  EXPECT_EQ(f.editor.Text(), "abc");
  press(VK_RETURN, 0, 13);
  EXPECT_EQ(ParasOf(f.editor), (Paras{"", "abc"}));
  // Without a table entry Tab is not the editor's unless WantTab.
  f.editor.SetCommandProcessor(nullptr);
  EXPECT_FALSE(f.editor.KeyDown(Key(VK_TAB, 0, 9)));
  f.editor.SetWantTab(true);
  EXPECT_TRUE(f.editor.KeyDown(Key(VK_TAB, 0, 9)));
  EXPECT_EQ(ParasOf(f.editor), (Paras{"", "\tabc"}));
}

// ---- Scrolling and the mouse ----

std::string Lines(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + (i < n ? "\r\n" : "");
  return text;
}

TEST(EditorScrollTest, TheWheelScrollsOneLinePerNotch) {
  TEditorFixture f(20, 10);
  f.editor.LoadString(Lines(30));
  platform::TShiftState none;
  f.editor.MouseWheel(none, -60, 0, 0);
  EXPECT_EQ(f.editor.TopLine(), 1);
  f.editor.MouseWheel(none, -60, 0, 0);
  EXPECT_EQ(f.editor.TopLine(), 2) << "toward the user: one line down";
  f.editor.MouseWheel(none, -360, 0, 0);
  EXPECT_EQ(f.editor.TopLine(), 5);
  f.editor.MouseWheel(none, 120, 0, 0);
  EXPECT_EQ(f.editor.TopLine(), 4);
}

TEST(EditorScrollTest, TopLineStaysWithinTheText) {
  TEditorFixture f(20, 10);
  f.editor.LoadString(Lines(30));
  int changes = 0;
  f.editor.OnTopLineChanged = [&](TNvcCustomEditor&, int32_t) { ++changes; };
  f.editor.SetTopLine(100);
  EXPECT_EQ(f.editor.TopLine(), 21);
  f.editor.SetTopLine(-3);
  EXPECT_EQ(f.editor.TopLine(), 1);
  EXPECT_EQ(changes, 2);
  f.editor.SetTopLine(1);
  EXPECT_EQ(changes, 2);
}

TEST(EditorScrollTest, ScrollBarsFollowTheView) {
  TEditorFixture f(20, 10);
  f.editor.LoadString(Lines(30));
  EXPECT_TRUE(f.host.vert.Visible);
  EXPECT_EQ(f.host.vert.Max, 20);
  EXPECT_EQ(f.host.vert.Pos, 0);
  f.editor.VertScrollTo(5);
  EXPECT_EQ(f.editor.TopLine(), 6);
  EXPECT_EQ(f.host.vert.Pos, 5);
  f.editor.VertScrollTo(20);
  EXPECT_EQ(f.editor.TopLine(), 21);
  EXPECT_TRUE(f.host.horz.Visible);
  EXPECT_EQ(f.host.horz.Max, 512);
  f.editor.HorzScrollTo(7);
  EXPECT_EQ(f.editor.HorzOffset(), 7);
  f.editor.LoadString(Lines(3));
  EXPECT_FALSE(f.host.vert.Visible) << "the text fits";
  f.editor.SetWordWrap(true);
  f.editor.SetWrapColumn(15);
  EXPECT_FALSE(f.host.horz.Visible) << "the wrap column fits";
}

TEST(EditorScrollTest, MovingTheCaretOutOfTheWindowScrolls) {
  TEditorFixture f(20, 10);
  f.editor.LoadString(Lines(30) + std::string(40, 'x'));
  f.editor.SetCaretPosition(12, 1);
  EXPECT_EQ(f.editor.TopLine(), 3);
  f.editor.DoCommand(ccNextPage, 0);
  EXPECT_EQ(f.editor.CaretLine(), 21);
  EXPECT_EQ(f.editor.TopLine(), 12) << "the caret keeps its row";
  f.editor.DoCommand(ccLastPage, 0);
  EXPECT_EQ(f.editor.HorzOffset(), 48 - 20);
  f.editor.DoCommand(ccHome, 0);
  EXPECT_EQ(f.editor.HorzOffset(), 0);
  f.editor.DoCommand(ccFirstPage, 0);
  EXPECT_EQ(f.editor.TopLine(), 1);
}

TEST(EditorScrollTest, TheCaretIsPlacedOnItsCell) {
  TEditorFixture f(20, 10);
  f.editor.LoadString(Lines(30));
  f.editor.SetCaretPosition(2, 3);
  EXPECT_EQ(f.host.caretX, 15 + 2 * 8 - 1);
  EXPECT_EQ(f.host.caretY, 16);
  EXPECT_EQ(f.host.statusLine, 2);
  EXPECT_EQ(f.host.statusCol, 3);
  f.editor.SetTopLine(10);
  EXPECT_EQ(f.host.caretX, 32767) << "off screen";
}

TEST(EditorMouseTest, ADragBelowTheWindowScrollsFasterTheFartherOut) {
  TEditorFixture f(20, 10);
  f.editor.LoadString(Lines(30));
  const int32_t x = 15 + 2 * 8 + 1;
  ASSERT_TRUE(f.editor.MouseDown(x, 4, false));
  EXPECT_TRUE(f.editor.MouseCaptured());
  const int32_t below = f.host.ClientHeight() + 10;
  f.editor.MouseDragPass(x, below);
  EXPECT_EQ(f.editor.TopLine(), 2);
  EXPECT_EQ(f.editor.CaretLine(), 11);
  f.editor.MouseDragPass(x, below);
  EXPECT_EQ(f.editor.TopLine(), 3);
  EXPECT_EQ(f.editor.SelBegin().Line, 1);
  EXPECT_EQ(f.editor.SelBegin().Col, 3);
  EXPECT_EQ(f.editor.SelEnd().Line, 12);
  EXPECT_GT(f.editor.DragPassInterval(below, 17), f.editor.DragPassInterval(below + 30, 17));
  EXPECT_EQ(f.editor.DragPassInterval(50, 17), 0) << "inside every pass acts";
  f.editor.MouseUp();
  EXPECT_FALSE(f.editor.MouseCaptured());
}

TEST(EditorMouseTest, TheMarginSelectsWholeLines) {
  TEditorFixture f(20, 10);
  f.editor.LoadString(Lines(10));
  ASSERT_TRUE(f.editor.MouseDown(3, 16 + 2, false));
  EXPECT_EQ(f.editor.SelBegin().Line, 2);
  EXPECT_EQ(f.editor.SelEnd().Line, 3);
  EXPECT_EQ(f.editor.SelEnd().Col, 1);
  f.editor.MouseDragPass(3, 3 * 16 + 2);
  EXPECT_EQ(f.editor.SelBegin().Line, 2);
  EXPECT_EQ(f.editor.SelEnd().Line, 5);
  f.editor.MouseDragPass(3, 2);
  EXPECT_EQ(f.editor.SelBegin().Line, 1);
  EXPECT_EQ(f.editor.SelEnd().Line, 3);
  EXPECT_EQ(f.editor.CaretLine(), 1) << "the caret on the mouse side";
  f.editor.MouseUp();
}

TEST(EditorMouseTest, AClickOnAnEmptyTextTakesNoMouse) {
  TEditorFixture f;
  EXPECT_FALSE(f.editor.MouseDown(40, 4, false));
  EXPECT_FALSE(f.editor.MouseCaptured());
}

TEST(EditorMouseTest, PointsMapToCells) {
  TEditorFixture f(20, 10);
  f.editor.LoadString("abc\r\n\tx\r\nlong line");
  struct Case {
    int32_t x, y, line, col;
  };
  for (const Case c : {Case{15, 0, 1, 1}, Case{15 + 8, 0, 1, 2}, Case{15 + 4, 0, 1, 2},
                       Case{15 + 100, 0, 1, 4}, Case{0, -5, 1, 1}, Case{15 + 8 * 8, 16, 2, 2}, Case{15 + 9 * 8, 16, 2, 3},
                       Case{15 + 8, 1000, 3, 2}}) {
    int32_t line = 0, col = 0;
    f.editor.MouseToLineCol(c.x, c.y, line, col);
    EXPECT_EQ(line, c.line) << c.x << "," << c.y;
    EXPECT_EQ(col, c.col) << c.x << "," << c.y;
  }
}

// A window whose scroll bars come and go with every look at its size.
class TFlippingHost : public test::TFakeEditorHost {
 public:
  TFlippingHost() : TFakeEditorHost(20, 10) {}
  int32_t ClientWidth() const override { return (++calls_ % 2 == 0) ? 200 : 180; }
  int32_t ClientHeight() const override { return (calls_ % 2 == 0) ? 160 : 144; }

 private:
  mutable int calls_ = 0;
};

TEST(EditorScrollTest, MetricsSettleEvenWhenTheBarsKeepFlipping) {
  TFlippingHost host;
  TNvcCustomEditor e;
  e.SetHost(&host);
  e.WindowCreated();
  EXPECT_GE(e.VisibleColumns(), 1);
  EXPECT_GE(e.VisibleRows(), 1);
  e.SetHost(nullptr);
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

TEST(EditorWrapTest, TypingWrapsAndTheCaretFollowsItsText) {
  test::TEditorFixture f(40, 10);
  f.editor.SetWordWrap(true);
  f.editor.SetWrapColumn(10);
  for (char c : std::string("one two three four")) f.editor.DoCommand(ccChar, static_cast<uint8_t>(c));
  EXPECT_EQ(f.editor.ParaCount(), 1);
  EXPECT_EQ(f.editor.LineCount(), 2);
  EXPECT_EQ(f.editor.GetLineString(1), "one two ");
  EXPECT_EQ(f.editor.CaretLine(), 2);
  EXPECT_EQ(f.editor.CaretCol(), 11);
  EXPECT_EQ(f.editor.CaretPos(), 19);
  // Unwrapping keeps the caret on the same byte.
  f.editor.SetWordWrap(false);
  EXPECT_EQ(f.editor.LineCount(), 1);
  EXPECT_EQ(f.editor.CaretLine(), 1);
  EXPECT_EQ(f.editor.CaretCol(), 19);
  // The wrap column can follow the window.
  f.editor.SetWordWrap(true);
  f.editor.SetWrapToWindow(true);
  EXPECT_EQ(f.editor.WrapColumn(), 38);
  f.host.Resize(20, 10);
  f.editor.Resized();
  EXPECT_EQ(f.editor.WrapColumn(), 18);
  EXPECT_EQ(f.editor.LineCount(), 1);
}

TEST(EditorWrapTest, CaretStepsCrossWrappedLines) {
  test::TEditorFixture f(40, 10);
  f.editor.SetWordWrap(true);
  f.editor.SetWrapColumn(10);
  f.editor.LoadString("one two three four");
  f.editor.SetCaretPosition(1, 8);
  f.editor.DoCommand(ccRight, 0);
  EXPECT_EQ(f.editor.CaretLine(), 2);
  EXPECT_EQ(f.editor.CaretCol(), 1);
  f.editor.DoCommand(ccLeft, 0);
  EXPECT_EQ(f.editor.CaretLine(), 1);
  EXPECT_EQ(f.editor.CaretPos(), 8);
  f.editor.DoCommand(ccEnd, 0);
  EXPECT_EQ(f.editor.CaretCol(), 9);
}

}  // namespace
}  // namespace nuvel
