#include "platform/user_temp_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace nuvel::platform {
namespace {

// Makes a fresh private folder in `parent`; empty when that fails.
std::string MakeFolderIn(const std::string& parent) {
  if (parent.empty()) return {};
  std::string pattern = parent;
  if (pattern.back() != '/') pattern.push_back('/');
  pattern += "nuvel-XXXXXX";
  // mkdtemp makes the folder with mode 0700 under a name nobody held.
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern + "/";
}

class ProcessFolder {
 public:
  ~ProcessFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::string& Path() {
    std::error_code ec;
    // Made again should something have removed it meanwhile.
    if (!path_.empty() && std::filesystem::is_directory(path_, ec)) return path_;
    const char* tmpdir = std::getenv("TMPDIR");
    path_ = MakeFolderIn(tmpdir != nullptr ? tmpdir : "");
    if (path_.empty()) path_ = MakeFolderIn("/tmp");
    if (path_.empty()) throw std::runtime_error(std::string("No temporary folder can be made: ") + std::strerror(errno));
    return path_;
  }

 private:
  std::string path_;
};

}  // namespace

std::string UserTempFolder() {
  static ProcessFolder folder;
  return folder.Path();
}

}  // namespace nuvel::platform
