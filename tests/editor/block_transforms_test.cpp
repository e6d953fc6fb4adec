#include "editor/block_transforms.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/heb_text_editor.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using test::Paras;

TEST(CaseFlipTable, PairsAndFixedBytes) {
  const auto& t = CaseFlipTable();
  struct Case {
    uint8_t in, out;
  };
  const Case cases[] = {
      {'a', 'A'}, {'Z', 'z'}, {0xE1, 0x81}, {0x81, 0xE1}, {0xE9, 0x89}, {0xEE, 0x8E}, {0xF9, 0x99},
      {0x9A, 0xFA}, {0xE0, 0xE0}, {0xE7, 0xE7}, {0xED, 0xED}, {0xF8, 0xF8}, {0x80, 0x80}, {0x95, 0x95},
      {0xC4, 0xC4}, {'5', '5'},  {'~', '~'},
  };
  for (const Case& c : cases) EXPECT_EQ(t[c.in], c.out) << int(c.in);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(t[t[static_cast<size_t>(b)]], b) << b;
}

TEST(TransformBlock, ModesOnTheSelection) {
  test::TempProgramFolder folder;
  struct Case {
    const char* name;
    std::string text;
    int32_t line1, col1, line2, col2;
    std::vector<TBlockMode> modes;
    std::string after;
    bool hebrew = false;  // a Hebrew document, whose Hebrew words are stored as they read
  };
  const std::string bet = "\xE1", alef = "\xE0", resh = "\xF8";
  const Case cases[] = {
      {"upper case", "abc", 1, 1, 1, 4, {TBlockMode::UpperCase}, "ABC"},
      {"upper case of Hebrew", bet + alef + resh + "\x81", 1, 1, 1, 5, {TBlockMode::UpperCase},
       "\x81" + alef + resh + "\x81"},
      {"lower case", "ABC", 1, 1, 1, 4, {TBlockMode::LowerCase}, "abc"},
      {"lower case drops points, keeps ~", "\x99\xC8~\x95", 1, 1, 1, 5, {TBlockMode::LowerCase}, "\xF9~\x95"},
      {"points outside the block stay", "a\xC8" "b\xC8", 1, 3, 1, 5, {TBlockMode::LowerCase}, "a\xC8" "b"},
      {"fill over two paragraphs", "ab\r\ncd", 1, 2, 2, 2, {TBlockMode::Fill}, "a!|!d"},
      {"capitalise", "HELLO wORLD", 1, 1, 1, 12, {TBlockMode::LowerCase, TBlockMode::Capitalise}, "Hello World"},
      {"a block inside a word", "HELLO wORLD", 1, 3, 1, 12, {TBlockMode::LowerCase, TBlockMode::Capitalise},
       "HEllo World"},
      {"Hebrew words take their pointed form", bet + "\xC8" + bet + " " + bet, 1, 1, 1, 6,
       {TBlockMode::LowerCase, TBlockMode::Capitalise}, "\x81" + bet + " \x81", true},
      {"flip case", "aB" + bet, 1, 1, 1, 4, {TBlockMode::FlipCase}, "Ab\x81"},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    f.editor.SetEngm(!c.hebrew);
    f.editor.LoadString(c.text);
    const std::string before = Paras(f.editor);
    if (c.modes.size() == 2) {
      // Up and Down does both in one step.
      f.editor.SetSelection(c.line1, c.col1, c.line2, c.col2, true);
      UpAndDownBlock(f.editor);
      EXPECT_EQ(Paras(f.editor), c.after) << c.name;
      f.editor.Undo();
      EXPECT_EQ(Paras(f.editor), before) << c.name;
    }
    for (TBlockMode m : c.modes) {
      f.editor.SetSelection(c.line1, c.col1, c.line2, c.col2, true);
      TransformBlock(f.editor, m);
    }
    EXPECT_EQ(Paras(f.editor), c.after) << c.name;
    // Each transform is one undo step.
    for (size_t i = 0; i < c.modes.size(); ++i) f.editor.Undo();
    EXPECT_EQ(Paras(f.editor), before) << c.name;
  }
}

TEST(TransformBlock, NothingWithoutASelection) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(40, 5);
  f.editor.LoadString("abc");
  TransformBlock(f.editor, TBlockMode::UpperCase);
  ReverseBlock(f.editor);
  EXPECT_EQ(Paras(f.editor), "abc");
  EXPECT_FALSE(f.editor.CanUndo());
}

TEST(ReverseBlock, WithinEachParagraph) {
  test::TempProgramFolder folder;
  struct Case {
    std::string text;
    int32_t line1, col1, line2, col2;
    std::string after;
  };
  const Case cases[] = {
      {"abcdef", 1, 2, 1, 5, "adcbef"},
      {"abcd\r\nefgh", 1, 3, 2, 3, "abdc|fegh"},
      {"ab\r\n\r\ncd", 1, 1, 3, 3, "ba||dc"},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    f.editor.LoadString(c.text);
    f.editor.SetSelection(c.line1, c.col1, c.line2, c.col2, true);
    ReverseBlock(f.editor);
    EXPECT_EQ(Paras(f.editor), c.after) << c.text;
    f.editor.Undo();
    EXPECT_EQ(Paras(f.editor).size(), c.after.size()) << c.text;
  }
}

TEST(StripTags, BothDirections) {
  struct Case {
    std::string in;
    bool english;
    std::string out;
  };
  const Case cases[] = {
      {"x<b>y</b>z", true, "xyz"},
      {"a>b", true, "a>b"},
      {"<a<b>c>d", true, "d"},
      {"keep<open", true, "keep"},
      {">b<y", false, "y"},
      {"x<y", false, "x<y"},
      {"<>", true, ""},
  };
  for (const Case& c : cases) {
    const auto out = StripTags({reinterpret_cast<const uint8_t*>(c.in.data()), c.in.size()}, c.english);
    EXPECT_EQ(std::string(out.begin(), out.end()), c.out) << c.in;
  }
}

}  // namespace
}  // namespace nuvel
