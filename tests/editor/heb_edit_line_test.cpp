#include "editor/heb_edit_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/conv_mode.h"
#include "core/conv_engine.h"
#include "core/shared_state.h"
#include "editor/clipboard_service.h"
#include "platform/virtual_keys.h"

namespace nuvel {
namespace {

using namespace platform;

// One input event: a key press by virtual-key code, or a typed character.
struct Step {
  bool key = false;
  uint16_t code = 0;
};
Step Key(uint8_t vk) { return {true, vk}; }
Step Char(uint8_t c) { return {false, c}; }

void Play(THebEditLine& line, std::string_view typed) {
  for (char c : typed) line.KeyChar(static_cast<uint8_t>(c));
}

struct EditCase {
  const char* name;
  std::function<void(THebEditLine&)> setup;
  std::vector<Step> steps;
  std::string text;
  int32_t caret;
};

TEST(HebEditLine, TypingAndKeys) {
  auto hebrew = [](THebEditLine& l) {
    l.HebrewKeys = true;
    l.EnglishMode = false;
  };
  auto english = [](THebEditLine& l) { l.EnglishMode = true; };
  auto preset = [](THebEditLine& l) {
    l.EnglishMode = true;
    l.Text = "old";
    l.CaretCol = 1;
  };
  auto max3 = [](THebEditLine& l) {
    l.EnglishMode = true;
    l.MaxLength = 3;
  };
  auto max3over = [](THebEditLine& l) {
    l.EnglishMode = true;
    l.MaxLength = 3;
    l.InsertMode = false;
  };
  auto nikud = [](THebEditLine& l) {
    l.HebrewKeys = true;
    l.NikudKeys = true;
  };
  const EditCase cases[] = {
      {"hebrew layer", hebrew, {Char('a'), Char('b'), Char('c')}, "\xF9\xF0\xE1", 4},
      {"english keys untranslated", english, {Char('a'), Char('b')}, "ab", 3},
      {"preset replaced by the first letter", preset, {Char('x')}, "x", 2},
      {"preset kept after End", preset, {Key(VK_END), Char('x')}, "oldx", 5},
      {"preset kept after Home", preset, {Key(VK_HOME), Char('x')}, "xold", 2},
      {"preset emptied by Backspace", preset, {Char(8)}, "", 1},
      {"caret stops at MaxLength, inserting there", max3,
       {Char('a'), Char('b'), Char('c'), Char('d'), Char('e')}, "abedc", 3},
      {"caret stops at MaxLength, overwriting there", max3over,
       {Char('a'), Char('b'), Char('c'), Char('d'), Char('e')}, "abe", 3},
      {"Insert toggles overwrite", english,
       {Char('a'), Char('b'), Key(VK_HOME), Key(VK_INSERT), Char('x')}, "xb", 2},
      {"Backspace deletes before the caret", english, {Char('a'), Char('b'), Char('c'), Key(VK_LEFT), Char(8)},
       "ac", 2},
      {"Delete deletes at the caret", english, {Char('a'), Char('b'), Key(VK_HOME), Key(VK_DELETE)}, "b", 1},
      {"Ctrl+Y empties", english, {Char('a'), Char('b'), Char(25)}, "", 1},
      {"Enter and Esc change nothing", english, {Char('a'), Char(13), Char(27)}, "a", 2},
      {"other control characters are stored", hebrew, {Char('a'), Char(9)}, "\xF9\x09", 3},
      {"Left and Right exchanged in Hebrew", hebrew,
       {Char('a'), Char('b'), Key(VK_RIGHT), Char('c')}, "\xF9\xE1\xF0", 3},
      {"Right stops after the text", english, {Char('a'), Key(VK_HOME), Key(VK_RIGHT), Key(VK_RIGHT)}, "a", 2},
      {"nikud layer: = gives the sin dot", nikud, {Char('='), Char('1')}, "\xD2\xC1", 3},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    THebEditLine line;
    c.setup(line);
    line.RefreshText();
    for (const Step& s : c.steps) {
      if (s.key)
        line.KeyDown(s.code);
      else
        line.KeyChar(static_cast<uint8_t>(s.code));
    }
    EXPECT_EQ(line.Text, c.text);
    EXPECT_EQ(line.CaretCol, c.caret);
  }
  DageshState = false;
}

TEST(HebEditLine, HebrewIsShownRightAlignedFirstLetterAtTheRight) {
  THebEditLine line;
  line.HebrewKeys = true;
  line.DisplayWidth = 5;
  Play(line, "abc");
  EXPECT_EQ(line.DisplayText, "  \xE1\xF0\xF9");
  EXPECT_EQ(line.DisplayLeft(200, 10), 150);
  // Longer than the width: the start of the text is shown.
  line.Text = "\xE0\xE1\xE2\xE3\xE4\xE5\xE6";
  line.RefreshText();
  EXPECT_EQ(line.DisplayText, "\xE4\xE3\xE2\xE1\xE0");
  // English in a Hebrew field reads left to right, as in the editor.
  line.Text = "\xF9 ab";
  line.RefreshText();
  EXPECT_EQ(line.DisplayText, " ab \xF9");
  line.Text = "abcdefg";
  line.EnglishMode = true;
  line.RefreshText();
  EXPECT_EQ(line.DisplayText, "abcdefg");
  EXPECT_EQ(line.DisplayLeft(200, 10), 0);
}

TEST(HebEditLine, RightStopsAtTheDisplayWidth) {
  THebEditLine line;
  line.EnglishMode = true;
  line.Text = "abcdef";
  line.DisplayWidth = 3;
  line.KeyDown(VK_HOME);
  for (int i = 0; i < 5; ++i) line.KeyDown(VK_RIGHT);
  EXPECT_EQ(line.CaretCol, 3);
  line.FocusEntered(330, 10);
  EXPECT_EQ(line.DisplayWidth, 31);
}

TEST(HebEditLine, AllSelectedIsReplacedOrDeleted) {
  THebEditLine line;
  line.EnglishMode = true;
  line.ClearOnType = false;
  line.Text = "whole";
  line.CaretCol = 3;
  line.AllSelected = true;
  line.KeyChar('x');
  EXPECT_EQ(line.Text, "x");
  EXPECT_FALSE(line.AllSelected);

  line.Text = "whole";
  line.AllSelected = true;
  line.KeyDown(VK_DELETE);
  EXPECT_EQ(line.Text, "");
  EXPECT_EQ(line.CaretCol, 1);
  EXPECT_FALSE(line.AllSelected);
}

TEST(HebEditLine, HistoryAndFindKeysReachTheDialog) {
  THebEditLine line;
  int history = 0, find = 0;
  line.OnHistoryKey = [&] { ++history; };
  line.OnFindKey = [&] { ++find; };
  line.KeyChar(18);
  line.KeyChar(6);
  line.KeyChar(6);
  EXPECT_EQ(history, 1);
  EXPECT_EQ(find, 2);
  EXPECT_EQ(line.Text, "");
  // Unassigned, the keys do nothing.
  THebEditLine plain;
  plain.KeyChar(18);
  plain.KeyChar(6);
  EXPECT_EQ(plain.Text, "");
}

TEST(HebEditLine, CaretPositionAndMouseColumn) {
  const int w = 10, right = 200;
  THebEditLine line;
  struct Caret {
    const char* text;
    bool english;
    int32_t col;
    int x;
  };
  // English typed into a Hebrew field shows left to right: its caret moves
  // right from where the word began.
  for (const Caret& c : {Caret{"abc", true, 1, 2}, Caret{"abc", true, 3, 22}, Caret{"\xE0\xE1\xE2", false, 1, 197},
                         Caret{"\xE0\xE1\xE2", false, 3, 177}, Caret{"abc", false, 1, 167},
                         Caret{"abc", false, 4, 197}, Caret{"abc", false, 3, 187}}) {
    line.Text = c.text;
    line.EnglishMode = c.english;
    line.CaretCol = c.col;
    EXPECT_EQ(line.CaretX(right, w), c.x) << c.text << " " << c.english << " " << c.col;
  }
  line.Text = "abc";
  struct Click {
    bool english;
    int x;
    int32_t col;
  };
  for (const Click& c : {Click{true, 0, 1}, Click{true, 14, 2}, Click{true, 1000, 4}, Click{false, 199, 1},
                         Click{false, 185, 2}, Click{false, 0, 4}}) {
    line.EnglishMode = c.english;
    line.Text = c.english ? "abc" : "\xE0\xE1\xE2";
    EXPECT_EQ(line.ColumnAt(c.x, right, w), c.col) << c.english << " " << c.x;
  }
  line.EnglishMode = true;
  line.MaxLength = 2;
  EXPECT_EQ(line.ColumnAt(1000, right, w), 2);

  // Points that take no cell are not counted.
  const bool saved = NikudOverstrike;
  NikudOverstrike = true;
  line.MaxLength = 30;
  line.Text = "a\xC0" "b";
  line.CaretCol = 3;
  EXPECT_EQ(line.CaretX(right, w), 12);
  EXPECT_EQ(line.ColumnAt(1000, right, w), 3);
  NikudOverstrike = saved;

  line.MouseDoubleClick(0, right, w);
  EXPECT_TRUE(line.AllSelected);
  EXPECT_EQ(line.CaretCol, 1);
  line.MouseDoubleClick(0, right, w);
  EXPECT_FALSE(line.AllSelected);
}

class RecordingClipboard : public TClipboardService {
 public:
  void Put(const TClipboardCopy& c) override {
    copy = c;
    ++puts;
  }
  TClipboardPaste Read() override { return paste; }
  TClipboardCopy copy;
  TClipboardPaste paste;
  int puts = 0;
};

class HebEditLineClipboard : public testing::Test {
 protected:
  void SetUp() override {
    before_ = SetClipboardService(&clipboard);
    mode_ = GetConvMode();
    SetConvMode(kConvNone);
  }
  void TearDown() override {
    SetConvMode(mode_);
    SetClipboardService(before_);
  }
  RecordingClipboard clipboard;

 private:
  TClipboardService* before_ = nullptr;
  int mode_ = 0;
};

TEST_F(HebEditLineClipboard, CopyOnlyWithTheWholeTextSelected) {
  THebEditLine line;
  line.Text = "file.txt";
  line.KeyChar(3);
  EXPECT_EQ(clipboard.puts, 0);
  EXPECT_EQ(line.Text, "file.txt");
  line.MouseDoubleClick(0, 200, 10);
  line.KeyChar(3);
  ASSERT_EQ(clipboard.puts, 1);
  EXPECT_EQ(std::string(clipboard.copy.bytes.begin(), clipboard.copy.bytes.end()), "file.txt");
  EXPECT_EQ(line.Text, "file.txt");
  EXPECT_TRUE(line.AllSelected);

  // The Unicode mode puts the text as Unicode only.
  line.Conversion = ConvContext{kConvUnicode};
  line.Text = "\xF9";
  line.KeyChar(3);
  EXPECT_TRUE(clipboard.copy.unicodeOnly);
  EXPECT_EQ(clipboard.copy.unicodeText, u"\u05E9");
}

TEST_F(HebEditLineClipboard, PasteReplacesTheWholeTextBeyondMaxLength) {
  THebEditLine line;
  line.EnglishMode = true;
  line.Text = "keep";
  line.ClearOnType = false;
  line.KeyDown(VK_END);
  const std::string long40(40, 'x');
  clipboard.paste.bytes = std::vector<uint8_t>(long40.begin(), long40.end());
  line.KeyChar(22);
  EXPECT_EQ(line.Text, long40);
  EXPECT_EQ(line.DisplayText, long40);
  // An empty clipboard leaves the text.
  clipboard.paste = {};
  line.KeyChar(22);
  EXPECT_EQ(line.Text, long40);
}

}  // namespace
}  // namespace nuvel
