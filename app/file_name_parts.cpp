#include "app/file_name_parts.h"

#include <filesystem>

namespace nuvel {
namespace {
size_t LastSeparator(std::string_view name) { return name.find_last_of("/\\"); }
}  // namespace

std::string_view NameWithoutFolder(std::string_view name) {
  size_t at = LastSeparator(name);
  return at == std::string_view::npos ? name : name.substr(at + 1);
}

std::string_view FolderOf(std::string_view name) {
  size_t at = LastSeparator(name);
  return at == std::string_view::npos ? std::string_view() : name.substr(0, at + 1);
}

std::string_view ExtensionOf(std::string_view name) {
  std::string_view base = NameWithoutFolder(name);
  size_t dot = base.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : base.substr(dot);
}

std::string ExpandFileName(std::string_view name) {
  if (name.empty()) return {};
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(std::string(name)), ec);
  if (ec) return std::string(name);
  return p.lexically_normal().string();
}

std::string WithoutFirstDoubledSeparator(std::string_view name) {
  std::string s(name);
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if ((s[i] == '\\' && s[i + 1] == '\\') || (s[i] == '/' && s[i + 1] == '/')) {
      s.erase(i, 1);
      break;
    }
  }
  return s;
}

}  // namespace nuvel
