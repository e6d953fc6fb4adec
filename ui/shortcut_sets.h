#pragma once
// The two shortcut sets of the main menu: with the WordStar commands on, the
// Ctrl keys belong to the editor's two-key commands and the eleven items show
// none; with them off each item has its Windows Ctrl shortcut.
#include <string_view>
#include <vector>

namespace nuvel {

struct MenuShortcut {
  std::string_view item;  // the menu item's component name
  char letter;            // Ctrl + this letter in the Windows set
};

// The eleven items in the order they are assigned.
const std::vector<MenuShortcut>& WindowsShortcuts();

}  // namespace nuvel
