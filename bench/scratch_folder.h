#pragma once
// A benchmark's own scratch folder: made new under the temporary folder
// (TMPDIR, else /tmp) and removed with all it holds when the benchmark ends,
// by an error too. A benchmark writes its files there and nowhere else, so it
// never touches a folder of the user's.
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace nuvel::bench {

class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::system_error(errno, std::generic_category(), "cannot make a scratch folder " + pattern);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace nuvel::bench
