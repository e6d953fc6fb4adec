#pragma once
// Where the program lives and where per-user state goes. Tests redirect both
// to temporary folders so they never touch a user's files.
#include <string>

namespace nuvel::platform {

// Folder of the running executable, with a trailing "/"; empty when unknown.
std::string ProgramFolder();
// Full path of the running executable.
std::string ProgramFile();
// Makes ProgramFolder() answer `folder` (a trailing "/" is added); empty undoes it.
void SetProgramFolderOverride(const std::string& folder);

// Path of the file `name` in `folder` (which ends in "/"), found without
// regard to ASCII case: the existing entry whose name matches exactly, else
// the first that matches without case, else folder + name as given.
std::string FindFileNoCase(const std::string& folder, const std::string& name);
// The program's own data file `name` ("DIDOD.drf", "NuvStr.DLL", ...) in the
// program folder, found without regard to case.
std::string ProgramDataFile(const std::string& name);

// The user's configuration folder ($XDG_CONFIG_HOME, else ~/.config), with a trailing "/".
std::string UserConfigFolder();
// Makes UserConfigFolder() answer `folder`; empty undoes it.
void SetUserConfigFolderOverride(const std::string& folder);

// The user's data folder ($XDG_DATA_HOME, else ~/.local/share), with a trailing "/".
std::string UserDataHome();
// Makes UserDataHome() answer `folder`; empty undoes it.
void SetUserDataHomeOverride(const std::string& folder);

}  // namespace nuvel::platform
