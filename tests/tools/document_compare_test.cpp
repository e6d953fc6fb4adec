#include "tools/document_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/editor/mixed_logical_text.h"
#include "tests/support/reading_order.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

struct Side {
  std::string text;
  int32_t para, pos;  // caret
};

struct Shown {
  bool selected;
  int32_t para, pos;  // selection start (or caret)
};

TEST(CompareFromCaret, FindsTheFirstDifference) {
  test::TempProgramFolder folder;
  struct Case {
    const char* name;
    Side a, b;
    TCompareOutcome outcome;
    Shown shownA, shownB;
  };
  const Case cases[] = {
      {"equal to the end", {"xx abc\r\ndef", 1, 4}, {"abc\r\ndef", 1, 1}, TCompareOutcome::Same, {false, 1, 4},
       {false, 1, 1}},
      {"a different byte", {"abc\r\ndef", 1, 1}, {"abc\r\ndxf", 1, 1}, TCompareOutcome::Differ, {true, 2, 2},
       {true, 2, 2}},
      {"case counts", {"abc", 1, 1}, {"aBc", 1, 1}, TCompareOutcome::Differ, {true, 1, 2}, {true, 1, 2}},
      // The longer one goes on in the same paragraph: the shorter one's
      // paragraph end and the longer one's next character.
      {"same paragraph goes on", {"ab\r\nc", 1, 1}, {"abz\r\nc", 1, 1}, TCompareOutcome::Differ, {true, 1, 3},
       {true, 1, 3}},
      // The longer one goes on with a further paragraph: the shorter one's
      // caret goes to the end of its text.
      {"a further paragraph", {"ab", 1, 1}, {"ab\r\nmore", 1, 1}, TCompareOutcome::Differ, {false, 1, 3},
       {true, 2, 1}},
      {"a further empty paragraph", {"ab", 1, 1}, {"ab\r\n\r\nx", 1, 1}, TCompareOutcome::Differ, {false, 1, 3},
       {true, 2, 1}},
      {"a paragraph break against a character", {"ab\r\ncd", 1, 1}, {"abxcd", 1, 1}, TCompareOutcome::Differ,
       {true, 1, 3}, {true, 1, 3}},
      {"first character of a later paragraph", {"ab\r\ncd", 1, 1}, {"ab\r\nxd", 1, 1}, TCompareOutcome::Differ,
       {true, 2, 1}, {true, 2, 1}},
      {"a caret after its paragraph's end", {"ab", 1, 5}, {"ab", 1, 1}, TCompareOutcome::NoStart, {false, 1, 5},
       {false, 1, 1}},
  };
  for (const Case& c : cases) {
    for (bool english : {true, false}) {
      EngPrompts = english;
      test::RecordingMessageSink sink;
      test::THebEditorFixture fa(40, 5), fb(40, 5);
      fa.editor.SetScrollPastEnd(true);
      fa.editor.LoadString(c.a.text);
      fb.editor.LoadString(c.b.text);
      fa.editor.MoveCaretToPara(c.a.para, c.a.pos, false);
      fb.editor.MoveCaretToPara(c.b.para, c.b.pos, false);
      EXPECT_EQ(CompareFromCaret(fa.editor, fb.editor), c.outcome) << c.name;
      auto check = [&](THebTextEditor& e, const Shown& s, const char* which) {
        EXPECT_EQ(e.HasSelection(), s.selected) << c.name << " " << which;
        const TEditorPosition at = s.selected ? std::min(e.SelBegin(), e.SelEnd()) : TEditorPosition{};
        EXPECT_EQ(s.selected ? at.Para : e.CaretPara(), s.para) << c.name << " " << which;
        EXPECT_EQ(s.selected ? at.Pos : e.CaretPos(), s.pos) << c.name << " " << which;
        if (s.selected) {
          EXPECT_EQ(e.CaretPos(), s.pos) << c.name << " " << which;  // caret at the start
        }
      };
      check(fa.editor, c.shownA, "A");
      check(fb.editor, c.shownB, "B");
      const char* same = english ? "File compare OK! (from cursor positions)"
                                 : "!\xE4\xF7\xE1\xF6\xE9\xED \xE6\xE4\xE9\xED \xEE\xE4\xF1\xEE\xEF \xF2\xE3 \xE4\xF1\xE5\xF3";
      const char* differ = english ? "Here is a difference" : "\xE4\xF0\xE4 \xF9\xE5\xF0\xE9";
      switch (c.outcome) {
        case TCompareOutcome::NoStart: EXPECT_TRUE(sink.requests.empty()) << c.name; break;
        case TCompareOutcome::Same:
          ASSERT_EQ(sink.requests.size(), 1u) << c.name;
          EXPECT_EQ(sink.requests[0].text, same);
          break;
        case TCompareOutcome::Differ:
          ASSERT_EQ(sink.requests.size(), 1u) << c.name;
          EXPECT_EQ(sink.requests[0].text, differ);
          break;
      }
    }
  }
  EngPrompts = true;
}

// Running the comparison again goes on from the difference it showed to
// the next one, and says when there are no more.
TEST(CompareFromCaret, RunAgainGoesToTheNextDifference) {
  test::TempProgramFolder folder;
  struct Step {
    TCompareOutcome outcome;
    Shown shownA, shownB;
    const char* told;
  };
  struct Case {
    const char* name;
    std::string a, b;
    std::vector<Step> steps;
  };
  const char* differ = "Here is a difference";
  const char* noMore = "No more differences to the end of the files";
  const Case cases[] = {
      {"two bytes in one line",
       "abcdef",
       "aXcdYf",
       {{TCompareOutcome::Differ, {true, 1, 2}, {true, 1, 2}, differ},
        {TCompareOutcome::Differ, {true, 1, 5}, {true, 1, 5}, differ},
        {TCompareOutcome::Same, {true, 1, 5}, {true, 1, 5}, noMore}}},
      {"differences in two paragraphs",
       "one\r\ntwo\r\nthree",
       "onX\r\ntwo\r\nthrXe",
       {{TCompareOutcome::Differ, {true, 1, 3}, {true, 1, 3}, differ},
        {TCompareOutcome::Differ, {true, 3, 4}, {true, 3, 4}, differ},
        {TCompareOutcome::Same, {true, 3, 4}, {true, 3, 4}, noMore}}},
      {"the difference is the last character",
       "abc",
       "abX",
       {{TCompareOutcome::Differ, {true, 1, 3}, {true, 1, 3}, differ},
        {TCompareOutcome::Same, {true, 1, 3}, {true, 1, 3}, noMore}}},
  };
  for (const Case& c : cases) {
    test::RecordingMessageSink sink;
    test::THebEditorFixture fa(40, 5), fb(40, 5);
    fa.editor.LoadString(c.a);
    fb.editor.LoadString(c.b);
    fa.editor.MoveCaretToPara(1, 1, false);
    fb.editor.MoveCaretToPara(1, 1, false);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      const std::string what = std::string(c.name) + ", run " + std::to_string(i + 1);
      EXPECT_EQ(CompareFromCaret(fa.editor, fb.editor), s.outcome) << what;
      for (auto [e, shown] : {std::pair{&fa.editor, s.shownA}, std::pair{&fb.editor, s.shownB}}) {
        EXPECT_EQ(e->HasSelection(), shown.selected) << what;
        const TEditorPosition at = std::min(e->SelBegin(), e->SelEnd());
        EXPECT_EQ(shown.selected ? at.Para : e->CaretPara(), shown.para) << what;
        EXPECT_EQ(shown.selected ? at.Pos : e->CaretPos(), shown.pos) << what;
      }
      ASSERT_EQ(sink.requests.size(), i + 1) << what;
      EXPECT_EQ(sink.requests[i].text, s.told) << what;
    }
  }
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

// The same mixed text in a Hebrew and an English document is the same text
// as it reads, though its stored bytes differ; a difference in an English
// word inside Hebrew is found in reading order, and shown on its own cell.
TEST(CompareFromCaret, DocumentsKeptInLogicalOrderCompareAsTheyRead) {
  test::TempProgramFolder folder;
  test::RecordingMessageSink sink;
  const std::vector<std::string> text = test::MixedLogicalLines();
  test::THebEditorFixture heb(80, 5), eng(80, 5);
  test::LoadLogical(heb.editor, false, text);
  test::LoadLogical(eng.editor, true, text);
  heb.editor.MoveCaretToPara(1, 1, false);
  eng.editor.MoveCaretToPara(1, 1, false);
  EXPECT_EQ(CompareFromCaret(heb.editor, eng.editor), TCompareOutcome::Same);

  // "Hello world 123" becomes "Hello wOrlD 123" in the English document:
  // the first difference as it reads is the "o" of "world", then the "d".
  std::vector<std::string> changed = text;
  changed[1].replace(changed[1].find("world"), 5, "wOrlD");
  test::THebEditorFixture other(80, 5);
  test::LoadLogical(other.editor, true, changed);
  heb.editor.MoveCaretToPara(1, 1, false);
  other.editor.MoveCaretToPara(1, 1, false);
  auto selected = [](const THebTextEditor& e) {
    const TEditorPosition a = std::min(e.SelBegin(), e.SelEnd());
    const TEditorPosition b = std::max(e.SelBegin(), e.SelEnd());
    const auto bytes = e.GetPara(a.Para);
    return a.Para == b.Para ? std::string(bytes.begin() + (a.Pos - 1), bytes.begin() + (b.Pos - 1)) : std::string();
  };
  for (const char* expected : {"oO", "dD"}) {
    EXPECT_EQ(CompareFromCaret(heb.editor, other.editor), TCompareOutcome::Differ) << expected;
    EXPECT_EQ(selected(heb.editor), std::string(1, expected[0]));
    EXPECT_EQ(selected(other.editor), std::string(1, expected[1]));
    EXPECT_EQ(heb.editor.SelBegin().Para, 2);
  }
  EXPECT_EQ(CompareFromCaret(heb.editor, other.editor), TCompareOutcome::Same);
}

}  // namespace
}  // namespace nuvel
