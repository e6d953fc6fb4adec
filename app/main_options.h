#pragma once
// The main window's options: read at start-up, changed by the option
// commands and the preferences, and read by the document windows and the
// tools. The main window owns the one copy; everyone else holds a reference.
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_timer.h"

namespace nuvel {

struct MainOptions {
  bool EnglishUI = true;         // English interface texts
  bool WinTabFullPath = false;   // tabs show the full path
  bool ShowFileTabs = true;
  int ChildState = 0;            // new windows: 0 normal, 1 minimized, 2 maximized
  int TabSize = 8;
  int WrapColumn = 80;
  uint16_t SearchOptions = 0;    // the search option word of the last search
  bool RepWoDlg = false;         // Replace asks through the file-name prompt
  bool EngSheimProt = false;     // protect the English Divine Name on opening
  bool EngFontChanged = false;
  bool HebFontChanged = false;
  TimerOptions Timer;            // autosave, auto-minimize and the clock
  std::vector<std::string> ReopenList;
  // The open dialog's filter and the stored one that follows the last pattern.
  std::string OpenDialogFilter =
      "Nuvel Windows files (*.nvw)|*.nvw|Nuvel Dos Files (*.nvs)|*.nvs|Text files (*.txt)|*.txt|All files (*.*)|*.*";
  std::string StoredFilter =
      "|Nuvel Windows files (*.nvw)|*.nvw|Nuvel DOS files (*.nvs)|*.nvs|Text files (*.txt)|*.txt|All files(*.*)|*.*";
  std::string HelpFile;
};

}  // namespace nuvel
