#pragma once
// When the main window's menu items and toolbar buttons may run: the rules
// its menus apply when they open and its toolbar applies after every editor
// change, as one table over a snapshot of the program's state. An item
// enabled here still needs a handler to be enabled on the screen.
#include <optional>
#include <string_view>

namespace nuvel {

// What the rules look at. "The editor" is the active document window's
// current editor; "the main editor" its first one.
struct CommandState {
  bool activeWindow = false;      // a document window is active
  int windowCount = 0;            // document windows open
  int shownWindowCount = 0;       // of them, not minimized
  bool mainHasText = false;       // the main editor holds text
  bool hasSelection = false;      // the editor has a selection
  bool canUndo = false;
  bool canRedo = false;
  bool clipboardHasText = false;
  bool searchStringSet = false;   // a search string to find again
  int paragraphCount = 0;         // paragraphs of the editor's text
  bool blockMarked = false;       // both block markers are set
  bool nuvDosOrTagConfig = false; // the Nuvel DOS or Tag edit configuration
  bool formatLocked = false;      // an edit configuration fixes the disk format
};

// The state rule of a menu item or toolbar button by its component name;
// nullopt when it has none (it may run whenever it has a handler).
std::optional<bool> EnabledByState(std::string_view name, const CommandState& s);

// The menu item whose handler and rule a toolbar button shares; empty when
// the button has a handler of its own.
std::string_view ItemOfButton(std::string_view button);

}  // namespace nuvel
