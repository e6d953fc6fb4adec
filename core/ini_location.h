#pragma once
// Where the INI file and the user's settings are kept. The INI file lives in
// the program folder while the program may write there; an installed program
// used by an ordinary user keeps it in the user's settings folder instead,
// copied from the program folder the first time, and reads it from there
// afterwards, so that settings, the reopen list and the window state are kept.
#include <string>

namespace nuvel {

// The user's settings folder: UserConfigFolder() + "nuvel/".
std::string SettingsFolder();

// The user's own INI file: SettingsFolder() + "settings/" + `baseName` + ".INI".
std::string UserIniFile(const std::string& baseName);

// The INI file to read and write for the program folder `programFolder`
// (ending in "/"): its own file `baseName` + ".INI" (found without regard to
// case) when that file, or the folder when the file is absent, can be
// written; otherwise the user's own file, made from the program folder's
// file when it is not there yet. When the user's file can be neither found
// nor made, the program folder's file is read as it is.
std::string IniFileFor(const std::string& programFolder, const std::string& baseName);

// The system's error number that keeps the settings folder from being made
// or written; 0 when it can be.
int SettingsFolderError();

}  // namespace nuvel
