#include "core/data_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "platform/message_sink.h"
#include "platform/program_path.h"

namespace nuvel {
namespace {

constexpr const char* kDefaultDataFileName = "DIDOD.drf";

std::set<std::string>& Warned() {
  static std::set<std::string> warned;
  return warned;
}

void WarnOnce(const std::string& path) {
  if (!Warned().insert(path).second) return;
  platform::MessageRequest request;
  request.text = "The data file " + path +
                 " is damaged (too short); character conversion tables could not be read.";
  request.type = platform::MsgDlgType::Warning;
  platform::ShowMessageRequest(request);
}

}  // namespace

void NoteDataFileDamageTold(const std::string& path) { Warned().insert(path); }

bool ReadDataFileRecords(uint16_t record, std::span<uint8_t> buffer, uint16_t count) {
  const std::size_t bytes = static_cast<std::size_t>(count) * kDataRecordSize;
  if (buffer.size() < bytes || ProgPath.empty()) return false;
  const std::string name = DataFileName.empty() ? kDefaultDataFileName : DataFileName;
  const std::string path = platform::FindFileNoCase(ProgPath, name);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<char> data(bytes);
  in.seekg(static_cast<std::streamoff>(record) * static_cast<std::streamoff>(kDataRecordSize));
  in.read(data.data(), static_cast<std::streamsize>(bytes));
  if (!in || in.gcount() != static_cast<std::streamsize>(bytes)) {
    WarnOnce(path);
    return false;
  }
  std::copy(data.begin(), data.end(), buffer.begin());
  return true;
}

}  // namespace nuvel
