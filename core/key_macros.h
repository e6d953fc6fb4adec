#pragma once
// Key macros: the table MacroKeys (slots 1-41 typed by the digit key
// combinations, slot 0 a copy of slot 10) and the ".KEY" files that hold it.
//
// A .KEY file is 8-bit text, one line per slot: lines 1-41 the macros of
// slots 1-41 (an empty line an empty slot), lines 42-82 their names. A macro
// line may carry its name after the marker "&;". Lines hold at most 30
// characters (more are dropped on reading); lines end in CR LF (LF alone and
// CR alone are read too); trailing NUL and Ctrl+Z bytes are ignored.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/shared_state.h"

namespace nuvel {

// Names of the macros of slots 1-41 (index 0 unused), held by the macro editor.
using MacroNames = std::array<std::string, kMacroSlots>;

// The lines of a .KEY file's bytes: slots[1..41] and names[1..41], each cut to 30.
struct MacroFileContent {
  std::array<std::string, kMacroSlots> slots;
  MacroNames names;
};
MacroFileContent ParseMacroFile(std::string_view bytes);
// The bytes SaveMacroKeysAs writes: slots 1-41, then names 1-41, each line ended by CR LF.
std::string FormatMacroFile(const std::array<std::string, kMacroSlots>& slots, const MacroNames& names);

// A file name of the macro dialogs to read: one not starting with "/" is the
// user's file in the user's data folder when there is one, else the program
// folder's factory file (found without regard to case).
std::string MacroFilePath(const std::string& file_name);
// A file name of the macro dialogs to write: one not starting with "/" is
// taken in the user's data folder, never the program folder.
std::string UserMacroFilePath(const std::string& file_name);

// When the file exists: clears slots 1-41, loads them from it and copies slot
// 10 to slot 0. A missing file changes nothing. Throws EInOutError when the
// file exists but cannot be read.
void LoadMacroKeys(const std::string& file_name);

// For the macro editor: when the file exists, fills names[1..41] from lines
// 42-82, and a macro line holding "&;" gives its slot the text after the
// marker as its name. MacroKeys is not changed. A missing file changes nothing.
void LoadMacroKeysForDialog(MacroNames& names, const std::string& file_name);

// What the save dialog of SaveMacroKeysAs is set up with.
struct MacroSaveDialog {
  std::string title;        // "Save " + KeyFileName + " As"
  std::string filter;       // "Nuvel Macros|*.KEY"
  std::string file_name;    // KeyFileName
  std::string initial_dir;  // the user's data folder
};
// Asks for a file name through `ask` (nullopt: the user cancelled) and writes
// slots 1-41 of MacroKeys and the 41 names to it, replacing the file. Returns
// false when cancelled; throws EInOutError when the file cannot be written.
bool SaveMacroKeysAs(const std::function<std::optional<std::string>(const MacroSaveDialog&)>& ask,
                     const MacroNames& names);

}  // namespace nuvel
