#include "app/startup_file.h"

#include <filesystem>

namespace nuvel {

std::optional<std::string> StartupFileArgument(std::string_view argument, const std::string& currentFolder) {
  if (argument.empty() || argument.front() == '/') {
    // A switch; but an absolute path on this system also begins with "/":
    // only a name whose folder exists counts as a file name then.
    if (argument.empty()) return std::nullopt;
    const std::filesystem::path p{std::string(argument)};
    std::error_code ec;
    if (!p.has_parent_path() || p.parent_path() == p.root_path() ||
        !std::filesystem::is_directory(p.parent_path(), ec))
      return std::nullopt;
    return p.lexically_normal().string();
  }
  const std::filesystem::path p = std::filesystem::path(currentFolder) / std::string(argument);
  return p.lexically_normal().string();
}

std::string CurrentFolder() {
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::current_path(ec);
  return ec ? std::string() : p.string();
}

}  // namespace nuvel
