#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "formats/disk_format.h"
#include "platform/virtual_keys.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using test::Paras;
using test::Load;


TEST(FileStats, WordsAndCaretPosition) {
  test::TempProgramFolder folder;
  struct Case {
    std::string text;
    int32_t para, pos;
    int64_t words, charPos;
  };
  const Case cases[] = {
      {"one two|three", 2, 1, 3, 8},
      {"one two|three", 1, 5, 3, 5},
      {"  a,,b  |  |c.", 3, 3, 3, 9},  // loading trims trailing blanks
      {"", 1, 1, 0, 1},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    Load(f.editor, c.text);
    f.editor.MoveCaretToPara(c.para, c.pos, false);
    int64_t words = -1, charPos = -1;
    f.editor.GetFileStats(words, charPos);
    EXPECT_EQ(words, c.words) << c.text;
    EXPECT_EQ(charPos, c.charPos) << c.text;
  }
}

TEST(CaretWord, TheWordUnderTheCaret) {
  test::TempProgramFolder folder;
  struct Case {
    std::string text;
    int32_t pos;
    std::string word;
    int32_t start, end;
  };
  const Case cases[] = {
      {"one two", 6, "two", 5, 8},
      {"one two", 5, "two", 5, 8},
      {"one two", 1, "one", 1, 4},
      {"one two", 4, "", 4, 4},   // on the blank between the words
      {"one two", 8, "", 8, 8},   // after the end
      {"(abc)", 3, "abc", 2, 5},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    Load(f.editor, c.text);
    f.editor.MoveCaretToPara(1, c.pos, false);
    int32_t para = 0, start = 0, end = 0;
    EXPECT_EQ(f.editor.GetCaretWord(para, start, end), c.word) << c.text << " @" << c.pos;
    EXPECT_EQ(para, 1);
    EXPECT_EQ(start, c.start) << c.text << " @" << c.pos;
    if (!c.word.empty()) {
      EXPECT_EQ(end, c.end) << c.text << " @" << c.pos;
    }
  }
}

TEST(NextWord, WalksTheText) {
  test::TempProgramFolder folder;
  struct Case {
    std::string text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"don't stop", {"don't", "stop"}},
      {"dogs' tails", {"dogs", "tails"}},
      {"a|b c||  d.", {"a", "b", "c", "d"}},
      // The first byte of the next paragraph is a word of its own.
      {"xy  |z", {"xy", "z"}},
      {"  ,, |", {}},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    Load(f.editor, c.text);
    int32_t para = 1, pos = 0;
    std::string word;
    std::vector<std::string> words;
    while (f.editor.GetNextWord(para, pos, word)) words.push_back(word);
    EXPECT_EQ(words, c.words) << c.text;
    EXPECT_TRUE(word.empty());
  }
}

TEST(NumberCmds, CountsEachDigitInTextOrder) {
  test::TempProgramFolder folder;
  const std::string alef = "\xE0", bet = "\xE1", gimel = "\xE2";
  struct Case {
    const char* name;
    bool engm;
    uint8_t mode;
    std::string text;
    std::string after;
  };
  const Case cases[] = {
      {"decimal", true, 0, "<#1>a<#1>|<#2> <#1>", "1a2|1 3"},
      {"Hebrew numerals", true, 0, "<#H1> <#h1> <xH1 tail>", alef + " " + bet + " " + gimel},
      {"only closed markers count", true, 0, "<#1 never closed|<#1>", "<#1 never closed|1"},
      {"no digit: left alone", true, 0, "<#> <#H> <C:#>", "<#> <#H> <C:#>"},
      {"insert numbers", true, 1, "<#1>|<#1 :7>", "<#1 :1>|<#1 :2>"},
      {"insert Hebrew numbers", true, 1, "<#H2>", "<#H2 :" + alef + ">"},
      {"Hebrew document", false, 0, ">#1<>#1<|>#\xF2" "1<", "12|" + gimel},  // the third marker of digit 1
      {"Hebrew document, insert", false, 1, ">#\xF2" "3<", ">#\xF2" "3 :" + alef + "<"},
      // Numbers of two digits are reversed in a Hebrew document.
      {"reversed numbers", false, 0, ">#1<>#1<>#1<>#1<>#1<>#1<>#1<>#1<>#1<>#1<", "12345678901"},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(60, 5);
    f.editor.SetEngm(c.engm);
    Load(f.editor, c.text);
    f.editor.MoveCaretToPara(1, 2, false);
    const std::string before = Paras(f.editor);
    f.editor.Number_Cmds(c.mode);
    EXPECT_EQ(Paras(f.editor), c.after) << c.name;
    EXPECT_EQ(f.editor.CaretPara(), 1) << c.name;
    if (before != c.after) {
      f.editor.Undo();
      EXPECT_EQ(Paras(f.editor), before) << c.name;
    }
  }
  // A second run of mode 1 gives the same text.
  test::THebEditorFixture f(40, 5);
  Load(f.editor, "<#1>|<#1>");
  f.editor.Number_Cmds(1);
  const std::string once = Paras(f.editor);
  f.editor.Number_Cmds(1);
  EXPECT_EQ(Paras(f.editor), once);
}

TEST(ShulCmds, BracketCommandsOfEveryParagraph) {
  test::TempProgramFolder folder;
  struct Case {
    bool engm;
    std::string text;
    std::string after;
  };
  const Case cases[] = {
      {true, "<j2>abc|<fs12>x <fs8>y||z", "{\\qc abc} |\\fs24 x \\fs16 y||z"},
      {false, ">j2<abc", "{\\qc abc} "},
      {true, "a << b", "a < b"},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(60, 5);
    f.editor.SetEngm(c.engm);
    Load(f.editor, c.text);
    f.editor.MoveCaretToPara(1, 2, false);
    const std::string before = Paras(f.editor);
    f.editor.Shul_Cmds();
    EXPECT_EQ(Paras(f.editor), c.after) << c.text;
    EXPECT_EQ(f.editor.CaretPos(), 2) << c.text;
    f.editor.Undo();
    EXPECT_EQ(Paras(f.editor), before) << c.text;
  }
}

TEST(FlipCaseOfChar, FlipsTheByteAtTheCaret) {
  test::TempProgramFolder folder;
  struct Case {
    std::string text;
    int32_t pos;
    bool insertMode;
    std::string after;
  };
  const Case cases[] = {
      {"ab", 1, false, "Ab"},
      {"ab", 2, true, "aB"},
      {"\xE1x", 1, true, "\x81x"},
      {"\xE0x", 1, true, "\xE0x"},
      {"ab", 3, true, "ab"},  // after the end: nothing to flip
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    Load(f.editor, c.text);
    f.editor.SetInsertMode(c.insertMode);
    f.editor.MoveCaretToPara(1, c.pos, false);
    f.editor.SetModified(false);
    f.editor.FlipCaseOfChar();
    EXPECT_EQ(Paras(f.editor), c.after) << c.text << " @" << c.pos;
    EXPECT_EQ(f.editor.CaretPos(), c.pos) << c.text << " @" << c.pos;
    EXPECT_TRUE(f.editor.Modified());
  }
  // A selection is kept, the change undoes, read-only changes nothing.
  test::THebEditorFixture f(40, 5);
  Load(f.editor, "abcd");
  f.editor.SetSelection(1, 3, 1, 5, false);  // caret at column 3
  f.editor.FlipCaseOfChar();
  EXPECT_EQ(Paras(f.editor), "abCd");
  EXPECT_TRUE(f.editor.HasSelection());
  f.editor.Undo();
  EXPECT_EQ(Paras(f.editor), "abcd");
  f.editor.SetReadOnly(true);
  f.editor.SetCaretPosition(1, 1);
  f.editor.FlipCaseOfChar();
  EXPECT_EQ(Paras(f.editor), "abcd");
}

TEST(TextServices, ParagraphAndBlankCommands) {
  test::TempProgramFolder folder;
  using Command = void (THebTextEditor::*)();
  struct Case {
    const char* name;
    Command command;
    std::string text;
    std::string after;
    bool undoable;  // one step back gives the text before
  };
  const Case cases[] = {
      {"duplicates", &THebTextEditor::RemoveDuplicates, "a|a|b|a", "a|b|a", true},
      {"duplicates in a row", &THebTextEditor::RemoveDuplicates, "x|x|x|y", "x|y", true},
      {"one paragraph", &THebTextEditor::RemoveDuplicates, "a", "a", true},
      {"double blanks", &THebTextEditor::RemoveDoubleSpaces, "one   two|  lead  x", "one two|lead x", true},
      {"paragraph lines", &THebTextEditor::AddParagraphLines, "a|b||c|d", "a||b||c||d", true},
      {"two paragraphs get none", &THebTextEditor::AddParagraphLines, "a|b", "a|b", true},
      {"brackets", &THebTextEditor::ReverseParentheses, "(a[b]{c}<d>)", ")a]b[}c{>d<(", false},
      {"reverse", &THebTextEditor::ReverseFile, "abc|\xE1\xC8x||z", "cba|x\xC8\xE1||z", false},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    Load(f.editor, c.text);
    f.editor.InsertString("");  // no change, no step
    const std::string before = Paras(f.editor);
    // An earlier edit that a later Undo must not misapply.
    f.editor.MoveCaretToPara(1, 1, false);
    f.editor.InsertString("Q");
    f.editor.DoCommand(ccLeft, 0);
    f.editor.DoCommand(ccDel, 0);
    ASSERT_EQ(Paras(f.editor), before);
    (f.editor.*c.command)();
    EXPECT_EQ(Paras(f.editor), c.after) << c.name;
    if (c.undoable) {
      if (c.after != before) {
        f.editor.Undo();
        EXPECT_EQ(Paras(f.editor), before) << c.name;
      }
    } else {
      EXPECT_FALSE(f.editor.CanUndo()) << c.name;
      f.editor.Undo();
      EXPECT_EQ(Paras(f.editor), c.after) << c.name;
      EXPECT_TRUE(f.editor.Modified()) << c.name;
    }
  }
  // Twice back to the start.
  test::THebEditorFixture f(40, 5);
  Load(f.editor, "f(x) = [a] {b} <c>");
  f.editor.ReverseParentheses();
  f.editor.ReverseParentheses();
  EXPECT_EQ(Paras(f.editor), "f(x) = [a] {b} <c>");
}

TEST(TextServices, DoubleBlanksInsideTheSelectionOnly) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(40, 5);
  Load(f.editor, "a   b   c|  d  e");
  f.editor.SetSelection(1, 1, 1, 5, true);
  f.editor.RemoveDoubleSpaces();
  // Leading blanks go in every paragraph.
  EXPECT_EQ(Paras(f.editor), "a b   c|d  e");
}

TEST(TextServices, StripHtmlRebuildsInMemory) {
  test::TempProgramFolder folder;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(folder.Folder());
  struct Case {
    bool engm;
    std::string text;
    std::string after;
  };
  const Case cases[] = {
      {true, "<p>one <b>two</b>||x<y|end", "one two||x|end"},
      {false, ">p<one|a<b", "one|a<b"},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    f.editor.SetEngm(c.engm);
    f.editor.SetFileName(folder.Folder() + "page.htm");
    Load(f.editor, c.text);
    f.editor.Strip_File_HTML();
    EXPECT_EQ(Paras(f.editor), c.after);
    EXPECT_TRUE(f.editor.Modified());
    EXPECT_FALSE(f.editor.CanUndo());
    EXPECT_EQ(f.editor.FileName(), folder.Folder() + "page.htm");
    // Run again: nothing left to strip, and nothing grows.
    f.editor.Strip_File_HTML();
    EXPECT_EQ(Paras(f.editor), c.after);
  }
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(folder.Folder())) left.push_back(e.path().filename());
  std::filesystem::current_path(cwd);
  for (const auto& name : left) EXPECT_FALSE(name.starts_with("Nuv")) << name;
}

TEST(TextServices, MergeEqualsLoadingTheDosText) {
  test::TempProgramFolder folder;
  const std::string texts[] = {
      "first line|goes on here||second para|also long",
      "a long paragraph that wraps over several screen lines of the window|x",
      "one",
  };
  for (const std::string& text : texts) {
    test::THebEditorFixture f(40, 5);
    f.editor.SetWordWrap(true);
    f.editor.SetWrapColumn(20);
    f.editor.SetFileName(folder.Folder() + "doc.txt");
    Load(f.editor, text);
    // The same text saved as DOS text and loaded by the DOS text reader.
    f.editor.SetDisk_Conv(kDiskDosText);
    f.editor.SaveToFile(folder.Folder() + "dos.txt");
    test::THebEditorFixture g(40, 5);
    g.editor.SetDisk_Conv(kDiskDosText);
    g.editor.SetFileName(folder.Folder() + "dos.txt");
    g.editor.SetIsOpen(true);

    f.editor.SetDisk_Conv(0);
    f.editor.MergeParagraphs();
    EXPECT_EQ(Paras(f.editor), Paras(g.editor)) << text;
    EXPECT_EQ(f.editor.FileName(), folder.Folder() + "doc.txt");
    EXPECT_EQ(f.editor.Disk_Conv(), 0);
    EXPECT_TRUE(f.editor.Modified());
    EXPECT_FALSE(std::filesystem::exists(folder.Folder() + "TEM-MRG.$$"));
  }
}

TEST(TextServices, MergeLeavesTheTextWhenItWouldNotFit) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(40, 5);
  // Seven paragraphs; merged they are eight, the last empty one included.
  Load(f.editor, "a||b||c||d");
  ASSERT_EQ(f.editor.ParaCount(), 7);
  f.editor.SetParaLimit(7);
  uint16_t reported = 0;
  f.editor.OnError = [&reported](TNvcCustomEditor&, uint16_t& code) { reported = code; };
  const std::string before = Paras(f.editor);
  f.editor.MergeParagraphs();
  EXPECT_EQ(reported, kEditorTooManyParas);
  EXPECT_EQ(Paras(f.editor), before);
}

TEST(TextServices, TrailingDotAndShiftDelete) {
  EXPECT_EQ(THebTextEditor::StripTrailingDot("name."), "name");
  EXPECT_EQ(THebTextEditor::StripTrailingDot("name.."), "name.");
  EXPECT_EQ(THebTextEditor::StripTrailingDot("."), ".");
  EXPECT_EQ(THebTextEditor::StripTrailingDot(""), "");

  test::TempProgramFolder folder;
  test::THebEditorFixture f(40, 5);
  Load(f.editor, "abcd");
  f.editor.SetSelection(1, 2, 1, 4, true);
  platform::TShiftState ctrlShift;
  ctrlShift.Shift = ctrlShift.Ctrl = true;
  EXPECT_FALSE(f.editor.ShiftDeleteKey(platform::VK_DELETE, ctrlShift));
  platform::TShiftState shift;
  shift.Shift = true;
  EXPECT_FALSE(f.editor.ShiftDeleteKey(platform::VK_BACK, shift));
  EXPECT_EQ(Paras(f.editor), "abcd");
  EXPECT_TRUE(f.editor.ShiftDeleteKey(platform::VK_DELETE, shift));
  EXPECT_EQ(f.editor.cut, "bc");
  EXPECT_EQ(Paras(f.editor), "ad");
}

}  // namespace
}  // namespace nuvel
