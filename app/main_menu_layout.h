#pragma once
// The main window's menus as data: every item with its component name, the
// menu it sits in, its English caption and hint, its shortcut and whether it
// is hidden, checkable or part of a radio group. The window builds its menu
// bar and its own popup menu from this list, in order.
#include <cstdint>
#include <string_view>
#include <vector>

namespace nuvel {

enum MenuItemFlag : uint8_t {
  kHidden = 1 << 0,     // never shown; its shortcut still works where it has one
  kCheckable = 1 << 1,
  kChecked = 1 << 2,    // checked at creation
  kRadio = 1 << 3,      // one of the keyboard radio items
  kWorking = 1 << 4,    // its command can run now; other leaf items start disabled
  kSeparator = 1 << 5,  // a separator line (the name may be empty)
};

struct MenuItemDef {
  std::string_view name;      // component name (object name)
  std::string_view parent;    // menu it sits in: "" the menu bar, "PopupMenu1" the frame's popup
  std::string_view caption;   // English caption with its "&" accelerator
  std::string_view hint;      // English hint, shown on the status bar
  std::string_view shortcut;  // portable key sequence text; "" none
  uint8_t flags = 0;
};

const std::vector<MenuItemDef>& MainMenuLayout();

// True when some item of the layout sits in `name`.
bool IsSubmenu(std::string_view name);

// The toolbar's buttons: name, short English label and hint.
struct ToolButtonDef {
  std::string_view name;
  std::string_view label;
  std::string_view hint;
  uint8_t flags = 0;  // kHidden, kCheckable, kWorking
};
const std::vector<ToolButtonDef>& SpeedPanelLayout();

}  // namespace nuvel
