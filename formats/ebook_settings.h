#pragma once
// The e-book tools' settings, kept in the registry subkey "Palm" of the
// program's key. A missing value takes its default: with the Palm desktop
// present the switches are on and the backup folder is the first user's
// "Backup" folder; without it the switches are off and there is no backup
// folder. The default Doc folder is the folder of the settings' file name.
#include <string>

namespace nuvel {

class TUserData;

class TSettings {
 public:
  // `FileName` names a file in the folder that is the default Doc folder;
  // `Desktop` is the desktop's users, null when the desktop was not found.
  TSettings(std::string FileName, const TUserData* Desktop);

  void Load(const TUserData* Desktop);
  // Writes DefaultDirectory, BookmarkScan and IntegrateWithDesktop.
  void Save() const;

  std::string FileName;
  std::string DefaultDirectory;
  std::string DocCheckDirectory;
  bool EditMode = false;
  bool BookmarkScan = false;
  bool DesktopFound = false;
  bool IntegrateWithDesktop = false;
  bool ShowPeanutCodes = false;
};

}  // namespace nuvel
