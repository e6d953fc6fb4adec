#pragma once
// The Palm desktop as far as e-books need it: its users, their install
// folders and the flag that asks for an install at the next HotSync, and
// the key that registers this program as an add-on of the desktop.
//
// The desktop keeps its keys in the current user's registry under
// "Software\U.S. Robotics", or "Software\Palm Computing" when that is
// absent; with neither the desktop counts as not installed. This platform
// has no desktop of its own: the keys live in the program's registry store
// and the desktop's folders are plain folders, set up by the user
// (SetPalmDesktopFolder) or by whatever stands in for the desktop.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/palm_users_file.h"

namespace nuvel {

class EPalmDesktopError : public std::runtime_error {
 public:
  EPalmDesktopError() : std::runtime_error("The PalmPilot Desktop software is not correctly installed.") {}
};

inline constexpr const char* kPalmRootRobotics = "Software\\U.S. Robotics";
inline constexpr const char* kPalmRootPalm = "Software\\Palm Computing";
inline constexpr const char* kPalmAddOnKey = "ApplicationNuvel";

// The desktop's root key in the registry store; empty when neither exists.
std::string PalmDesktopRoot();

// The desktop's users, read from the registry and the users file.
class TUserData {
 public:
  // Throws EPalmDesktopError when the desktop's root key is missing. A
  // missing or unreadable users file gives no users.
  TUserData();

  int Count() const { return static_cast<int>(users_.size()); }
  int LastUserIndex() const { return lastUserIndex_; }
  const std::string& DesktopPath() const { return desktopPath_; }
  const std::string& LastUserName() const { return lastUserName_; }
  // Out of range gives 0 or "".
  uint16_t UserID(int I) const;
  std::string UserName(int I) const;
  std::string UserFolder(int I) const;
  // The folder the desktop installs user I's files from; "" when the user
  // is out of range or the user's folder is not a plain name.
  std::string InstallFolder(int I) const;

  // Copies the file into user I's install folder (made when missing) under
  // its own name, replacing an earlier copy, and sets the user's install
  // flag. True only when the flag was set; false for a user out of range or
  // a failed copy, which leaves the flag alone.
  bool InstallFile(int I, const std::string& FileName) const;

 private:
  std::string root_;
  std::string desktopPath_;
  std::string lastUserName_;
  std::vector<TPalmUser> users_;
  int lastUserIndex_ = 0;
};

// Registers the program (the running program file `module`) as an add-on
// of the desktop; RemoveFromDesktop takes it away again. Both throw
// EPalmDesktopError without the desktop.
void IntegrateWithDesktop(const std::string& module);
void RemoveFromDesktop();

// The desktop's folder ("Pilot Desktop\Core" value Path); "" when unset.
std::string PalmDesktopFolder();
// Points the desktop at `folder`, making its root key under
// "Software\Palm Computing" when there is none. False when the registry
// store could not be written.
bool SetPalmDesktopFolder(const std::string& folder);

}  // namespace nuvel
