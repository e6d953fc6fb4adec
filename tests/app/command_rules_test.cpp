#include "app/command_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvel {
namespace {

// A document window with text, nothing selected, one paragraph.
CommandState OneDocument() {
  CommandState s;
  s.activeWindow = true;
  s.windowCount = s.shownWindowCount = 1;
  s.mainHasText = true;
  s.paragraphCount = 1;
  return s;
}

TEST(CommandRules, ItemsFollowTheActiveDocument) {
  struct Case {
    const char* what;
    CommandState state;
    const char* name;
    std::optional<bool> enabled;
  };
  CommandState none;
  CommandState doc = OneDocument();
  CommandState selected = doc;
  selected.hasSelection = true;
  CommandState empty = doc;
  empty.mainHasText = false;
  CommandState undoable = doc;
  undoable.canUndo = true;
  CommandState clip = doc;
  clip.clipboardHasText = true;
  CommandState searched = doc;
  searched.searchStringSet = true;
  CommandState paragraphs = doc;
  paragraphs.paragraphCount = 2;
  CommandState blocks = doc;
  blocks.blockMarked = true;
  CommandState two = doc;
  two.windowCount = two.shownWindowCount = 2;
  CommandState dosConfig = doc;
  dosConfig.nuvDosOrTagConfig = true;
  dosConfig.formatLocked = true;
  const Case cases[] = {
      {"no window: edit items off", none, "Copy1", false},
      {"no window: paste off even with a clipboard", none, "Paste1", false},
      {"no window: save off", none, "Save1", false},
      {"no window: window commands off", none, "Cascade1", false},
      {"no window: tools needing a document off", none, "Spell1", false},
      {"no window: items without a rule have none", none, "Open1", std::nullopt},
      {"copy needs a selection", doc, "Copy1", false},
      {"copy with a selection", selected, "Copy2", true},
      {"block case with a selection", selected, "SelUpperCase1", true},
      {"up and down is never disabled with a window", doc, "UpandDown1", true},
      {"undo follows the editor", doc, "Undo1", false},
      {"undo available", undoable, "Undo2", true},
      {"paste needs text on the clipboard", doc, "Paste1", false},
      {"paste with text on the clipboard", clip, "Paste2", true},
      {"select all needs text", empty, "SelectAll1", false},
      {"select all with text", doc, "SelectAll1", true},
      {"an emptied document can still be saved", empty, "Save1", true},
      {"printing needs text", empty, "Print1", false},
      {"find needs text", empty, "Find1", false},
      {"find next needs a search string", doc, "Findnext1", false},
      {"find next with a search string", searched, "Findnext1", true},
      {"find highlighted needs a selection", doc, "FindHighlight1", false},
      {"duplicate lines need two paragraphs", doc, "RemDups1", false},
      {"merge with two paragraphs", paragraphs, "MergeParsTxt1", true},
      {"reverse parentheses with one paragraph", doc, "RevParen1", true},
      {"block copy needs both markers", doc, "PermanentBlockCopyCtrlKP1", false},
      {"block copy with both markers", blocks, "PermanentBlockMoveCtrlKU1", true},
      {"block begin without markers", doc, "PermanentBlockBegin1", true},
      {"bookmarks need text", empty, "SetMark3", false},
      {"Nuvel commands only in the DOS and Tag configurations", doc, "NuvelCommands1", false},
      {"Nuvel commands in the DOS configuration", dosConfig, "NuvelCommands1", true},
      {"next window needs two", doc, "NextWindow1", false},
      {"next window with two", two, "NextWindow1", true},
      {"compare needs two windows", doc, "Compare1", false},
      {"compare with two windows", two, "Compare1", true},
      {"file information needs a window", doc, "FileInfo1", true},
  };
  for (const Case& c : cases) EXPECT_EQ(EnabledByState(c.name, c.state), c.enabled) << c.what;
}

TEST(CommandRules, ButtonsFollowTheWindowsAndTheEditor) {
  CommandState none;
  CommandState doc = OneDocument();
  doc.mainHasText = false;  // the buttons do not look at the text
  CommandState selected = doc;
  selected.hasSelection = true;
  CommandState two = doc;
  two.windowCount = 2;
  CommandState locked = doc;
  locked.formatLocked = true;
  struct Case {
    CommandState state;
    const char* name;
    bool enabled;
  };
  const Case cases[] = {
      {none, "SaveBtn", false},       {doc, "SaveBtn", true},       {doc, "FindButton", true},
      {doc, "PrintBtn1", true},       {doc, "CompareButton", false}, {two, "CompareButton", true},
      {doc, "CopyBtn", false},        {selected, "CutBtn", true},   {none, "Kbd_Lang", false},
      {doc, "Kbd_Lang", true},        {doc, "NuvWinBtn", true},     {locked, "DosTextBtn", false},
  };
  for (const Case& c : cases) EXPECT_EQ(EnabledByState(c.name, c.state), c.enabled) << c.name;
  // Buttons without a rule of their own run whenever their item can.
  EXPECT_EQ(EnabledByState("NewBtn", none), std::nullopt);
  EXPECT_EQ(EnabledByState("ExitBtn", none), std::nullopt);
}

TEST(CommandRules, ButtonsStandForTheirMenuItems) {
  EXPECT_EQ(ItemOfButton("CopyBtn"), "Copy1");
  EXPECT_EQ(ItemOfButton("Kbd_Lang"), "ToggleKeyboard1");
  EXPECT_EQ(ItemOfButton("SheimPrtBtn"), "OpenWithSheimProtection1");
  EXPECT_EQ(ItemOfButton("NuvWinBtn"), "");  // a handler of its own
}

}  // namespace
}  // namespace nuvel
