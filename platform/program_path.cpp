#include "platform/program_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/ascii_case.h"

namespace nuvel::platform {
namespace {

std::string& ProgramFolderOverride() {
  static std::string value;
  return value;
}

std::string& ConfigFolderOverride() {
  static std::string value;
  return value;
}

std::string& DataFolderOverride() {
  static std::string value;
  return value;
}

std::string WithSlash(std::string s) {
  if (s.empty() || s.back() != '/') s.push_back('/');
  return s;
}

// A folder of the desktop's base directories: the test's override, else the
// variable `xdg`, else `underHome` in the home folder.
std::string BaseFolder(const std::string& override, const char* xdg, const char* underHome) {
  if (!override.empty()) return override;
  if (const char* value = std::getenv(xdg); value && *value) return WithSlash(value);
  if (const char* home = std::getenv("HOME"); home && *home) return WithSlash(std::string(home) + underHome);
  return "./";
}

}  // namespace

std::string ProgramFile() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.string();
}

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  std::string file = ProgramFile();
  if (file.empty()) return {};
  return WithSlash(std::filesystem::path(file).parent_path().string());
}

void SetProgramFolderOverride(const std::string& folder) {
  ProgramFolderOverride() = folder.empty() ? std::string() : WithSlash(folder);
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  std::string exact = folder + name;
  std::error_code ec;
  if (std::filesystem::exists(exact, ec)) return exact;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (EqualsNoCase(entry, name)) return folder + entry;
  }
  return exact;
}

std::string ProgramDataFile(const std::string& name) { return FindFileNoCase(ProgramFolder(), name); }

std::string UserConfigFolder() { return BaseFolder(ConfigFolderOverride(), "XDG_CONFIG_HOME", "/.config"); }

void SetUserConfigFolderOverride(const std::string& folder) {
  ConfigFolderOverride() = folder.empty() ? std::string() : WithSlash(folder);
}

std::string UserDataHome() { return BaseFolder(DataFolderOverride(), "XDG_DATA_HOME", "/.local/share"); }

void SetUserDataHomeOverride(const std::string& folder) {
  DataFolderOverride() = folder.empty() ? std::string() : WithSlash(folder);
}

}  // namespace nuvel::platform
