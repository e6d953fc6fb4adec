#include "core/ini_location.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/file_facts.h"
#include "platform/program_path.h"

namespace nuvel {

std::string SettingsFolder() { return platform::UserConfigFolder() + "nuvel/"; }

std::string UserIniFile(const std::string& baseName) { return SettingsFolder() + "settings/" + baseName + ".INI"; }

namespace {

bool ProgramFolderKeepsIni(const std::string& programFolder, const std::string& own) {
  if (platform::WriteAccessError(programFolder) != 0) return false;
  return platform::KindOfFile(own) == platform::FileKind::Missing || platform::WriteAccessError(own) == 0;
}

}  // namespace

std::string IniFileFor(const std::string& programFolder, const std::string& baseName) {
  const std::string own = platform::FindFileNoCase(programFolder, baseName + ".INI");
  if (programFolder.empty() || ProgramFolderKeepsIni(programFolder, own)) return own;
  const std::string user = UserIniFile(baseName);
  if (platform::KindOfFile(user) == platform::FileKind::Regular) return user;
  // First start: the user's file begins as the program folder's (or empty).
  std::string bytes;
  int error = 0;
  if (!platform::ReadFileBytes(own, bytes, error) && error != ENOENT) return own;
  return platform::WriteFileAtomically(user, bytes) ? user : own;
}

int SettingsFolderError() {
  const std::string folder = SettingsFolder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return ec.value();
  return platform::WriteAccessError(folder);
}

}  // namespace nuvel
