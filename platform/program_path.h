#pragma once
// Where the program lives and where per-user state goes. Tests redirect both
// to temporary folders so they never touch a user's files.
#include <string>

namespace nuvel::platform {

// Folder of the running executable, with a trailing "/".
std::string ProgramFolder();
// Full path of the running executable.
std::string ProgramFile();
// Makes ProgramFolder() answer `folder` (a trailing "/" is added); empty undoes it.
void SetProgramFolderOverride(const std::string& folder);

// The user's configuration folder ($XDG_CONFIG_HOME, else ~/.config), with a trailing "/".
std::string UserConfigFolder();
// Makes UserConfigFolder() answer `folder`; empty undoes it.
void SetUserConfigFolderOverride(const std::string& folder);

}  // namespace nuvel::platform
