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

std::string WithSlash(std::string s) {
  if (s.empty() || s.back() != '/') s.push_back('/');
  return s;
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

std::string UserConfigFolder() {
  if (!ConfigFolderOverride().empty()) return ConfigFolderOverride();
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return WithSlash(xdg);
  if (const char* home = std::getenv("HOME"); home && *home) return WithSlash(std::string(home) + "/.config");
  return "./";
}

void SetUserConfigFolderOverride(const std::string& folder) {
  ConfigFolderOverride() = folder.empty() ? std::string() : WithSlash(folder);
}

}  // namespace nuvel::platform
