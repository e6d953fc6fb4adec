#include <gtest/gtest.h>

#include "editor/para_list.h"
#include "tests/editor/para_list_test_support.h"

namespace nuvel {
namespace {

using test::B;
using test::Fill;
using test::Paras;
using Strings = std::vector<std::string>;

TEST(ParaListUndo, TypingBackspacingAndOverwritingUndoAsOne) {
  struct Case {
    const char* name;
    std::function<void(TNvcParaList&)> edits;
    Strings after;
  } cases[] = {
      {"typing",
       [](auto& l) {
         l.InsertText(nullptr, 1, B("x"), 3);
         l.InsertText(nullptr, 1, B("y"), 4);
         l.InsertText(nullptr, 1, B("z"), 5);
       },
       {"abxyzcdef"}},
      {"backspacing",
       [](auto& l) {
         l.DeleteText(nullptr, 1, 5, 1);
         l.DeleteText(nullptr, 1, 4, 1);
         l.DeleteText(nullptr, 1, 3, 1);
       },
       {"abf"}},
      {"deleting forwards",
       [](auto& l) {
         l.DeleteText(nullptr, 1, 2, 1);
         l.DeleteText(nullptr, 1, 2, 1);
       },
       {"adef"}},
      {"overwriting",
       [](auto& l) {
         l.ReplaceText(nullptr, 1, B("X"), 1, 2);
         l.ReplaceText(nullptr, 1, B("Y"), 1, 3);
         l.ReplaceText(nullptr, 1, B("Z"), 1, 4);
       },
       {"aXYZef"}},
      {"replacing with other lengths",
       [](auto& l) {
         l.ReplaceText(nullptr, 1, B("X"), 2, 1);
         l.ReplaceText(nullptr, 1, B("YYY"), 1, 2);
       },
       {"XYYYdef"}},
      {"a paste",
       [](auto& l) {
         uint32_t para = 1, pos = 3;
         l.InsertLines(nullptr, para, B("1\r\n2\r\n3"), pos);
       },
       {"ab1", "2", "3cdef"}},
  };
  for (const auto& c : cases) {
    TNvcParaList list(nullptr, true, 8192);
    Fill(list, {"abcdef"});
    c.edits(list);
    EXPECT_EQ(Paras(list), c.after) << c.name;
    TParaPos caret;
    ASSERT_EQ(list.Undo(nullptr, caret), 0);
    EXPECT_EQ(Paras(list), Strings{"abcdef"}) << c.name;
    EXPECT_FALSE(list.CanUndo()) << c.name;
    EXPECT_FALSE(list.Modified()) << c.name;
    ASSERT_EQ(list.Redo(nullptr, caret), 0);
    EXPECT_EQ(Paras(list), c.after) << c.name;
    EXPECT_FALSE(list.CanRedo()) << c.name;
    EXPECT_TRUE(list.Modified()) << c.name;
  }
}

TEST(ParaListUndo, CaretComesBackWithTheRecords) {
  TNvcParaList list(nullptr, false, 8192);
  Fill(list, {"abcdef"});
  list.InsertText(nullptr, 1, B("xy"), 3);
  TParaPos caret;
  list.Undo(nullptr, caret);
  EXPECT_EQ(caret, (TParaPos{1, 3}));
  list.Redo(nullptr, caret);
  EXPECT_EQ(caret, (TParaPos{1, 5}));
  uint32_t indent = 0;
  list.SplitPara(nullptr, 1, true, indent, 8, 4);
  list.Undo(nullptr, caret);
  EXPECT_EQ(caret, (TParaPos{1, 4}));
  list.Redo(nullptr, caret);
  EXPECT_EQ(caret, (TParaPos{2, 1}));
  EXPECT_EQ(Paras(list), (Strings{"abx", "ycdef"}));
}

TEST(ParaListUndo, AGroupTooBigForTheBufferEmptiesTheHistory) {
  TNvcParaList list(nullptr, false, 8192);
  Fill(list, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
  list.InsertText(nullptr, 10, B("before"), 1);
  bool was = false;
  list.UndoBuffer().BeginGroup(was);
  const std::string chunk(1000, 'x');
  for (uint32_t para = 1; para <= 9; ++para) list.InsertText(nullptr, para, B(chunk), 1);  // 9,000 bytes
  EXPECT_TRUE(list.UndoBuffer().Suspended());
  EXPECT_FALSE(list.CanUndo());
  list.UndoBuffer().EndGroup(was);
  list.InsertText(nullptr, 10, B("!"), 1);
  ASSERT_TRUE(list.CanUndo());
  TParaPos caret;
  list.Undo(nullptr, caret);
  EXPECT_EQ(Paras(list).back(), "beforej");
  EXPECT_EQ(Paras(list).front(), chunk + "a");  // the big group stays done
  EXPECT_FALSE(list.CanUndo());
}

TEST(ParaListUndo, AFullBufferDropsTheOldestGroupsWhole) {
  TNvcParaList list(nullptr, false, 8192);
  Strings paras(100, "");
  Fill(list, paras);
  const std::string chunk(86, 'x');
  for (uint32_t para = 1; para <= 100; ++para) {
    bool was = false;
    list.UndoBuffer().BeginGroup(was);
    list.InsertText(nullptr, para, B(chunk), 1);  // 100 bytes a record
    list.InsertText(nullptr, para, B("!"), 1);    // 15 more
    list.UndoBuffer().EndGroup(was);
  }
  TParaPos caret;
  uint32_t undone = 0;
  while (list.CanUndo()) {
    list.Undo(nullptr, caret);
    ++undone;
  }
  EXPECT_LT(undone, 100u);
  const Strings now = Paras(list);
  // The oldest groups are still done, whole; everything after them is undone.
  for (uint32_t i = 0; i < 100; ++i) {
    EXPECT_EQ(now[i], i < 100 - undone ? "!" + chunk : "") << i;
  }
}

TEST(ParaListUndo, TheSavedStateBit) {
  TNvcParaList list(nullptr, false, 8192);
  list.InsertText(nullptr, 1, B("a"), 1);
  EXPECT_TRUE(list.Modified());
  TParaPos caret;
  list.Undo(nullptr, caret);
  EXPECT_FALSE(list.Modified());  // back at the state it had before
  list.Redo(nullptr, caret);
  EXPECT_TRUE(list.Modified());
  list.SetModified(false);  // saved
  list.Undo(nullptr, caret);
  EXPECT_TRUE(list.Modified());  // away from the saved text
  list.Redo(nullptr, caret);
  EXPECT_TRUE(list.Modified());  // reported modified even on the saved text
  list.InsertText(nullptr, 1, B("b"), 9);
  list.SetModified(false);
  list.InsertParaAfter(nullptr, 1, B("c"));
  list.Undo(nullptr, caret);
  EXPECT_FALSE(list.Modified());  // back at the saved text
  list.Undo(nullptr, caret);
  EXPECT_TRUE(list.Modified());
}

TEST(ParaListUndo, RemovedParagraphsComeBackAndNodesAreNeverLost) {
  TNvcParaList list(nullptr, true, 8192);
  list.SetWrapColumn(5);
  Fill(list, {"one two three", "four", "five six"});
  list.DeletePara(nullptr, 2);
  list.JoinParas(nullptr, 1, 14);
  EXPECT_EQ(Paras(list), (Strings{"one two threefive six"}));
  list.SetWrapColumn(8);  // the removed nodes come back wrapped anew
  TParaPos caret;
  list.Undo(nullptr, caret);
  list.Undo(nullptr, caret);
  EXPECT_EQ(Paras(list), (Strings{"one two three", "four", "five six"}));
  EXPECT_EQ(list.LineCount(), 2u + 1u + 1u);
  EXPECT_EQ(list.Nodes().LiveCount(), 3u);
  list.Redo(nullptr, caret);
  EXPECT_EQ(list.Nodes().LiveCount(), 3u);  // the removed node waits in its record
  list.InsertText(nullptr, 1, B("z"), 1);    // the redo record goes; its node stays in the text
  EXPECT_FALSE(list.CanRedo());
  list.UndoBuffer().Clear();
  EXPECT_EQ(list.Nodes().LiveCount(), list.ParaCount());

  // A paragraph inserted and then undone is freed when its redo record goes.
  list.InsertParaAfter(nullptr, 1, B("new"));
  list.Undo(nullptr, caret);
  EXPECT_EQ(list.Nodes().LiveCount(), list.ParaCount() + 1);
  list.InsertText(nullptr, 1, B("q"), 1);
  EXPECT_EQ(list.Nodes().LiveCount(), list.ParaCount());

  // Without undo, removed paragraphs are freed at once.
  list.SetUndoBufferSize(0);
  list.DeletePara(nullptr, 1);
  EXPECT_EQ(list.Nodes().LiveCount(), list.ParaCount());
}

TEST(ParaListUndo, UnrecordedChangesClearTheHistory) {
  TNvcParaList list(nullptr, false, 8192);
  list.InsertText(nullptr, 1, B("abc"), 1);
  ASSERT_TRUE(list.CanUndo());
  list.AppendPara(B("loaded"), false);
  EXPECT_FALSE(list.CanUndo());
  // A record too long for the layout cannot be kept either.
  list.SetUndoBufferSize(65535);
  list.InsertText(nullptr, 2, B("y"), 1);
  ASSERT_TRUE(list.CanUndo());
  const std::string huge(70000, 'q');
  EXPECT_EQ(list.InsertText(nullptr, 2, B(huge), 1), kEditorParaTooLong);
  EXPECT_TRUE(list.CanUndo());  // a refused edit changes nothing
  list.SetParaLengthLimit(100000);
  ASSERT_EQ(list.InsertText(nullptr, 2, B(huge), 1), 0);
  EXPECT_EQ(list.ParaLength(2), 70004u);
  EXPECT_FALSE(list.CanUndo());
}

TEST(ParaListUndo, UndoBufferSizeReadsBackWhatWasObtained) {
  static bool refuseBig = true;
  TNvcParaList list(nullptr, false, 8192, [](std::size_t n) { return !refuseBig || n <= 3000; });
  EXPECT_EQ(list.UndoBuffer().BufferSize(), 2048u);
  refuseBig = false;
  EXPECT_EQ(list.SetUndoBufferSize(20), 20u);
}

}  // namespace
}  // namespace nuvel
