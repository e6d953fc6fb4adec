#pragma once
// The settings the main window reads when it is created, read in one pass in
// the order of creation: the INI file's [StartUp], [GENPREFS] and [REOPEN]
// sections and the registry's GENPREFS values. A missing value takes its
// default; a malformed number takes the same default and start-up goes on.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nuvel {

struct WindowPlacement {
  int Height = 500;
  int Width = 640;
  std::optional<int> Left;  // unset: wherever the window system puts it
  std::optional<int> Top;
};

enum class WindowShowState : uint8_t { Normal = 0, Minimized = 1, Maximized = 2 };

struct MainFormSettings {
  // [StartUp]
  bool LoadFont[4] = {false, false, false, false};  // LoadFont1..LoadFont4
  bool EnglishUI = true;                           // Eng_Prompts, else the locale
  WindowPlacement Placement;                       // WindowPosition "Height Width Left Top"
  WindowShowState ShowState = WindowShowState::Maximized;  // WindowState; minimized starts normal

  // [GENPREFS] of the INI file
  bool MakeBackup = false;
  bool AutoIndent = false;
  bool WordStarCommands = false;
  bool AutoSave = false;
  int AutoSaveInt = 900;  // seconds
  bool ShowToolBar = true;
  bool ShowTime = false;
  bool RepWoDlg = false;
  bool FullNuvel = false;
  bool NuvelDlg = false;
  // The first character of EditConfig when it is 0-6; nullopt for any other
  // value: then conversion mode 2 was stored and DISK_FMT written "0".
  std::optional<int> EditConfig;
  std::vector<std::string> Reopen;  // [REOPEN] "0".."9" that are present
  bool EngFile = false;             // ENG_FILE
  std::optional<char> KeyType;      // KEYTYPE's first letter
  bool WordWrap = false;
  bool WrapToWindow = false;
  int WrapColumn = 80;
  bool PersistentBlocks = false;
  int DiskFmt = 0;     // DISK_FMT: 0 NuvWinBtn, 1 NuvDosBtn, 2 DosTextBtn, other none
  int Conversion = 0;  // Conversion

  // Registry GENPREFS
  bool ShowFileTabs = true;
  bool WinTabFullPath = false;
  int ChildState = 0;
  bool HebSheimProt = false;
  bool EngSheimProt = false;
  bool AutoMin = false;
  int AutoMinInt = 7200;  // seconds

  // The edit-configuration flags the choice sets.
  bool NoConversion() const { return EditConfig == 1; }
};

// Reads the table. When EditConfig is not 0-6 it stores conversion mode 2
// and writes [GENPREFS] DISK_FMT "0" before DISK_FMT is read, as creation does.
MainFormSettings ReadMainFormSettings();

// A whole decimal number (blanks around allowed); nullopt otherwise.
std::optional<int> ParseSettingsNumber(std::string_view text);

}  // namespace nuvel
