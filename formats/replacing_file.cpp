#include "formats/replacing_file.h"

#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace nuvel {

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {
  std::random_device rd;
  std::filesystem::path folder = target_.parent_path();
  std::string base = target_.filename().string();
  for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
    temp_ = folder / ("." + base + ".~" + std::to_string(rd() % 1000000u));
    // "x": fail rather than reuse a file that is already there.
    file_ = std::fopen(temp_.c_str(), "wbx");
  }
  if (file_ == nullptr) throw std::runtime_error("Error writing file");
}

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temp_, ec);
    temp_.clear();
  }
}

void ReplacingFile::Commit() {
  if (file_ == nullptr) throw std::runtime_error("Error writing file");
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  std::error_code ec;
  if (ok) std::filesystem::rename(temp_, target_, ec);
  if (!ok || ec) {
    Discard();
    throw std::runtime_error("Error writing file");
  }
  temp_.clear();
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  bool same = std::filesystem::equivalent(a, b, ec);
  return !ec && same;
}

}  // namespace nuvel
