#pragma once
// Writes a file through a temporary file in the same folder, which is renamed
// over the target only when the whole write succeeded. Until then the old file
// stays whole; a write that is abandoned (an exception, or no Commit) removes
// the temporary file.
#include <cstdio>
#include <filesystem>

namespace nuvel {

class ReplacingFile {
 public:
  // Creates the temporary file; throws std::runtime_error when it cannot.
  explicit ReplacingFile(std::filesystem::path target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // The open temporary file, for writing (and seeking) in binary mode.
  std::FILE* Stream() const { return file_; }
  // Flushes and closes the temporary file and renames it over the target.
  // Throws std::runtime_error when any of it fails; the temporary file is
  // then removed and the target left as it was.
  void Commit();

 private:
  void Discard();
  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::FILE* file_ = nullptr;
};

// True when both names lead to the same existing file.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace nuvel
