#include "editor/custom_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/exceptions.h"
#include "tests/editor/editor_test_support.h"

namespace nuvel {
namespace {

using test::ParasOf;
using test::TEditorFixture;

TEST(CustomEditorTest, StartsWithTheDocumentedValues) {
  TNvcCustomEditor e;
  EXPECT_FALSE(e.AutoIndent());
  EXPECT_EQ(e.ByteLimit(), 2147483647u);
  EXPECT_TRUE(e.HideSelection());
  EXPECT_TRUE(e.InsertMode());
  EXPECT_EQ(e.LeftMargin(), 15);
  EXPECT_EQ(e.RightMargin(), 5);
  EXPECT_EQ(e.ParaLengthLimit(), 32767u);
  EXPECT_EQ(e.ParaLimit(), 2147483647u);
  EXPECT_FALSE(e.ReadOnly());
  EXPECT_EQ(e.ScrollBars(), TScrollStyle::ssBoth);
  EXPECT_EQ(e.TabSize(), 8);
  EXPECT_EQ(e.TabType(), TTabType::ttReal);
  EXPECT_TRUE(e.TrimWhiteSpace());
  EXPECT_EQ(e.UndoBufferSize(), 8192u);
  EXPECT_TRUE(e.WantEnter());
  EXPECT_FALSE(e.WantTab());
  EXPECT_FALSE(e.WordWrap());
  EXPECT_TRUE(e.WrapAtLeft());
  EXPECT_EQ(e.WrapColumn(), 80);
  EXPECT_EQ(e.WordDelimiters().size(), 35u);
  EXPECT_EQ(e.TextLength(), 0);
  EXPECT_EQ(e.LineCount(), 1);
}

TEST(CustomEditorTest, SettersIgnoreValuesOutOfRange) {
  TNvcCustomEditor e;
  e.SetParaLengthLimit(0);
  e.SetParaLengthLimit(40000);
  EXPECT_EQ(e.ParaLengthLimit(), 32767u);
  e.SetParaLimit(0);
  EXPECT_EQ(e.ParaLimit(), 2147483647u);
  e.SetByteLimit(-5);
  EXPECT_EQ(e.ByteLimit(), 2147483647u);
  e.SetTabSize(0);
  EXPECT_EQ(e.TabSize(), 8);
  e.SetWrapColumn(0);
  EXPECT_EQ(e.WrapColumn(), 80);
  e.SetLeftMargin(-1);
  EXPECT_EQ(e.LeftMargin(), 15);
}

TEST(CustomEditorTest, WrapSettingsExcludeEachOther) {
  TNvcCustomEditor e;
  e.SetScrollPastEnd(true);
  e.SetWrapAtLeft(false);
  e.SetWordWrap(true);
  EXPECT_FALSE(e.ScrollPastEnd());
  EXPECT_TRUE(e.WrapAtLeft());
  e.SetWrapAtLeft(false);
  EXPECT_TRUE(e.WrapAtLeft()) << "always on while wrapping";
  e.SetScrollPastEnd(true);
  EXPECT_FALSE(e.WordWrap());
}

struct SelectionCase {
  int32_t l1, c1, l2, c2;
  bool caretAtEnd;
  int32_t beginLine, beginCol, endLine, endCol, caretLine, caretCol;
};
void PrintTo(const SelectionCase& c, std::ostream* os) {
  *os << c.l1 << ':' << c.c1 << " to " << c.l2 << ':' << c.c2 << (c.caretAtEnd ? " caret at end" : " caret at start");
}

class SetSelectionTest : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SetSelectionTest, ClampsToTheTextAndPlacesTheCaret) {
  const SelectionCase& c = GetParam();
  TEditorFixture f;
  f.editor.LoadString("first\r\nsecond\r\nend");
  f.editor.SetSelection(c.l1, c.c1, c.l2, c.c2, c.caretAtEnd);
  int32_t l1 = 0, c1 = 0, l2 = 0, c2 = 0;
  ASSERT_TRUE(f.editor.GetSelection(l1, c1, l2, c2));
  EXPECT_EQ(l1, c.beginLine);
  EXPECT_EQ(c1, c.beginCol);
  EXPECT_EQ(l2, c.endLine);
  EXPECT_EQ(c2, c.endCol);
  EXPECT_EQ(f.editor.CaretLine(), c.caretLine);
  EXPECT_EQ(f.editor.CaretCol(), c.caretCol);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetSelectionTest,
    ::testing::Values(SelectionCase{5, 1, 2, 1, false, 2, 1, 3, 1, 3, 1},    // line 5 is line 3
                      SelectionCase{1, 2, 2, 3, true, 1, 2, 2, 3, 2, 3},     // in order, caret at end
                      SelectionCase{2, 3, 1, 2, true, 1, 2, 2, 3, 1, 2},     // reversed
                      SelectionCase{1, 99, 0, 0, false, 1, 1, 1, 6, 1, 6},   // columns to the line
                      SelectionCase{3, 9, 3, 1, false, 3, 1, 3, 4, 3, 4}));  // last line's end

TEST(CustomEditorTest, SetSelectionOnAnEmptyTextDoesNothing) {
  TEditorFixture f;
  f.editor.SetSelection(1, 1, 1, 5, true);
  EXPECT_FALSE(f.editor.HasSelection());
}

struct GetTextCase {
  std::string text;
  size_t size;
  std::string expected;
};
void PrintTo(const GetTextCase& c, std::ostream* os) { *os << c.size << " bytes of a " << c.text.size() << "-byte text"; }

class GetTextTest : public ::testing::TestWithParam<GetTextCase> {};

TEST_P(GetTextTest, CopiesWhatFitsAndReturnsTheBytesWritten) {
  const GetTextCase& c = GetParam();
  TNvcCustomEditor e;
  e.LoadString(c.text);
  std::vector<uint8_t> buffer(c.size + 4, 0xEE);
  const int32_t n = e.GetText(std::span<uint8_t>(buffer.data(), c.size));
  EXPECT_EQ(n, static_cast<int32_t>(c.expected.size()));
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + n), c.expected);
  if (c.size > 0) {
    EXPECT_EQ(buffer[static_cast<size_t>(n)], 0) << "zero-terminated";
  }
  EXPECT_EQ(buffer[c.size], 0xEE) << "nothing written past the buffer";
}

INSTANTIATE_TEST_SUITE_P(Cases, GetTextTest,
                         ::testing::Values(GetTextCase{"abcdef", 0, ""}, GetTextCase{"abcdef", 5, "abcd"},
                                           GetTextCase{"abcdef", 7, "abcdef"},
                                           GetTextCase{"abcdef", 100, "abcdef"},
                                           GetTextCase{"ab\r\ncd", 100, "ab\r\ncd"},
                                           GetTextCase{"ab\r\ncd", 5, "ab\r\n"},
                                           GetTextCase{"ab\r\ncd", 4, "ab"},
                                           GetTextCase{"ab\r\n", 100, "ab\r\n"}));

TEST(CustomEditorTest, LoadTextSplitsAtEveryKindOfLineEnd) {
  TNvcCustomEditor e;
  e.LoadString("one\r\ntwo\nthree\r\n");
  EXPECT_EQ(ParasOf(e), (std::vector<std::string>{"one", "two", "three", ""}));
  EXPECT_FALSE(e.Modified());
  EXPECT_FALSE(e.CanUndo());
}

TEST(CustomEditorTest, AppendParaCutsALongLineAtTheLastWordStartBeforeTheLimit) {
  TNvcCustomEditor e;
  std::string line;
  while (line.size() < 40000) line += "word" + std::to_string(line.size() % 97) + " ";
  line.resize(40000);
  line.back() = 'z';
  ASSERT_EQ(e.AppendPara(line), 0);
  const auto paras = ParasOf(e);
  ASSERT_EQ(paras.size(), 3u) << "two pieces before the empty last paragraph";
  EXPECT_LE(paras[0].size(), 32767u);
  EXPECT_GT(paras[0].size(), 32700u);
  // The first piece ends where the word that crosses the limit starts.
  const size_t cut = line.rfind(' ', 32766) + 1;
  EXPECT_EQ(paras[1], line.substr(cut));
  EXPECT_EQ(paras[0], line.substr(0, cut - 1)) << "its trailing blank trimmed";
  EXPECT_EQ(paras[2], "");
}

TEST(CustomEditorTest, AppendParaOfAnEmptyLineAddsAnEmptyParagraph) {
  TNvcCustomEditor e;
  e.AppendPara("a");
  e.AppendPara("");
  e.AppendPara("b");
  EXPECT_EQ(ParasOf(e), (std::vector<std::string>{"a", "", "b", ""}));
}

TEST(CustomEditorTest, AppendParaReturnsTheLimitError) {
  TNvcCustomEditor e;
  e.SetParaLimit(2);
  EXPECT_EQ(e.AppendPara("a"), 0);
  EXPECT_EQ(e.AppendPara("b"), 0) << "the empty last paragraph does not count";
  EXPECT_EQ(e.AppendPara("c"), 265);
  TNvcCustomEditor f;
  f.SetByteLimit(8);
  EXPECT_EQ(f.AppendPara("abcdefgh"), 267);
}

TEST(CustomEditorTest, ErrorsRaiseEditorErrorWithoutAHandler) {
  TNvcCustomEditor e;
  try {
    e.DoOnError(268);
    FAIL() << "no exception";
  } catch (const EEditorError& error) {
    EXPECT_EQ(error.EditorCode(), 268);
  }
  EXPECT_NO_THROW(e.DoOnError(0));
  uint16_t seen = 0;
  e.OnError = [&](TNvcCustomEditor&, uint16_t& code) { seen = code; };
  EXPECT_NO_THROW(e.DoOnError(265));
  EXPECT_EQ(seen, 265);
}

TEST(CustomEditorTest, BadPositionsRaiseTheirExceptions) {
  TEditorFixture f;
  f.editor.LoadString("abc\r\ndef");
  EXPECT_THROW(f.editor.SetCaretPosition(0, 1), EInvalidLineOrPara);
  EXPECT_THROW(f.editor.SetCaretPosition(3, 1), EInvalidLineOrPara);
  EXPECT_THROW(f.editor.SetMarkerAt(3, 1, 0), EInvalidLineOrCol);
  EXPECT_NO_THROW(f.editor.SetMarkerAt(100, 1, 1));
  int32_t col = 0;
  EXPECT_EQ(f.editor.GetMarkerPosition(3, col), -1);
  f.editor.SetMarkerAt(3, 2, 2);
  EXPECT_EQ(f.editor.GetMarkerPosition(3, col), 2);
  EXPECT_EQ(col, 2);
  f.editor.SetCaretPosition(1, 1);
  // The marker number comes from the key, not from the command.
  EXPECT_TRUE(f.editor.DoCommand(ccGotoMarker0 + 3, '3'));
  EXPECT_EQ(f.editor.CaretLine(), 2);
  EXPECT_EQ(f.editor.CaretCol(), 2);
}

TEST(CustomEditorTest, SelectionEqualsFoldsOnlyAsciiLetters) {
  TEditorFixture f;
  f.editor.LoadString("Hello\xE0 world");
  f.editor.SetSelection(1, 1, 1, 7, true);
  EXPECT_TRUE(f.editor.SelectionEquals("hello\xE0", false));
  EXPECT_FALSE(f.editor.SelectionEquals("hello\xE0", true));
  EXPECT_FALSE(f.editor.SelectionEquals("hello\xC0", false)) << "no folding above ASCII";
  EXPECT_FALSE(f.editor.SelectionEquals("hello", false)) << "length must match";
  EXPECT_FALSE(f.editor.SelectionEquals("", false));
}

TEST(CustomEditorTest, ReplacingASelectionChecksTheLimitsFirst) {
  TEditorFixture f;
  f.editor.SetParaLengthLimit(10);
  f.editor.LoadString("abcdefgh\r\nxy");
  f.editor.SetSelection(1, 3, 1, 5, true);
  EXPECT_EQ(f.editor.InsertString("12345"), 268) << "8 - 2 + 5 bytes exceed 10";
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{"abcdefgh", "xy"})) << "text unchanged";
  EXPECT_TRUE(f.editor.HasSelection());
  EXPECT_EQ(f.editor.InsertString("123"), 0);
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{"ab123efgh", "xy"}));
  // Typing over a selection that spans paragraphs joins what is left.
  f.editor.LoadString("abcdefgh\r\nijklmnop");
  f.editor.OnError = [](TNvcCustomEditor&, uint16_t&) {};
  f.editor.SetSelection(1, 8, 2, 2, true);
  f.editor.InsertChar('Z');
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{"abcdefgh", "ijklmnop"}))
      << "7 + 1 + 7 bytes would exceed 10";
}

// A paragraph already longer than a limit lowered after loading: deleting
// from inside it across paragraphs would join the rest to it, which the list
// refuses. The deletion is refused whole, before anything goes, and the view
// stays on the text it shows.
TEST(CustomEditorTest, DeletingAcrossParagraphsRefusesATooLongJoinBeforeDeleting) {
  TEditorFixture f;
  f.editor.LoadString("alpha beta  gamma\r\n\tdelta, epsilon\r\n\r\nzeta");
  f.editor.SetParaLengthLimit(10);
  uint16_t reported = 0;
  f.editor.OnError = [&](TNvcCustomEditor&, uint16_t& code) { reported = code; };
  f.editor.SetSelection(1, 18, 4, 5, true);
  f.editor.DoCommand(ccDel, 0);
  EXPECT_EQ(reported, 266);
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{"alpha beta  gamma", "\tdelta, epsilon", "", "zeta"}))
      << "text whole";
  EXPECT_EQ(f.editor.CaretPara(), 4);
  EXPECT_EQ(f.editor.CaretPos(), 5);
  EXPECT_TRUE(f.editor.HasSelection());

  // From the start of the long paragraph nothing is joined to it.
  reported = 0;
  f.editor.SetSelection(1, 1, 4, 5, true);
  f.editor.DoCommand(ccDel, 0);
  EXPECT_EQ(reported, 0);
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{""}));
  EXPECT_EQ(f.editor.CaretLine(), 1);
  EXPECT_EQ(f.editor.CaretCol(), 1);
  EXPECT_FALSE(f.editor.HasSelection());
}

TEST(CustomEditorTest, InsertTextSplitsLinesInOneUndoGroup) {
  TEditorFixture f;
  f.editor.LoadString("ab");
  f.editor.SetCaretPosition(1, 2);
  ASSERT_EQ(f.editor.InsertString("1\r\n2\r\n3"), 0);
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{"a1", "2", "3b"}));
  EXPECT_EQ(f.editor.CaretLine(), 3);
  EXPECT_EQ(f.editor.CaretCol(), 2);
  f.editor.Undo();
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{"ab"}));
  f.editor.SetReadOnly(true);
  EXPECT_EQ(f.editor.InsertString("x"), 0);
  EXPECT_EQ(ParasOf(f.editor), (std::vector<std::string>{"ab"}));
}

TEST(CustomEditorTest, ClearKeepsTheLimitsAndResetsTheView) {
  TEditorFixture f;
  f.editor.SetParaLengthLimit(100);
  f.editor.SetTabSize(4);
  f.editor.LoadString("abc\r\ndef");
  f.editor.SetCaretPosition(2, 3);
  f.editor.Clear(true);
  EXPECT_EQ(f.editor.ParaLengthLimit(), 100u);
  EXPECT_EQ(f.editor.TabSize(), 4);
  EXPECT_EQ(f.editor.TextLength(), 0);
  EXPECT_EQ(f.editor.CaretLine(), 1);
  EXPECT_EQ(f.editor.CaretCol(), 1);
  EXPECT_EQ(f.editor.TopLine(), 1);
}

// ---- Two views of one text ----

struct TTwoViews {
  TTwoViews() {
    a.editor.LoadString("hello world\r\nsecond line\r\nthird");
    b.editor.Attach(&a.editor);
  }
  TEditorFixture a;
  TEditorFixture b;
};

TEST(EditorViewsTest, AttachSharesTheTextAndJoinsTheRing) {
  TTwoViews v;
  EXPECT_EQ(&v.a.editor.ParaList(), &v.b.editor.ParaList());
  EXPECT_EQ(v.a.editor.Views().size(), 2u);
  EXPECT_EQ(v.b.editor.Text(), v.a.editor.Text());
}

struct ViewEditCase {
  const char* name;
  void (*edit)(TNvcCustomEditor& a);
  int32_t otherPara, otherPos;      // the other view's caret before
  int32_t expectPara, expectPos;    // and after
};
void PrintTo(const ViewEditCase& c, std::ostream* os) { *os << c.name; }

class EditorViewsEditTest : public ::testing::TestWithParam<ViewEditCase> {};

TEST_P(EditorViewsEditTest, TheOtherViewsCaretFollowsTheText) {
  const ViewEditCase& c = GetParam();
  TTwoViews v;
  v.b.editor.MoveCaretToPara(c.otherPara, c.otherPos, false);
  c.edit(v.a.editor);
  EXPECT_EQ(v.b.editor.CaretPara(), c.expectPara) << c.name;
  EXPECT_EQ(v.b.editor.CaretPos(), c.expectPos) << c.name;
  EXPECT_EQ(v.a.editor.Text(), v.b.editor.Text());
  // Line and column agree with the paragraph position.
  int32_t para = v.b.editor.CaretLine();
  int32_t col = v.b.editor.CaretCol();
  v.b.editor.LineToPara(para, col);
  EXPECT_EQ(para, c.expectPara);
  EXPECT_EQ(col, c.expectPos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorViewsEditTest,
    ::testing::Values(
        ViewEditCase{"insert before", [](TNvcCustomEditor& a) { a.SetCaretPosition(1, 1); a.InsertChar('X'); },
                     1, 7, 1, 8},
        ViewEditCase{"insert after", [](TNvcCustomEditor& a) { a.SetCaretPosition(1, 9); a.InsertChar('X'); },
                     1, 7, 1, 7},
        ViewEditCase{"delete before", [](TNvcCustomEditor& a) { a.SetCaretPosition(1, 1); a.DoCommand(ccDel, 0); },
                     1, 7, 1, 6},
        ViewEditCase{"delete over", [](TNvcCustomEditor& a) { a.SetSelection(1, 5, 1, 9, true); a.DeleteSelection(); },
                     1, 7, 1, 5},
        ViewEditCase{"split before", [](TNvcCustomEditor& a) { a.SetCaretPosition(1, 6); a.NewLine(true, true); },
                     1, 8, 2, 3},
        ViewEditCase{"split above", [](TNvcCustomEditor& a) { a.SetCaretPosition(1, 6); a.NewLine(true, true); },
                     3, 2, 4, 2},
        ViewEditCase{"join", [](TNvcCustomEditor& a) { a.SetCaretPosition(1, 12); a.DoCommand(ccDel, 0); },
                     2, 3, 1, 14},
        ViewEditCase{"para delete", [](TNvcCustomEditor& a) { a.SetCaretPosition(2, 1); a.DeleteLine(); },
                     2, 5, 2, 1},
        ViewEditCase{"para delete below", [](TNvcCustomEditor& a) { a.SetCaretPosition(1, 1); a.DeleteLine(); },
                     3, 4, 2, 4},
        // Undoing lines typed at the end removes the last paragraphs: a
        // caret that followed them goes back to the end of the text, not to
        // the start of the last paragraph.
        ViewEditCase{"last paras undone",
                     [](TNvcCustomEditor& a) { a.SetCaretPosition(3, 6); a.InsertString("\r\nmore\r\n"); a.Undo(); },
                     3, 6, 3, 6}));

// A selection in the other view that ends where lines are typed grows over
// them; undoing the typing removes the paragraphs it ended in, the last one
// of the text among them. The selection must come back as it was, its start
// still before its end.
TEST(EditorViewsTest, UndoingLinesTypedAtTheOtherViewsSelectionEndKeepsItInOrder) {
  TTwoViews v;
  TNvcCustomEditor& a = v.a.editor;
  TNvcCustomEditor& b = v.b.editor;
  b.SetSelection(3, 5, 3, 6, true);  // the "d" of "third", caret after it
  a.SetCaretPosition(3, 6);          // the end of the text
  ASSERT_EQ(a.InsertString("\n]\n"), 0);
  ASSERT_EQ(ParasOf(b), (std::vector<std::string>{"hello world", "second line", "third", "]", ""}));
  EXPECT_EQ(b.SelEnd().Para, 5);
  EXPECT_EQ(b.SelEnd().Pos, 1);

  a.Undo();
  ASSERT_EQ(ParasOf(b), (std::vector<std::string>{"hello world", "second line", "third"}));
  EXPECT_EQ(b.SelBegin().Para, 3);
  EXPECT_EQ(b.SelBegin().Pos, 5);
  EXPECT_EQ(b.SelEnd().Para, 3);
  EXPECT_EQ(b.SelEnd().Pos, 6);
  EXPECT_EQ(b.SelEnd().Line, 3);
  EXPECT_EQ(b.SelEnd().Col, 6);
  EXPECT_FALSE(b.SelEnd() < b.SelBegin());
  EXPECT_EQ(b.CaretPara(), 3);
  EXPECT_EQ(b.CaretPos(), 6);
  EXPECT_EQ(b.SelMoving(), (TParaPos{3, 6}));
  int32_t line1 = 0, col1 = 0, line2 = 0, col2 = 0;
  ASSERT_TRUE(b.GetSelection(line1, col1, line2, col2));
  EXPECT_EQ(line1, 3);
  EXPECT_EQ(col1, 5);
  EXPECT_EQ(line2, 3);
  EXPECT_EQ(col2, 6);
}

// Enter drops the blanks before the split point. The other view's caret and
// selection ends that stood among them go to the new end of the paragraph
// instead of staying past it.
TEST(EditorViewsTest, EnterTrimmingBlanksMovesTheOtherViewOutOfThem) {
  TEditorFixture fa;
  TEditorFixture fb;
  TNvcCustomEditor& a = fa.editor;
  TNvcCustomEditor& b = fb.editor;
  a.LoadString("one    two\r\nlast");
  b.Attach(&a);
  b.SetSelection(1, 2, 1, 7, true);  // "ne   ", caret among the blanks
  a.SetCaretPosition(1, 8);           // before "two"
  a.NewLine(true, true);
  ASSERT_EQ(ParasOf(b), (std::vector<std::string>{"one", "two", "last"}));
  EXPECT_EQ(b.SelBegin().Para, 1);
  EXPECT_EQ(b.SelBegin().Pos, 2);
  EXPECT_EQ(b.SelEnd().Para, 1);
  EXPECT_EQ(b.SelEnd().Pos, 4);
  EXPECT_EQ(b.SelEnd().Col, 4);
  EXPECT_EQ(b.CaretPara(), 1);
  EXPECT_EQ(b.CaretPos(), 4);
  EXPECT_EQ(b.CaretCol(), 4);
  EXPECT_EQ(b.SelMoving(), (TParaPos{1, 4}));
  EXPECT_EQ(a.CaretPara(), 2);
  EXPECT_EQ(a.CaretPos(), 1);
}

TEST(EditorViewsTest, TheOtherViewsTopFollowsParagraphsInsertedAbove) {
  TEditorFixture a(20, 3);
  std::string text;
  for (int i = 1; i <= 20; ++i) text += "line " + std::to_string(i) + "\r\n";
  a.editor.LoadString(text);
  TEditorFixture b(20, 3);
  b.editor.Attach(&a.editor);
  b.editor.SetTopLine(10);
  ASSERT_EQ(b.editor.TopLine(), 10);
  a.editor.SetCaretPosition(2, 1);
  a.editor.InsertString("new\r\n");
  EXPECT_EQ(b.editor.TopLine(), 11) << "still shows \"line 10\"";
  EXPECT_EQ(b.editor.GetLineString(b.editor.TopLine()), "line 10");
  EXPECT_EQ(a.editor.TopLine(), 1);
}

TEST(EditorViewsTest, LeavingTheRingFreesTheTextOnlyWithItsLastView) {
  auto a = std::make_unique<TEditorFixture>();
  a->editor.LoadString("shared");
  TEditorFixture b;
  b.editor.Attach(&a->editor);
  a.reset();
  EXPECT_EQ(b.editor.Text(), "shared");
  EXPECT_EQ(b.editor.Views().size(), 1u);
  // Clear leaves the ring: the other view keeps the text.
  TEditorFixture c;
  c.editor.Attach(&b.editor);
  c.editor.Clear(true);
  EXPECT_EQ(b.editor.Text(), "shared");
  EXPECT_EQ(c.editor.Text(), "");
  EXPECT_EQ(b.editor.Views().size(), 1u);
}

}  // namespace
}  // namespace nuvel
