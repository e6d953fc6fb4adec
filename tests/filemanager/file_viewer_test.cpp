#include "filemanager/file_viewer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_numbers.h"
#include "core/exceptions.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

class FileViewerTest : public ::testing::Test {
 protected:
  void Open(const std::string& bytes, int pages = 16) {
    folder_.WriteFile("view.txt", bytes);
    viewer_.SetBufferPageCount(pages);
    viewer_.SetFileName(folder_.Path("view.txt").string());
    viewer_.Open();
    // 10 rows of 40 columns.
    viewer_.SetMetrics(16 + 40 * 8, 10 * 16, 8, 16);
  }
  std::string Selected() {
    const auto bytes = viewer_.SelectedText();
    return {bytes.begin(), bytes.end()};
  }
  TViewerPos Caret() { return viewer_.CaretPos(); }

  test::TempProgramFolder folder_;
  THebFileViewer viewer_;
};

TEST_F(FileViewerTest, SearchFindsMatchesAcrossPageBordersBothWays) {
  // Words placed so that some straddle 4 KB page borders and the 64 KB
  // search window.
  std::string text;
  std::vector<int64_t> places;
  for (int64_t at : {int64_t{100}, int64_t{4094}, int64_t{8190}, int64_t{65534}, int64_t{70000}}) {
    while (static_cast<int64_t>(text.size()) < at) text += (text.size() % 50 == 49) ? '\n' : 'x';
    places.push_back(static_cast<int64_t>(text.size()));
    text += "Needle";
  }
  text += "\nend";
  Open(text, 2);
  auto offsetOfSelection = [&] {
    // Line starts by the rules: LF ends each line.
    int64_t offset = 0;
    int64_t line = 0;
    while (line < viewer_.SelStart().line) {
      if (text[static_cast<size_t>(offset)] == '\n') ++line;
      ++offset;
    }
    return offset + viewer_.SelStart().col;
  };
  for (int64_t place : places) {
    ASSERT_TRUE(viewer_.FindText(Bytes("needle"), 0));
    EXPECT_EQ(offsetOfSelection(), place);
    EXPECT_EQ(Caret(), viewer_.SelEnd());
    EXPECT_EQ(Selected(), "Needle");
  }
  EXPECT_FALSE(viewer_.FindText(Bytes("needle"), 0));
  // Backwards from the caret (at the last match's end), the caret at each
  // match's start.
  for (auto it = places.rbegin(); it != places.rend(); ++it) {
    ASSERT_TRUE(viewer_.FindText(Bytes("needle"), 2));
    EXPECT_EQ(offsetOfSelection(), *it);
    EXPECT_EQ(Caret(), viewer_.SelStart());
  }
  EXPECT_FALSE(viewer_.FindText(Bytes("needle"), 2));
  // Match case, from the end backwards, from the start forwards.
  EXPECT_FALSE(viewer_.FindText(Bytes("needle"), 4 | 8));
  ASSERT_TRUE(viewer_.FindText(Bytes("Needle"), 2 | 4 | 8));
  EXPECT_EQ(offsetOfSelection(), places.back());
  ASSERT_TRUE(viewer_.FindText(Bytes("Needle"), 4 | 8));
  EXPECT_EQ(offsetOfSelection(), places.front());
  EXPECT_FALSE(viewer_.FindText(Bytes(""), 8));
}

TEST_F(FileViewerTest, SearchSkipsMatchesBeyondTheShownPartOfALine) {
  Open(std::string(1030, 'a') + "word\nshort word\n");
  ASSERT_TRUE(viewer_.FindText(Bytes("word"), 8));
  EXPECT_EQ(viewer_.SelStart(), (TViewerPos{1, 6}));
}

TEST_F(FileViewerTest, HexViewSearchSelectsTheCharacterColumns) {
  Open(std::string(20, '-') + "abc" + std::string(30, '-'));
  viewer_.SetInHexMode(true);
  EXPECT_EQ(viewer_.LineCount(), 4);
  ASSERT_TRUE(viewer_.FindText(Bytes("ABC"), 8));
  EXPECT_EQ(viewer_.SelStart(), (TViewerPos{1, 59 + 4}));
  EXPECT_EQ(viewer_.SelEnd(), (TViewerPos{1, 59 + 7}));
  EXPECT_EQ(Selected(), "abc");
  EXPECT_FALSE(viewer_.FindText(Bytes("ABC"), 8 | 4));
}

TEST_F(FileViewerTest, HexLinesOfAShortFile) {
  std::string bytes(100, 'q');
  Open(bytes);
  viewer_.SetInHexMode(true);
  EXPECT_EQ(viewer_.LineCount(), 7);
  const auto last = viewer_.GetLine(6);
  const std::string line(last.begin(), last.end());
  EXPECT_EQ(line.substr(0, 8), "00000060");
  EXPECT_EQ(line.substr(10, 12), "71 71 71 71 ");
  EXPECT_EQ(line.substr(22, 3), "   ");
  EXPECT_EQ(line.substr(59, 5), "qqqq ");
  EXPECT_EQ(viewer_.CheckLine(1000), 6);
}

TEST_F(FileViewerTest, SwitchingViewsKeepsTheCaretsPlaceInTheFile) {
  Open("first\nsecond line\nthird\n");
  viewer_.SetCaretPosition(1, 3, false);  // offset 9
  viewer_.SetInHexMode(true);
  EXPECT_EQ(Caret().line, 0);
  viewer_.SetCaretPosition(1, 0, false);  // offset 16
  viewer_.SetInHexMode(false);
  EXPECT_EQ(Caret(), (TViewerPos{1, 10}));
}

TEST_F(FileViewerTest, SelectionAndCopyJoinLinesWithCrLf) {
  Open("alpha\r\nbeta\ngamma\rdelta");
  viewer_.SetSelection({0, 2}, {2, 3}, true);
  EXPECT_EQ(Selected(), "pha\r\nbeta\r\ngam");
  std::vector<uint8_t> copied;
  viewer_.OnCopy = [&](const std::vector<uint8_t>& b) { copied = b; };
  EXPECT_TRUE(viewer_.ExecuteCommand(ccCopy));
  EXPECT_EQ(std::string(copied.begin(), copied.end()), "pha\r\nbeta\r\ngam");
  // Select all takes the last line too.
  viewer_.SelectAll();
  EXPECT_EQ(Selected(), "alpha\r\nbeta\r\ngamma\r\ndelta");
  EXPECT_EQ(Caret(), (TViewerPos{3, 5}));
}

TEST_F(FileViewerTest, CopyOfSixtyFourKilobytesIsRefused) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::string(700, 'z') + "\n";
  Open(text);
  viewer_.SetSelection({0, 0}, {92, 0}, true);  // 92 * 702 = 64584 bytes
  EXPECT_EQ(viewer_.SelectedText().size(), 64584u);
  viewer_.SetSelection({0, 0}, {93, 700}, true);
  EXPECT_THROW(viewer_.CopyToClipboard(), ERegionTooLarge);
}

TEST_F(FileViewerTest, CaretCommandsTable) {
  Open("one two\tthree\n\nlonger line here\nx");
  struct Step {
    TNvcCommand command;
    TViewerPos caret;
  };
  const std::vector<Step> steps = {
      {ccEnd, {0, 13}},       {ccRight, {1, 0}},     {ccRight, {2, 0}},      {ccLeft, {1, 0}},
      {ccLeft, {0, 13}},      {ccHome, {0, 0}},      {ccWordRight, {0, 4}},  {ccWordRight, {0, 8}},
      {ccWordRight, {0, 13}}, {ccWordRight, {1, 0}}, {ccWordLeft, {0, 13}},  {ccWordLeft, {0, 8}},
      {ccDown, {1, 0}},       {ccDown, {2, 8}},     {ccUp, {1, 0}},         {ccLastPage, {3, 1}},
      {ccDown, {3, 1}},       {ccFirstPage, {0, 0}}, {ccBotOfPage, {3, 0}},  {ccTopOfPage, {0, 0}},
  };
  for (const Step& s : steps) {
    EXPECT_TRUE(viewer_.ExecuteCommand(s.command)) << s.command;
    EXPECT_EQ(Caret(), s.caret) << "after command " << s.command;
  }
  EXPECT_FALSE(viewer_.HasSelection());
  // Extending keeps the anchor.
  viewer_.ExecuteCommand(ccExtendRight);
  viewer_.ExecuteCommand(ccExtendDown);
  EXPECT_EQ(viewer_.SelStart(), (TViewerPos{0, 0}));
  EXPECT_EQ(viewer_.SelEnd(), (TViewerPos{1, 0}));
  viewer_.ExecuteCommand(ccExtendUp);
  viewer_.ExecuteCommand(ccExtendLeft);
  EXPECT_FALSE(viewer_.HasSelection());
}

TEST_F(FileViewerTest, DownKeepsTheDisplayColumnAcrossTabs) {
  Open("\tafter tab\n0123456789abc\n");
  viewer_.SetCaretPosition(0, 2, false);  // display column 9
  viewer_.ExecuteCommand(ccDown);
  EXPECT_EQ(Caret(), (TViewerPos{1, 9}));
  viewer_.ExecuteCommand(ccUp);
  EXPECT_EQ(Caret(), (TViewerPos{0, 2}));
  EXPECT_EQ(viewer_.CaretDisplayPos(), (TViewerPos{0, 9}));
}

TEST_F(FileViewerTest, BookmarksSetGoAndRemove) {
  std::string text;
  for (int i = 0; i < 50; ++i) text += "line " + std::to_string(i) + "\n";
  Open(text);
  viewer_.SetCaretPosition(30, 2, false);
  viewer_.ExecuteCommand(ccSetMarker0 + 3);
  viewer_.ExecuteCommand(ccFirstPage);
  viewer_.ExecuteCommand(ccGotoMarker0 + 3);
  EXPECT_EQ(Caret(), (TViewerPos{30, 2}));
  EXPECT_EQ(viewer_.PlanRow(static_cast<int>(30 - viewer_.TopLine())).Bookmark, 3);
  viewer_.ExecuteCommand(ccSetMarker0 + 3);
  EXPECT_EQ(viewer_.Bookmark(3).line, -1);
  viewer_.ExecuteCommand(ccFirstPage);
  viewer_.ExecuteCommand(ccGotoMarker0 + 3);
  EXPECT_EQ(Caret(), (TViewerPos{0, 0}));
}

TEST_F(FileViewerTest, UserCommandsGoToTheOwnerAndUnknownCommandsAreLeft) {
  Open("x");
  TNvcCommand got = 0;
  viewer_.OnUserCommand = [&](TNvcCommand c) { got = c; };
  EXPECT_TRUE(viewer_.ExecuteCommand(300));
  EXPECT_EQ(got, 300);
  EXPECT_FALSE(viewer_.ExecuteCommand(ccPaste));
}

TEST_F(FileViewerTest, ScrollArithmetic) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += std::to_string(i) + "\n";
  Open(text);
  viewer_.CheckLine(kUnknownLineCount);
  ASSERT_EQ(viewer_.LineCount(), 100001);
  TViewerScrollBar bar = viewer_.VertScrollBar();
  EXPECT_EQ(bar.Divisor, 100001 / 32768 * 2);
  EXPECT_EQ(bar.Max, (100001 - 10) / bar.Divisor);
  viewer_.VertThumbTo(1000);
  EXPECT_EQ(viewer_.TopLine(), 1000 * bar.Divisor);
  viewer_.VertThumbTo(bar.Max);
  EXPECT_EQ(viewer_.TopLine(), 100001 - 10);
  EXPECT_EQ(viewer_.VertScrollBar().Pos, bar.Max);
  viewer_.VertThumbTo(0);
  EXPECT_EQ(viewer_.TopLine(), 0);
  viewer_.VertPage(1);
  EXPECT_EQ(viewer_.TopLine(), 10);
  viewer_.Wheel(-360);
  EXPECT_EQ(viewer_.TopLine(), 13);
  viewer_.SetTopLine(1 << 30);
  EXPECT_EQ(viewer_.TopLine(), 100001 - 10);
  viewer_.SetLeftCol(9999);
  EXPECT_EQ(viewer_.LeftCol(), 512);
  // Caret commands scroll so the caret stays in view.
  viewer_.SetLeftCol(0);
  viewer_.ExecuteCommand(ccFirstPage);
  for (int i = 0; i < 12; ++i) viewer_.ExecuteCommand(ccDown);
  EXPECT_EQ(viewer_.TopLine(), 3);
}

TEST_F(FileViewerTest, MouseClicksDragsAndMarginSelectWholeLines) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word" + std::to_string(i) + " tail\n";
  Open(text);
  // Row 2, column 3 (x = 16 + 3 * 8).
  viewer_.MouseDown(16 + 3 * 8 + 1, 2 * 16 + 1, false);
  viewer_.MouseUp();
  EXPECT_EQ(Caret(), (TViewerPos{2, 3}));
  // A drag below the window extends and scrolls.
  viewer_.MouseDown(16 + 1, 1, false);
  viewer_.MouseDrag(16 + 1, 10 * 16 + 5);
  viewer_.MouseDrag(16 + 1, 10 * 16 + 5);
  viewer_.MouseUp();
  EXPECT_EQ(viewer_.SelStart(), (TViewerPos{0, 0}));
  EXPECT_EQ(viewer_.SelEnd(), (TViewerPos{11, 0}));
  EXPECT_EQ(viewer_.TopLine(), 2);
  // Margin: whole lines, Shift from the caret's line.
  viewer_.SetTopLine(0);
  viewer_.MouseDown(4, 3 * 16 + 2, false);
  viewer_.MouseDrag(4, 5 * 16 + 2);
  viewer_.MouseUp();
  EXPECT_EQ(viewer_.SelStart(), (TViewerPos{3, 0}));
  EXPECT_EQ(viewer_.SelEnd(), (TViewerPos{6, 0}));
  EXPECT_EQ(Caret(), (TViewerPos{6, 0}));
  // Double click selects the word.
  viewer_.DoubleClick(16 + 2 * 8, 1 * 16 + 3);
  EXPECT_EQ(Selected(), "word1");
}

TEST_F(FileViewerTest, RowPlanExpandsTabsReplacesOutOfRangeBytesAndMarksTheSelection) {
  Open("a\tb\x01z\nnext\n");
  viewer_.SetFontRange(32, 255, '?');
  viewer_.SetSelection({0, 2}, {1, 2}, true);
  TViewerRow r0 = viewer_.PlanRow(0);
  ASSERT_TRUE(r0.Exists);
  EXPECT_EQ(std::string(r0.Cells.begin(), r0.Cells.end()), "a       b?z");
  EXPECT_EQ(r0.SelFrom, 8);
  EXPECT_EQ(r0.SelTo, 12);
  TViewerRow r1 = viewer_.PlanRow(1);
  EXPECT_EQ(r1.SelFrom, 0);
  EXPECT_EQ(r1.SelTo, 2);
  EXPECT_TRUE(viewer_.PlanRow(2).Exists);
  EXPECT_FALSE(viewer_.PlanRow(3).Exists);
  viewer_.SetExpandTabs(false);
  viewer_.SetTabSize(0);
  EXPECT_EQ(viewer_.TabSize(), 8);
  r0 = viewer_.PlanRow(0);
  EXPECT_EQ(std::string(r0.Cells.begin(), r0.Cells.end()), "a?b?z");
}

TEST_F(FileViewerTest, ClosingFreesTheFileAndAFailedOpenLeavesItClosed) {
  Open("abc\ndef");
  viewer_.GetLine(1);
  viewer_.Close();
  EXPECT_FALSE(viewer_.IsOpen());
  EXPECT_EQ(viewer_.LineCount(), 0);
  for (int64_t page : viewer_.File().CachedPages()) EXPECT_EQ(page, -1);
  viewer_.SetFileName(folder_.Path("absent").string());
  EXPECT_THROW(viewer_.Open(), EInOutError);
  EXPECT_FALSE(viewer_.IsOpen());
  EXPECT_FALSE(viewer_.ExecuteCommand(ccPaste));
  EXPECT_TRUE(viewer_.ExecuteCommand(ccDown));
}

TEST_F(FileViewerTest, EmptyFileShowsNoLinesAndCommandsDoNothing) {
  Open("");
  EXPECT_EQ(viewer_.LineCount(), 0);
  EXPECT_FALSE(viewer_.HasLines());
  viewer_.SelectAll();
  EXPECT_FALSE(viewer_.HasSelection());
  EXPECT_FALSE(viewer_.FindText(Bytes("a"), 8));
  EXPECT_FALSE(viewer_.PlanRow(0).Exists);
}

}  // namespace
}  // namespace nuvel
