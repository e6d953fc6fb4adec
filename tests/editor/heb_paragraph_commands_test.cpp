#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "editor/wordstar_keys.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

constexpr uint16_t C(char letter) { return static_cast<uint16_t>(letter - 'A' + 1); }

// The paragraphs joined by "|".
using test::Paras;

TEST(ExecKey, RunsFedKeys) {
  test::TempProgramFolder folder;
  struct Case {
    const char* name;
    bool engm;
    std::string text;
    int32_t para, pos;  // caret before
    std::vector<uint16_t> keys;
    std::string after;
    int32_t caretPara, caretPos;
    std::vector<TNvcCommand> userCommands;
  };
  const Case cases[] = {
      {"letters without keyboard layers", false, "", 1, 1, {'a', 'b'}, "ab", 1, 3, {}},
      {"^K b runs block begin", true, "xy", 1, 2, {C('K'), 'b'}, "xy", 1, 2, {314}},
      {"^Q T x runs go-to-character once", true, "xy", 1, 1, {C('Q'), 'T', 'x'}, "xy", 1, 1, {313}},
      {"^P ^A inserts byte 1", true, "xy", 1, 2, {C('P'), C('A')}, "x\x01y", 1, 3, {}},
      {"^P Tab inserts the tab only", true, "xy", 1, 2, {C('P'), 9}, "x\ty", 1, 3, {}},
      {"^P Enter inserts the byte only", true, "xy", 1, 2, {C('P'), 13}, "x\ry", 1, 3, {}},
      {"Enter splits in insert mode", true, "xy", 1, 2, {13}, "x|y", 2, 1, {}},
      {"Tab with WantTab", true, "xy", 1, 2, {9}, "x\ty", 1, 3, {}},
      {"^H deletes back", true, "xyz", 1, 3, {C('H')}, "xz", 1, 2, {}},
      {"^S moves back in English", true, "xyz", 1, 3, {C('S')}, "xyz", 1, 2, {}},
      {"fed ^S moves one byte back in Hebrew", false, "xyz", 1, 3, {C('S')}, "xyz", 1, 2, {}},
      {"fed ^D moves one byte on in Hebrew", false, "xyz", 1, 2, {C('D')}, "xyz", 1, 3, {}},
      {"fed ^Q D goes to the line start in Hebrew", false, "xyz", 1, 3, {C('Q'), 'D'}, "xyz", 1, 1, {}},
      {"fed ^Q D goes to the line end in English", true, "xyz", 1, 2, {C('Q'), 'D'}, "xyz", 1, 4, {}},
      {"^Q Y deletes to the line end", true, "xyz", 1, 2, {C('Q'), 'y'}, "x", 1, 2, {}},
      {"^L is find next", true, "x", 1, 1, {C('L')}, "x", 1, 1, {308}},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    f.editor.SetEngm(c.engm);
    f.editor.SetKeyType(TKeytype::Hebrew);
    f.editor.SetWantTab(true);
    f.editor.LoadString(c.text);
    f.editor.MoveCaretToPara(c.para, c.pos, false);
    std::vector<TNvcCommand> seen;
    f.editor.OnUserCommand = [&seen](TNvcCustomEditor&, TNvcCommand cmd) { seen.push_back(cmd); };
    WsQTKey = 0;
    for (uint16_t k : c.keys) f.editor.ExecKey(k);
    EXPECT_EQ(Paras(f.editor), c.after) << c.name;
    EXPECT_EQ(f.editor.CaretPara(), c.caretPara) << c.name;
    EXPECT_EQ(f.editor.CaretPos(), c.caretPos) << c.name;
    EXPECT_EQ(seen, c.userCommands) << c.name;
    EXPECT_EQ(f.editor.WordStarPrefix(), 0) << c.name;
    if (c.userCommands == std::vector<TNvcCommand>{313}) {
      EXPECT_EQ(WsQTKey, 'x');
    }
  }
}

TEST(ExecKey, PrefixSetsIgnoreNextCharAndTypeStringFeedsEachByte) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(40, 5);
  f.editor.ExecKey(C('K'));
  EXPECT_TRUE(f.editor.IgnoreNextChar());
  EXPECT_EQ(f.editor.WordStarPrefix(), kWsPrefixK);
  f.editor.ExecKey('z');  // nothing after ^K
  EXPECT_FALSE(f.editor.IgnoreNextChar());
  f.editor.SetEngm(false);
  f.editor.TypeString(">#\xF2<");  // a Hebrew counter template
  EXPECT_EQ(Paras(f.editor), ">#\xF2<");
}

TEST(ParagraphMoves, NextAndPrevious) {
  test::TempProgramFolder folder;
  struct Case {
    int32_t para, pos;
    bool next;
    int32_t caretPara, caretPos;
  };
  const Case cases[] = {
      {1, 5, false, 1, 5},  // paragraph 1: nothing
      {2, 3, false, 2, 1},  // inside a paragraph: to its start
      {2, 1, false, 1, 1},  // at its start: to the previous one
      {1, 3, true, 2, 1},
      {3, 2, true, 3, 2},   // the last paragraph: nothing
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    f.editor.LoadString("first line\r\nsecond\r\nthird");
    f.editor.MoveCaretToPara(c.para, c.pos, false);
    if (c.next) {
      f.editor.NextParagraph();
    } else {
      f.editor.PreviousParagraph();
    }
    EXPECT_EQ(f.editor.CaretPara(), c.caretPara) << c.para << "," << c.pos << " next " << c.next;
    EXPECT_EQ(f.editor.CaretPos(), c.caretPos) << c.para << "," << c.pos << " next " << c.next;
  }
}

TEST(ParagraphReplace, RangeAndParagraphAreOneUndoStep) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(40, 5);
  f.editor.LoadString("abc\r\ndef\r\nghi");
  const std::string with = "XY";
  EXPECT_EQ(f.editor.ReplaceRange(1, 2, {reinterpret_cast<const uint8_t*>(with.data()), with.size()}, 2, 3), 0);
  EXPECT_EQ(Paras(f.editor), "aXYf|ghi");
  f.editor.Undo();
  EXPECT_EQ(Paras(f.editor), "abc|def|ghi");
  // A paragraph's bytes are exchanged as they are: a CR byte does not split.
  const std::string para = "1\r2";
  EXPECT_EQ(f.editor.ReplacePara(2, {reinterpret_cast<const uint8_t*>(para.data()), para.size()}), 0);
  EXPECT_EQ(Paras(f.editor), "abc|1\r2|ghi");
  EXPECT_EQ(f.editor.CaretPara(), 2);
  EXPECT_EQ(f.editor.CaretPos(), 4);
  f.editor.Undo();
  EXPECT_EQ(Paras(f.editor), "abc|def|ghi");
}

TEST(ReformatParagraph, RewrapsTheRunUpToTheMark) {
  test::TempProgramFolder folder;
  struct Case {
    const char* name;
    bool engm;
    std::string text;
    int32_t caretPara;
    int32_t wrap;
    std::string after;
    int32_t caretPara2, caretPos2;
  };
  const Case cases[] = {
      // The three lines become lines of the wrap width, each ending in a
      // blank and the last in the mark; the caret ends one line below the
      // run, at the end of its line in English and at its start in Hebrew.
      {"three lines, English", true, "aaa \r\nbbb\r\nccc\x14\r\nddd", 2, 8, "aaa bbb |ccc\x14|ddd", 3, 4},
      // The English words of a Hebrew document are joined as they read, and
      // the new line keeps them as such a document stores English: reversed.
      {"three lines, Hebrew", false, "aaa \r\nbbb\r\nccc\x14\r\nddd", 2, 8, "bbb aaa |ccc\x14|ddd", 3, 1},
      // A run starts after the last mark before the caret paragraph.
      {"second run", true, "x\x14\r\nab\r\ncd\x14\r\nef", 3, 20, "x\x14|ab cd\x14|ef", 3, 3},
      // More lines than paragraphs: new ones are inserted.
      {"one long paragraph", true, "aaaa bbbb cccc dddd\x14\r\nz", 1, 10, "aaaa bbbb |cccc dddd\x14|z", 3, 2},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 8);
    f.editor.SetEngm(c.engm);
    f.editor.LoadString(c.text);
    f.editor.SetWordWrap(true);
    f.editor.SetWrapColumn(c.wrap);
    f.editor.MoveCaretToPara(c.caretPara, 2, false);
    const std::string before = Paras(f.editor);
    f.editor.ReformatParagraph();
    EXPECT_EQ(Paras(f.editor), c.after) << c.name;
    EXPECT_EQ(f.editor.CaretPara(), c.caretPara2) << c.name;
    EXPECT_EQ(f.editor.CaretPos(), c.caretPos2) << c.name;
    // One step back to the text as it was.
    f.editor.Undo();
    EXPECT_EQ(Paras(f.editor), before) << c.name;
  }
}

}  // namespace
}  // namespace nuvel
