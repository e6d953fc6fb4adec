#include <gtest/gtest.h>

#include <functional>

#include "editor/para_list.h"
#include "tests/editor/para_list_test_support.h"

namespace nuvel {
namespace {

using test::B;
using test::Fill;
using test::Paras;
using Strings = std::vector<std::string>;

TEST(ParaList, NewListAndAppending) {
  TNvcParaList list(nullptr, false, 8192);
  EXPECT_EQ(list.ParaCount(), 1u);
  EXPECT_EQ(list.ByteCount(), 0);
  EXPECT_EQ(list.LineCount(), 1u);
  EXPECT_EQ(list.Nodes()[list.Head()].Capacity(), 0u);
  ASSERT_EQ(list.AppendPara(B("a"), false), 0);
  ASSERT_EQ(list.AppendPara(B("b  "), true), 0);
  EXPECT_EQ(Paras(list), (Strings{"a", "b", ""}));
  EXPECT_EQ(list.ByteCount(), 6);
  EXPECT_EQ(list.LineCount(), 3u);
  EXPECT_FALSE(list.Modified());
}

TEST(ParaList, CheckLimits) {
  struct Case {
    const char* name;
    Strings paras;
    std::function<void(TNvcParaList&)> limits;
    std::function<uint16_t(TNvcParaList&)> op;
    uint16_t expected;
  } cases[] = {
      {"empty last paragraph allows one more", {"a", "b", ""}, [](auto& l) { l.SetParaLimit(3); },
       [](auto& l) { return l.InsertParaBefore(nullptr, 1, B("x")); }, 0},
      {"full last paragraph does not", {"a", "b", "c"}, [](auto& l) { l.SetParaLimit(3); },
       [](auto& l) { return l.InsertParaBefore(nullptr, 1, B("x")); }, kEditorTooManyParas},
      {"editing beyond the paragraph limit", {"a", "b", "c", "d", "e"}, [](auto& l) { l.SetParaLimit(4); },
       [](auto& l) { return l.InsertText(nullptr, 5, B("x"), 1); }, kEditorTooManyParas},
      {"paragraph too long", {"0123456789"}, [](auto& l) { l.SetParaLengthLimit(10); },
       [](auto& l) { return l.InsertText(nullptr, 1, B("x"), 11); }, kEditorParaTooLong},
      {"padding counts", {"0123"}, [](auto& l) { l.SetParaLengthLimit(10); },
       [](auto& l) { return l.InsertText(nullptr, 1, B("x"), 11); }, kEditorParaTooLong},
      {"join too long", {"aaaaaa", "bbbbbb"}, [](auto& l) { l.SetParaLengthLimit(10); },
       [](auto& l) { return l.JoinParas(nullptr, 1, 7); }, kEditorCannotJoin},
      {"text too large", {"abc", "de"}, [](auto& l) { l.SetByteLimit(8); },
       [](auto& l) { return l.InsertText(nullptr, 2, B("xy"), 1); }, kEditorTextTooLarge},
      {"text fits exactly", {"abc", "de"}, [](auto& l) { l.SetByteLimit(8); },
       [](auto& l) { return l.InsertText(nullptr, 2, B("x"), 1); }, 0},
      {"new paragraph counts its end", {"abc"}, [](auto& l) { l.SetByteLimit(5); },
       [](auto& l) { return l.InsertParaBefore(nullptr, 1, B("x")); }, kEditorTextTooLarge},
      {"replacement growing past the limit", {"0123456789"}, [](auto& l) { l.SetParaLengthLimit(10); },
       [](auto& l) { return l.ReplaceText(nullptr, 1, B("xy"), 1, 3); }, kEditorParaTooLong},
      {"paste splitting past the paragraph limit", {"ab", "cd"}, [](auto& l) { l.SetParaLimit(2); },
       [](auto& l) {
         uint32_t para = 1, pos = 2;
         return l.InsertLines(nullptr, para, B("x\ny"), pos);
       },
       kEditorTooManyParas},
  };
  for (const auto& c : cases) {
    TNvcParaList list(nullptr, false, 8192);
    Fill(list, c.paras);
    c.limits(list);
    EXPECT_EQ(c.op(list), c.expected) << c.name;
    if (c.expected != 0 && std::string(c.name).find("paste") == std::string::npos) {
      EXPECT_EQ(Paras(list), c.paras) << c.name;
    }
  }
}

TEST(ParaList, MarkersFollowEveryKindOfEdit) {
  struct Case {
    const char* name;
    Strings paras;
    std::vector<TParaPos> before;
    std::function<void(TNvcParaList&)> op;
    std::vector<TParaPos> after;
  } cases[] = {
      {"insert", {"abcdef"}, {{1, 3}, {1, 2}}, [](auto& l) { l.InsertText(nullptr, 1, B("XY"), 3); },
       {{1, 5}, {1, 2}}},
      {"delete", {"abcdefgh"}, {{1, 2}, {1, 4}, {1, 7}}, [](auto& l) { l.DeleteText(nullptr, 1, 3, 3); },
       {{1, 2}, {0, 0}, {1, 4}}},
      {"split", {"abcdef", "x"}, {{1, 2}, {1, 5}, {2, 1}},
       [](auto& l) {
         uint32_t indent = 0;
         l.SplitPara(nullptr, 1, false, indent, 8, 4);
       },
       {{1, 2}, {2, 2}, {3, 1}}},
      {"split with indent", {"abcdef"}, {{1, 5}},
       [](auto& l) {
         uint32_t indent = 2;
         l.SplitPara(nullptr, 1, false, indent, 0, 4);
       },
       {{2, 4}}},
      {"join", {"abc", "def", "g"}, {{2, 2}, {3, 1}, {1, 3}}, [](auto& l) { l.JoinParas(nullptr, 1, 4); },
       {{1, 5}, {2, 1}, {1, 3}}},
      {"delete paragraph", {"a", "b", "c"}, {{2, 1}, {3, 1}}, [](auto& l) { l.DeletePara(nullptr, 2); },
       {{0, 0}, {2, 1}}},
      {"paragraph before", {"a", "b"}, {{2, 1}, {1, 1}}, [](auto& l) { l.InsertParaBefore(nullptr, 2, B("n")); },
       {{3, 1}, {1, 1}}},
      {"paragraph after", {"a", "b"}, {{2, 1}, {1, 1}}, [](auto& l) { l.InsertParaAfter(nullptr, 1, B("n")); },
       {{3, 1}, {1, 1}}},
      {"replace shorter", {"abcdefgh"}, {{1, 4}, {1, 6}, {1, 8}},
       [](auto& l) { l.ReplaceText(nullptr, 1, B("X"), 3, 2); }, {{0, 0}, {1, 4}, {1, 6}}},
      {"replace longer", {"abcd"}, {{1, 4}, {1, 2}}, [](auto& l) { l.ReplaceText(nullptr, 1, B("XYZ"), 1, 2); },
       {{1, 6}, {1, 2}}},
      {"range", {"abc", "def", "ghi"}, {{1, 2}, {2, 2}, {3, 3}},
       [](auto& l) { l.DeleteRange(nullptr, 1, 3, 3, 2); }, {{1, 2}, {0, 0}, {1, 4}}},
  };
  for (const auto& c : cases) {
    TNvcParaList list(nullptr, false, 8192);
    Fill(list, c.paras);
    for (size_t i = 0; i < c.before.size(); ++i) list.SetMarkerRaw(static_cast<int>(i), c.before[i].Para, c.before[i].Pos);
    list.SetMarkerRaw(TNvcParaList::kBlockEndMarker, c.before[0].Para, c.before[0].Pos);
    c.op(list);
    for (size_t i = 0; i < c.after.size(); ++i) {
      EXPECT_EQ(list.Marker(static_cast<int>(i)), c.after[i]) << c.name << " marker " << i;
    }
    EXPECT_EQ(list.BlockEnd(), c.after[0]) << c.name << " block end";
  }
}

TEST(ParaList, MarkerNumbers) {
  TNvcParaList list(nullptr, true, 8192);
  Fill(list, {"abc def ghi"});
  list.SetWrapColumn(4);
  list.SetMarker(3, 2, 2);  // line 2 starts at offset 4
  EXPECT_EQ(list.Marker(3), (TParaPos{1, 6}));
  list.SetMarker(100, 3, 1);
  EXPECT_EQ(list.BlockBegin(), (TParaPos{1, 9}));
  list.SetMarker(10, 1, 1);
  list.SetMarkerRaw(-1, 1, 1);
  EXPECT_EQ(list.Marker(10), (TParaPos{}));
  list.SetMarkerRaw(3, 0, 0);
  EXPECT_EQ(list.Marker(3), (TParaPos{}));
}

TEST(ParaList, InsertLinesTakesEveryKindOfLineEnd) {
  struct Case {
    Strings start;
    uint32_t para, pos;
    std::string text;
    Strings expected;
    uint32_t endPara, endPos;
  } cases[] = {
      {{""}, 1, 1, "a\r\nb", {"a", "b"}, 2, 2},
      {{"xy"}, 1, 2, "1\n2\n3", {"x1", "2", "3y"}, 3, 2},
      {{"xy"}, 1, 2, "1\r\n2\r\n3", {"x1", "2", "3y"}, 3, 2},
      {{"xy"}, 1, 2, "a\rb", {"xa\rby"}, 1, 5},
      {{"xy"}, 1, 3, "a\r", {"xya", ""}, 2, 1},
      {{"xy"}, 1, 1, "p\r\nq\r\n", {"p", "q", "xy"}, 3, 1},
      {{"ab  cd"}, 1, 5, "\n", {"ab", "cd"}, 2, 1},
      {{"ab"}, 1, 2, std::string("x\0\ny", 4), {"axb"}, 1, 3},
  };
  for (const auto& c : cases) {
    TNvcParaList list(nullptr, false, 8192);
    Fill(list, c.start);
    uint32_t para = c.para, pos = c.pos;
    ASSERT_EQ(list.InsertLines(nullptr, para, B(c.text), pos), 0) << c.text;
    EXPECT_EQ(Paras(list), c.expected) << c.text;
    EXPECT_EQ(para, c.endPara) << c.text;
    EXPECT_EQ(pos, c.endPos) << c.text;
    EXPECT_TRUE(list.Modified());
    // One undo takes the whole insertion back.
    TParaPos caret;
    ASSERT_EQ(list.Undo(nullptr, caret), 0);
    EXPECT_EQ(Paras(list), c.start) << c.text;
  }
}

TEST(ParaList, EnterAtTheStartEndAndMiddle) {
  struct Case {
    std::string para;
    uint32_t pos;
    bool trim;
    uint32_t indent, tabSize;
    Strings expected;
    uint32_t indentBytes;
  } cases[] = {
      {"abc", 1, true, 0, 8, {"", "abc"}, 0},
      {"abc", 4, true, 0, 8, {"abc", ""}, 0},
      {"abc", 9, true, 0, 8, {"abc", ""}, 0},
      {"ab  cd", 5, true, 0, 8, {"ab", "cd"}, 0},
      {"ab  cd", 5, false, 0, 8, {"ab  ", "cd"}, 0},
      {"ab cd", 4, true, 10, 4, {"ab", "\t\t  cd"}, 4},
      {"ab cd", 4, true, 3, 0, {"ab", "   cd"}, 3},
  };
  for (const auto& c : cases) {
    TNvcParaList list(nullptr, false, 8192);
    Fill(list, {c.para});
    uint32_t indent = c.indent;
    ASSERT_EQ(list.SplitPara(nullptr, 1, c.trim, indent, c.tabSize, c.pos), 0);
    EXPECT_EQ(Paras(list), c.expected) << c.para << " at " << c.pos;
    EXPECT_EQ(indent, c.indentBytes);
    EXPECT_EQ(list.ByteCount(), static_cast<int64_t>(c.expected[0].size() + c.expected[1].size() + 2));
    TParaPos caret;
    list.Undo(nullptr, caret);
    EXPECT_EQ(Paras(list), Strings{c.para});
  }
}

TEST(ParaList, JoinDeleteAndRanges) {
  TNvcParaList list(nullptr, false, 8192);
  Fill(list, {"abc", "def", "ghi", "jkl"});
  ASSERT_EQ(list.JoinParas(nullptr, 1, 6), 0);  // past the end: blanks fill the gap
  EXPECT_EQ(Paras(list), (Strings{"abc  def", "ghi", "jkl"}));
  ASSERT_EQ(list.JoinParas(nullptr, 2, 1), 0);  // at position 1 the paragraph itself goes
  EXPECT_EQ(Paras(list), (Strings{"abc  def", "jkl"}));
  list.DeleteRange(nullptr, 1, 3, 2, 2);
  EXPECT_EQ(Paras(list), (Strings{"abkl"}));
  list.DeletePara(nullptr, 1);  // the last paragraph stays
  EXPECT_EQ(Paras(list), (Strings{"abkl"}));
  EXPECT_EQ(list.ParaCount(), 1u);

  TNvcParaList whole(nullptr, false, 8192);
  Fill(whole, {"a", "b", "c", "d"});
  whole.DeleteRange(nullptr, 2, 1, 4, 1);
  EXPECT_EQ(Paras(whole), (Strings{"a", "d"}));
  EXPECT_EQ(whole.ByteCount(), 4);
}

TEST(ParaList, TextOfTheSameParagraphCanBeInsertedAndUndone) {
  TNvcParaList list(nullptr, false, 8192);
  Fill(list, {"abcdefg"});
  ASSERT_EQ(list.InsertText(nullptr, 1, list.GetParaNode(1)->Bytes().subspan(0, 3), 8), 0);
  EXPECT_EQ(Paras(list), Strings{"abcdefgabc"});
  ASSERT_EQ(list.ReplaceText(nullptr, 1, list.GetParaNode(1)->Bytes().subspan(7, 3), 2, 1), 0);
  EXPECT_EQ(Paras(list), Strings{"abccdefgabc"});
  TParaPos caret;
  list.Undo(nullptr, caret);
  list.Undo(nullptr, caret);
  EXPECT_EQ(Paras(list), Strings{"abcdefg"});
}

TEST(ParaList, ViewsHearOfChangesInRingOrder) {
  test::TRecordingView a("A"), b("B"), c("C");
  std::vector<std::string> events;
  a.events = b.events = c.events = &events;
  TNvcParaList list(&a, false, 8192);
  list.AttachView(&b);
  list.AttachView(&c);
  list.InsertText(&b, 1, B("xy"), 1);
  EXPECT_EQ(events, (Strings{"C TextInserted 1,1,2", "A TextInserted 1,1,2", "B TextInserted 1,1,2 own"}));
  events.clear();
  uint32_t indent = 0;
  list.SplitPara(nullptr, 1, true, indent, 8, 2);  // one notification for the whole split
  EXPECT_EQ(events, (Strings{"A ParaInserted 1,2,0", "B ParaInserted 1,2,0", "C ParaInserted 1,2,0"}));
  events.clear();
  EXPECT_FALSE(list.DetachView(&a));
  EXPECT_EQ(list.Owner(), &b);
  list.JoinParas(&c, 1, 2);
  EXPECT_EQ(events, (Strings{"B ParaJoined 1,2,0", "C ParaJoined 1,2,0 own"}));
  events.clear();
  list.SetWordWrap(true);
  EXPECT_EQ(events, (Strings{"B Resync", "C Resync"}));
  EXPECT_FALSE(list.DetachView(&b));
  EXPECT_TRUE(list.DetachView(&c));
}

TEST(ParaList, WrapSettingsRewrapEverything) {
  struct Busy : TBusyCursorService {
    void SetBusy(bool busy) override { log.push_back(busy); }
    std::vector<bool> log;
  } busy;
  TNvcParaList list(nullptr, false, 8192);
  list.SetBusyCursorService(&busy);
  std::string word = "abcdefgh ";
  std::string para;
  for (int i = 0; i < 20; ++i) para += word;  // 180 bytes
  for (int i = 0; i < 5; ++i) list.AppendPara(B(para), false);
  EXPECT_EQ(list.LineCount(), 6u);
  list.SetWordWrap(true);  // wraps at 80: three lines a paragraph
  EXPECT_EQ(list.LineCount(), 16u);
  list.SetWrapColumn(18);
  EXPECT_EQ(list.LineCount(), 51u);
  EXPECT_TRUE(busy.log.empty());  // small text: no busy cursor
  for (int i = 0; i < 60; ++i) list.AppendPara(B(para), false);
  list.SetTabSize(4);
  EXPECT_EQ(busy.log, (std::vector<bool>{true, false}));
  std::span<const uint8_t> text;
  list.GetLineText(2, text);
  EXPECT_EQ(std::string(text.begin(), text.end()), "abcdefgh abcdefgh ");
}

}  // namespace
}  // namespace nuvel
