#include "platform/path_parts.h"

namespace nuvel::platform {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string JoinPath(const std::string& folder, std::string_view name) {
  std::string out = folder;
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

}  // namespace nuvel::platform
