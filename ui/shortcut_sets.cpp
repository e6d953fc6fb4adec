#include "ui/shortcut_sets.h"

namespace nuvel {

const std::vector<MenuShortcut>& WindowsShortcuts() {
  static const std::vector<MenuShortcut> set = {
      {"New1", 'N'},   {"Open1", 'O'},      {"Save1", 'S'}, {"Cut1", 'X'},
      {"Copy1", 'C'},  {"Paste1", 'V'},     {"SelectAll1", 'A'}, {"Find1", 'F'},
      {"Replace1", 'H'}, {"Undo1", 'Z'},    {"ToggleType1", 'D'},
  };
  return set;
}

}  // namespace nuvel
