#pragma once
// Every setting the preferences dialog shows and writes, read from the INI
// file and the registry with their defaults, and written back in one pass.
// The numbers the user types are checked all together before anything is
// written: a field that is not a whole number in its range is named, and
// nothing is stored.
#include <optional>
#include <string>
#include <string_view>

#include "core/color.h"

namespace nuvel {

struct Preferences {
  // "Properties"
  bool EnglishDocument = false;            // ENG_FILE
  int EditConfig = 0;                      // EditConfig 0..6
  std::string Default3B2Style = "<body>";  // [S3B2] Default_Style
  int DiskFormat = 0;                      // DISK_FMT 0..5
  bool SmartLoad = false;                  // Smart_Load
  int Conversion = 0;                      // Conversion 0..9
  // "Display"
  TColor ScreenColor = clWindow;              // Scr_Color
  TColor TextColor = clWindowText;            // FontN_Color
  TColor SelectionColor = clHighlight;        // ScrH_Color
  TColor SelectionTextColor = clHighlightText;  // FontH_Color
  bool ShowToolBar = true;                 // Show_Tool_Bar
  bool ToolBarWrap = true;                 // Tool_Bar_Wrap
  bool ShowTime = false;                   // ShowTime
  bool ShowFileTabs = true;                // registry Show_FileTabs
  bool WinTabFullPath = false;             // registry WinTabFullFl
  bool CtrlNums = false;                   // CtrlNums: control characters as numbers
  std::string FileManagerFont;             // registry FlFont "name~size~style"
  // "Working Conditions"
  bool WordWrap = false;
  bool WrapToWindow = false;
  int WrapColumn = 80;
  bool FindCursorWord = false;             // Find_Cursor_Word
  bool RepWoDlg = false;
  bool AutoSave = false;
  int AutoSaveMinutes = 15;                // AutoSaveInt, 1..60
  bool UseTabs = false;                    // Use_Tabs
  bool MakeBackup = false;                 // Make_Backup
  bool AutoIndent = false;
  bool FullNuvel = false;
  bool NuvelDlg = false;
  bool WordStarCommands = false;
  std::string RtfUserHead;                 // registry RtfInf UserHead
  // "Sheim Hashem"
  bool HebSheimProt = false;               // registry HebSheimProt
  bool EngSheimProt = false;               // registry EngSheimProt
  bool AutoMin = false;                    // registry AutoMin
  int AutoMinMinutes = 120;                // registry AutoMinInt, 5..360
  // "Files and Directories"
  std::string MainEngDic = "NUVHSPE.DIC";
  std::string MainHebDic = "NUVHSPH.DIC";
  std::string TempEngDic = "NuvSpelE.tmp";
  std::string TempHebDic = "NuvSpelH.tmp";

  friend bool operator==(const Preferences&, const Preferences&) = default;
};

// The ranges of the numbers.
inline constexpr int kWrapColumnMin = 1;
inline constexpr int kWrapColumnMax = 1024;
inline constexpr int kAutoSaveMinutesMin = 1;
inline constexpr int kAutoSaveMinutesMax = 60;
inline constexpr int kAutoMinMinutesMin = 5;
inline constexpr int kAutoMinMinutesMax = 360;

// Reads every setting; a missing value, one that is not of its kind and a
// number out of its range each give the default.
Preferences ReadPreferences();

// Writes every setting (the character table through SaveConvMode, which
// also makes it current).
void WritePreferences(const Preferences& p);

// The numbers as typed in the dialog.
struct TypedPreferenceNumbers {
  std::string WrapColumn;
  std::string AutoSaveMinutes;
  std::string AutoMinMinutes;
};

enum class PreferenceField { WrapColumn, AutoSaveMinutes, AutoMinMinutes };

struct PreferenceFieldError {
  PreferenceField Field;
  std::string_view Component;  // the dialog's control of the field
  int Low = 0;
  int High = 0;
};

// Takes the typed numbers into `into`, all or none: the first field (in the
// order of the dialog's pages) that is not a whole number in its range is
// returned and `into` is left as it was.
std::optional<PreferenceFieldError> TakeTypedNumbers(const TypedPreferenceNumbers& typed, Preferences& into);

// The edit configuration's effect on the three choices of the first page.
struct EditConfigControls {
  bool DiskFormatEnabled = true;
  bool ConversionEnabled = true;
  bool StyleEnabled = false;  // the default 3B2 style
  std::optional<int> SetDiskFormat;
  std::optional<int> SetConversion;
};
// Choosing configuration `config` in the dialog (0 Default, 1 Program Editor,
// 2 Custom, 3 Nuvel DOS, 4 3B2, 5 Tag).
EditConfigControls EditConfigChosen(int config);
// The same when the dialog opens: only the enabling, nothing is set.
EditConfigControls EditConfigShown(int config);
// Leaving the character table with Einstein, 3B2 or Unicode selects the
// matching disk format, and the other way round; nullopt: no change.
std::optional<int> DiskFormatForConversion(int conversion);
std::optional<int> ConversionForDiskFormat(int diskFormat);

}  // namespace nuvel
