#pragma once
// A temporary program folder, user configuration folder and user data
// folder for one test.
// The constructor points the platform layer and the shared ProgPath at them;
// the destructor removes them and undoes the redirection.
#include <filesystem>
#include <string>
#include <string_view>

namespace nuvel::test {

class TempProgramFolder {
 public:
  TempProgramFolder();
  ~TempProgramFolder();
  TempProgramFolder(const TempProgramFolder&) = delete;
  TempProgramFolder& operator=(const TempProgramFolder&) = delete;

  // The program folder, with a trailing "/".
  std::string Folder() const { return program_.string() + "/"; }
  std::string ConfigFolder() const { return config_.string() + "/"; }
  // The user's data home ($XDG_DATA_HOME), with a trailing "/".
  std::string DataHome() const { return data_.string() + "/"; }
  std::filesystem::path Path(std::string_view name) const { return program_ / name; }

  // Writes a file in the program folder (bytes as given).
  void WriteFile(std::string_view name, std::string_view bytes) const;
  // Reads a file in the program folder whole; empty when missing.
  std::string ReadFile(std::string_view name) const;
  // Copies a data file from the built program folder, so a test sees the shipped data.
  void CopyShippedFile(std::string_view name) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path program_;
  std::filesystem::path config_;
  std::filesystem::path data_;
  std::string saved_prog_path_;
};

// Reads any file whole (bytes as stored); empty when missing.
std::string ReadWholeFile(const std::filesystem::path& path);
// Path of a fixture under tests/fixtures.
std::filesystem::path FixturePath(std::string_view relative);

}  // namespace nuvel::test
