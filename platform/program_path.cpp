#include "platform/program_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

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
  if (file.empty()) return "./";
  return WithSlash(std::filesystem::path(file).parent_path().string());
}

void SetProgramFolderOverride(const std::string& folder) {
  ProgramFolderOverride() = folder.empty() ? std::string() : WithSlash(folder);
}

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
