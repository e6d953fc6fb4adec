#pragma once
// Process-wide state shared by the editor, the main window and the tools.
// There is exactly one of each value; every part of the program reads and
// writes them directly (one GUI thread, no locking).
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace nuvel {

// The older Windows systems had their own Middle-East text output and menu
// routines, detected at start-up; every system here shows Hebrew through
// Unicode, so no such detection exists.

extern bool NikudOverstrike;  // vowel points take no display cell
extern bool EngPrompts;       // English interface texts; false = Hebrew

extern std::string ProgPath;      // program folder, ending in "/"
extern std::string IniBaseName;   // "NuvelW"
extern std::string DataFileName;  // "DIDOD.drf" once InitStartUp ran
extern std::string KeyFileName;   // "DIDOD.key" once InitStartUp ran

// True exactly for '0'..'9' and '.' once InitStartUp ran.
extern std::array<bool, 256> DigitTable;

// Key-macro table: slots 0..41 of at most 30 characters; slot 0 mirrors slot 10.
inline constexpr int kMacroSlots = 42;
inline constexpr size_t kMacroLength = 30;
extern std::array<std::string, kMacroSlots> MacroKeys;

extern uint8_t WsQTKey;          // key typed after the WordStar prefix Ctrl+Q T
extern std::string RuleFileName; // rule file chosen in the rule-file chooser

extern int32_t IdleCounter;     // reset by every editor command; counted up by the main timer
extern uint8_t ScrollLockMode;  // caret's screen row kept while Scroll Lock is on; 0 = none

// Edit configuration ([GENPREFS] EditConfig) as the preferences set it; at
// most one is set. A document or tool run reads them once, into its own
// ConvContext (core/conv_context.h).
extern bool NoConversion;  // 1 Program Editor
extern bool NuvDosConfig;  // 3 Nuvel DOS
extern bool ForceCP1255;   // 4 3B2
extern bool TagConfig;     // 5 Tag
extern bool Config6;       // 6 NUL-separated records

// Keyboard latches.
extern bool DageshState;   // dagesh toggle of the phonetic keyboard
extern bool VowelSkip;     // typing a vowel point moves the caret left over blanks
extern bool CtrlKPending;  // Ctrl+K seen with no document open; waiting for R or X

// Start-up work of the shared state: sets the values above to their start
// values, reads [StartUp] Eng_Prompts, takes ProgPath from the running
// program and fills the system locale values. Run once, first of the
// program's own start-up work.
void InitSharedState();

// True when the system's locale is Hebrew: a locale value "0000040D" in the
// registry (the platform fills those values from the POSIX locale).
bool IsHebrewLocale();

// The program's own screen-font files to remove at exit, in removal order
// (LoadFont1, 2, 4, 3), for those whose [StartUp] LoadFontN is "1"; full paths.
std::vector<std::string> ProgramFontFilesToRemove();

// Exit work: hands each file of ProgramFontFilesToRemove to `remove_font`
// (the GUI layer's font-resource removal). Failures are ignored.
void ExitSharedState(const std::function<void(const std::string&)>& remove_font);

}  // namespace nuvel
