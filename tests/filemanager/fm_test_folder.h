#pragma once
// A temporary folder of files for the file manager's tests, removed after.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "tests/support/temp_program_folder.h"

namespace nuvel::test {

class FmTestFolder {
 public:
  FmTestFolder() : root_(std::filesystem::path(temp_.ConfigFolder()) / "files") {
    std::filesystem::create_directories(root_);
  }
  std::string Path(const std::string& name = {}) const { return name.empty() ? root_.string() : (root_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const { return ReadWholeFile(root_ / name); }
  bool Exists(const std::string& name) const {
    struct stat st;
    return ::lstat((root_ / name).c_str(), &st) == 0;
  }
  // Every name in the folder (or a subfolder), hidden ones too.
  std::set<std::string> Names(const std::string& sub = {}) const {
    std::set<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(sub.empty() ? root_ : root_ / sub))
      out.insert(e.path().filename().string());
    return out;
  }

 private:
  TempProgramFolder temp_;
  std::filesystem::path root_;
};

}  // namespace nuvel::test
