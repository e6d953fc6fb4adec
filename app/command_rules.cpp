#include "app/command_rules.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace nuvel {

namespace {

bool In(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Items that act on the active document's editor: without an active window
// they are disabled, whatever else their rule says.
constexpr std::string_view kNeedDocument[] = {
    // Edit menu
    "Undo1", "Redo1", "Undo2", "Redo2", "Cut1", "Copy1", "Paste1", "Cut2", "Copy2", "Paste2", "Delete1", "CollectAll1",
    "SelectAll1", "SelFill1", "SelUpperCase1", "BlockLowerCase1", "UpandDown1", "BlockFlipCase1", "ReverseBlock1",
    "RemoveDoubleSpaces1", "CompressMerge1", "EnterByASCII1", "Counter1", "HebrewCounter1", "ZeroCounter1",
    "Zeroallcounters1", "Replacewithnumbers1", "Insertnumbers1", "NuvelCommands1", "ReformatParagraph1", "CutaWord1",
    "ChangeCaseofCharacter1", "RemDups1", "RevParen1", "RevFile1", "MergeParsTxt1", "AddParLines1",
    // Search menu
    "Find1", "Replace1", "Findnext1", "FindHighlight1", "Gotoline1", "GotoChar1", "NextParagraph1",
    "PreviousParagraph1",
    // File, Options, Tools, Window
    "Save1", "SaveAs1", "Print1", "Close1", "Send1", "Font1", "HebrewFont1", "FileInfo1", "ReadOnly1", "SuperFind1",
    "Sort1", "Spell1", "RemoveHTML1", "Split1", "Properties2", "Bookmark1"};

// The WordStar command submenu's items.
bool InWordStarMenu(std::string_view name) {
  return name.starts_with("SetMark") || name.starts_with("GoTo") ||
         In(name, {"DeleteWordCtrlY1", "DeleteLineCtrlY1", "DeletetoEndofLineCtrlQY1", "DeletetoBeginofLineCtrlQT1",
                   "FindAgainCtrlL1", "FlipCaseCtrlJU1", "PermanentBlockBegin1", "PermanentBlockEndCtrlKK1",
                   "PermanentBlockCopyCtrlKP1", "PermanentBlockDelCtrlKY1", "PermanentBlockMoveCtrlKU1"});
}

std::optional<bool> ButtonRule(std::string_view name, const CommandState& s) {
  const bool any = s.windowCount > 0;
  if (In(name, {"SaveBtn", "SaveAsBtn", "CascadeBtn1", "WVerticalBtn", "WHorizontalBtn", "SuperFindButton",
                "FindButton", "PrintBtn1", "SpellButton1"}))
    return any;
  if (name == "CompareButton") return s.windowCount >= 2;
  if (In(name, {"CutBtn", "CopyBtn"})) return s.activeWindow && s.hasSelection;
  if (name == "PasteBtn") return s.activeWindow && s.clipboardHasText;
  if (name == "Undobtn") return s.activeWindow && s.canUndo;
  if (name == "redobtn") return s.activeWindow && s.canRedo;
  if (name == "Kbd_Lang") return s.activeWindow;
  if (In(name, {"NuvDosBtn", "NuvWinBtn", "DosTextBtn"})) return !s.formatLocked;
  return std::nullopt;
}

}  // namespace

std::optional<bool> EnabledByState(std::string_view name, const CommandState& s) {
  if (auto rule = ButtonRule(name, s)) return rule;
  // Window menu: it works on the windows there are.
  if (name == "NextWindow1") return s.windowCount > 1;
  if (In(name, {"Cascade1", "TileH1", "TileVertical1", "ArrangeIcons1", "MinimizeAll1", "RestoreAll1", "CloseAll1"}))
    return s.windowCount > 0;
  if (name == "Compare1") return s.windowCount >= 2;

  const bool needsDocument =
      std::find(std::begin(kNeedDocument), std::end(kNeedDocument), name) != std::end(kNeedDocument) || InWordStarMenu(name);
  if (!needsDocument) return std::nullopt;
  if (!s.activeWindow) return false;

  // Edit menu, as it opens.
  if (In(name, {"Undo1", "Undo2"})) return s.canUndo;
  if (In(name, {"Redo1", "Redo2"})) return s.canRedo;
  if (In(name, {"Copy1", "Copy2", "Cut1", "Cut2", "SelFill1", "SelUpperCase1", "BlockLowerCase1", "BlockFlipCase1",
                "ReverseBlock1"}))
    return s.hasSelection;
  if (In(name, {"Paste1", "Paste2"})) return s.clipboardHasText;
  if (In(name, {"SelectAll1", "RemoveDoubleSpaces1", "CutaWord1"})) return s.mainHasText;
  if (name == "NuvelCommands1") return s.nuvDosOrTagConfig;
  // The WordStar command menu opens only while the main editor holds text;
  // the block commands need both block markers.
  if (In(name, {"PermanentBlockCopyCtrlKP1", "PermanentBlockDelCtrlKY1", "PermanentBlockMoveCtrlKU1"}))
    return s.mainHasText && s.blockMarked;
  if (InWordStarMenu(name)) return s.mainHasText;
  // Special editing of the whole text.
  if (In(name, {"RemDups1", "MergeParsTxt1", "AddParLines1"})) return s.paragraphCount > 1;
  // Search menu.
  if (In(name, {"Find1", "Replace1", "Gotoline1", "GotoChar1", "NextParagraph1", "PreviousParagraph1"}))
    return s.mainHasText;
  if (name == "Findnext1") return s.mainHasText && s.searchStringSet;
  if (name == "FindHighlight1") return s.mainHasText && s.hasSelection;
  // File menu: printing needs text. Saving an emptied document must stay
  // possible, so Save and Save As only need the window.
  if (name == "Print1") return s.mainHasText;
  return true;
}

std::string_view ItemOfButton(std::string_view button) {
  static constexpr std::pair<std::string_view, std::string_view> kButtons[] = {
      {"NewBtn", "New1"},           {"OpenBtn", "Open1"},           {"SaveBtn", "Save1"},
      {"SaveAsBtn", "SaveAs1"},     {"PrintBtn1", "Print1"},        {"CutBtn", "Cut1"},
      {"CopyBtn", "Copy1"},         {"PasteBtn", "Paste1"},         {"Undobtn", "Undo1"},
      {"redobtn", "Redo1"},         {"FindButton", "Find1"},        {"SuperFindButton", "SuperFind1"},
      {"CompareButton", "Compare1"}, {"SpellButton1", "Spell1"},    {"FindFileButton1", "FindaFile1"},
      {"EngmButton", "Engm1"},      {"Kbd_Lang", "ToggleKeyboard1"}, {"SheimPrtBtn", "OpenWithSheimProtection1"},
      {"CascadeBtn1", "Cascade1"},  {"WVerticalBtn", "TileVertical1"}, {"WHorizontalBtn", "TileH1"},
      {"ExitBtn", "Exit1"},
  };
  for (const auto& [b, item] : kButtons)
    if (b == button) return item;
  return {};
}

}  // namespace nuvel
