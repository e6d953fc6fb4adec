#include "core/ini_location.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/file_facts.h"
#include "platform/program_path.h"

namespace nuvel {

std::string SettingsFolder() { return platform::UserConfigFolder() + "nuvel/"; }

std::string UserDataFolder() { return platform::UserDataHome() + "nuvel/"; }

std::string UserIniFile(const std::string& baseName) { return SettingsFolder() + "settings/" + baseName + ".INI"; }

std::string IniFileFor(const std::string& programFolder, const std::string& baseName) {
  const std::string own =
      programFolder.empty() ? std::string() : platform::FindFileNoCase(programFolder, baseName + ".INI");
  const std::string user = UserIniFile(baseName);
  if (platform::KindOfFile(user) == platform::FileKind::Regular) return user;
  // First start: the user's file begins as the program folder's (or empty).
  std::string bytes;
  int error = 0;
  if (!own.empty() && !platform::ReadFileBytes(own, bytes, error) && error != ENOENT) return own;
  if (platform::WriteFileAtomically(user, bytes)) return user;
  return own.empty() ? user : own;
}

std::string IniFileToRead(const std::string& programFolder, const std::string& baseName) {
  const std::string user = UserIniFile(baseName);
  if (platform::KindOfFile(user) == platform::FileKind::Regular || programFolder.empty()) return user;
  return platform::FindFileNoCase(programFolder, baseName + ".INI");
}

std::string UserFileOrFactory(const std::string& userFolder, const std::string& programFolder,
                              const std::string& name) {
  const std::string user = platform::FindFileNoCase(userFolder, name);
  if (platform::KindOfFile(user) == platform::FileKind::Regular) return user;
  return platform::FindFileNoCase(programFolder, name);
}

std::vector<std::string> UserThenFactoryFolders(const std::string& programFolder) {
  return {UserDataFolder(), programFolder};
}

std::vector<std::string> TextCollectionFolders(const std::string& programFolder) {
  std::vector<std::string> folders;
  if (!programFolder.empty()) folders.push_back(programFolder + "Texts/");
  folders.push_back(UserDataFolder() + "Texts/");
  return folders;
}

bool InTextCollection(const std::string& path, const std::string& programFolder) {
  for (const std::string& folder : TextCollectionFolders(programFolder)) {
    if (path.size() > folder.size() && platform::EqualsNoCase(std::string_view(path).substr(0, folder.size()), folder))
      return true;
  }
  return false;
}

int SettingsFolderError() {
  const std::string folder = SettingsFolder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return ec.value();
  return platform::WriteAccessError(folder);
}

}  // namespace nuvel
