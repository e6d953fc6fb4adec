#pragma once
// Where a user's run keeps what it writes. The program folder holds the
// factory files and is never written by a user's run: settings (the INI
// file, e-book settings) go to the user's settings folder
// ($XDG_CONFIG_HOME/nuvel), and the files a user makes (keystroke
// recordings, rule files, word lists, key-macro files, texts) to the user's
// data folder ($XDG_DATA_HOME/nuvel). A file the user has not made yet is
// read from the program folder, whose copy is the factory default.
#include <string>
#include <vector>

namespace nuvel {

// The user's settings folder: UserConfigFolder() + "nuvel/".
std::string SettingsFolder();

// The user's data folder: UserDataHome() + "nuvel/".
std::string UserDataFolder();

// The user's own INI file: SettingsFolder() + "settings/" + `baseName` + ".INI".
std::string UserIniFile(const std::string& baseName);

// The INI file a run writes for the program folder `programFolder` (ending
// in "/"): the user's own file, made from the program folder's `baseName` +
// ".INI" (found without regard to case; empty when there is none) the first
// time. When the user's file can be neither found nor made, the program
// folder's file is named (and writing it fails, as the program folder is not
// the user's to write).
std::string IniFileFor(const std::string& programFolder, const std::string& baseName);

// The INI file to read: the user's own file once there is one, until then
// the program folder's factory file (found without regard to case).
std::string IniFileToRead(const std::string& programFolder, const std::string& baseName);

// The file `name` (found without regard to case) in the user's folder
// `userFolder` when the user has one, else the program folder's factory
// copy in `programFolder`; both folders end in "/".
std::string UserFileOrFactory(const std::string& userFolder, const std::string& programFolder,
                              const std::string& name);

// The folders searched for a user's data file, the user's first: the
// user's data folder, then the program folder `programFolder`.
std::vector<std::string> UserThenFactoryFolders(const std::string& programFolder);

// The folders of the text collection, first to last: the program folder's
// "Texts/" and the same folder in the user's data folder.
std::vector<std::string> TextCollectionFolders(const std::string& programFolder);
// Whether `path` lies in one of the text collection's folders (names
// compared without regard to ASCII case, as the collection's files are found).
bool InTextCollection(const std::string& path, const std::string& programFolder);

// The system's error number that keeps the settings folder from being made
// or written; 0 when it can be.
int SettingsFolderError();

}  // namespace nuvel
