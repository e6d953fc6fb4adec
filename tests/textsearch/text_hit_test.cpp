#include <gtest/gtest.h>

#include <string>

#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/temp_program_folder.h"
#include "textsearch/text_hit.h"

namespace nuvel {
namespace {

TEST(TextHit, OptionWordOfTheToggleButtons) {
  EXPECT_EQ(TextSearchOptions(false, false, false), 0);
  EXPECT_EQ(TextSearchOptions(true, true, true), 0x40);
  EXPECT_EQ(TextSearchOptions(false, true, false), 0x80);
  EXPECT_EQ(TextSearchOptions(false, false, true), 0x100);
  EXPECT_EQ(TextSearchOptions(false, true, true), 0x180);
}

// An editor holding the text of a file in the Windows text format, as the
// search window loads each text.
struct LoadedText {
  explicit LoadedText(const std::string& text) : f(40, 10) {
    folder.WriteFile("text.nvw", text);
    f.editor.SetDisk_Conv(0);
    f.editor.LoadFromFile(folder.Folder() + "text.nvw");
  }
  test::TempProgramFolder folder;
  test::THebEditorFixture f;
};

struct Search {
  std::string text;
  uint16_t options;
  bool found;
  int para, pos;  // the selection's start when found
};

TEST(TextHit, FindsTheFirstMatchThatPassesTheWordTests) {
  // "שלום" (peace) in the system's bytes, in several word positions.
  const std::string shalom = "\xF9\xEC\xE5\xED";
  const std::string text = "hello world\r\nx" + shalom + " a\r\nab " + shalom + "x " + shalom + "\r\nCat concat cat\r\n";
  const Search cases[] = {
      {shalom, 0, true, 2, 2},
      {shalom, kSearchWordStart, true, 3, 4},
      {shalom, kSearchWordEnd, true, 2, 2},
      {shalom, kSearchWholeWord, true, 3, 10},
      {"WORLD", 0, true, 1, 7},  // ASCII letters without regard to case
      {"cat", kSearchWholeWord, true, 4, 1},
      {"cat", kSearchWordEnd, true, 4, 1},
      {"at", kSearchWordStart, false, 0, 0},
      {"zebra", 0, false, 0, 0},
      {"", 0, false, 0, 0},
  };
  for (const Search& c : cases) {
    LoadedText t(text);
    auto& f = t.f;
    ASSERT_GE(f.editor.ParaCount(), 4);
    EXPECT_EQ(FindTextHit(f.editor, c.text, c.options), c.found) << c.text << " " << c.options;
    if (!c.found) {
      EXPECT_FALSE(f.editor.HasSelection());
      continue;
    }
    int32_t l1, c1, l2, c2;
    ASSERT_TRUE(f.editor.GetSelection(l1, c1, l2, c2));
    f.editor.LineToPara(l1, c1);
    EXPECT_EQ(l1, c.para) << c.text;
    EXPECT_EQ(c1, c.pos) << c.text;
  }
}

TEST(TextHit, FindAgainGoesOnFromTheCaret) {
  LoadedText t("ab ab\r\nab\r\n");
  auto& f = t.f;
  int32_t para = 0, pos = 0, l2, c2;
  const std::pair<int, int> expected[] = {{1, 1}, {1, 4}, {2, 1}};
  for (const auto& [p, q] : expected) {
    ASSERT_TRUE(FindTextHit(f.editor, "ab", 0));
    f.editor.GetSelection(para, pos, l2, c2);
    f.editor.LineToPara(para, pos);
    EXPECT_EQ(para, p);
    EXPECT_EQ(pos, q);
  }
  EXPECT_FALSE(FindTextHit(f.editor, "ab", 0));
}

}  // namespace
}  // namespace nuvel
