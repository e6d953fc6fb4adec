#include "tests/support/temp_program_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "core/shared_state.h"
#include "platform/program_path.h"

namespace nuvel::test {

TempProgramFolder::TempProgramFolder() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("nuvel-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      root_ = candidate;
      break;
    }
  }
  if (root_.empty()) throw std::runtime_error("cannot create a temporary folder");
  program_ = root_ / "program";
  config_ = root_ / "config";
  data_ = root_ / "data";
  std::filesystem::create_directories(program_);
  std::filesystem::create_directories(config_);
  std::filesystem::create_directories(data_);
  platform::SetProgramFolderOverride(program_.string());
  platform::SetUserConfigFolderOverride(config_.string());
  platform::SetUserDataHomeOverride(data_.string());
  saved_prog_path_ = ProgPath;
  ProgPath = Folder();
}

TempProgramFolder::~TempProgramFolder() {
  ProgPath = saved_prog_path_;
  platform::SetProgramFolderOverride({});
  platform::SetUserConfigFolderOverride({});
  platform::SetUserDataHomeOverride({});
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

void TempProgramFolder::WriteFile(std::string_view name, std::string_view bytes) const {
  std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempProgramFolder::ReadFile(std::string_view name) const { return ReadWholeFile(Path(name)); }

void TempProgramFolder::CopyShippedFile(std::string_view name) const {
  std::filesystem::copy_file(std::filesystem::path(NUVEL_PROGRAM_DIR) / name, Path(name),
                             std::filesystem::copy_options::overwrite_existing);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path FixturePath(std::string_view relative) {
  return std::filesystem::path(NUVEL_FIXTURES_DIR) / relative;
}

}  // namespace nuvel::test
