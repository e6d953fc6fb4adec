#include "tools/document_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/editor/heb_editor_test_support.h"
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
