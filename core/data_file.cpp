#include "core/data_file.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <string_view>

#include "core/conv_engine.h"
#include "core/conv_table.h"
#include "core/crc32.h"
#include "core/file_messages.h"
#include "core/message_texts.h"
#include "core/shared_state.h"
#include "platform/atomic_file.h"
#include "platform/message_sink.h"
#include "platform/program_path.h"

namespace nuvel {
namespace {

constexpr const char* kDefaultDataFileName = "DIDOD.drf";
constexpr std::string_view kChecksumMark{"CRC32\0\0\0", 8};
// The tables keep the ASCII characters 0x00-0x7F as they are.
constexpr std::size_t kAsciiCount = 128;

std::set<std::string>& Warned() {
  static std::set<std::string> warned;
  return warned;
}

void WarnOnce(const std::string& path, const std::string& reason) {
  if (!Warned().insert(path).second) return;
  platform::MessageRequest request;
  request.text = FileMessageText(FileMessage::DataFileDamaged, {FileNameInMessage(path), reason,
                                                                FileMessageFormat(FileMessage::UseConversionTables)});
  request.type = platform::MsgDlgType::Warning;
  platform::ShowMessageRequest(request);
}

uint32_t GetLittleEndian32(std::span<const uint8_t> bytes, std::size_t at) {
  return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
         uint32_t{bytes[at + 3]} << 24;
}

// The table starts of every mode, both ways.
template <typename Each>
void ForEachTable(Each each) {
  for (int mode : {int{kConvNone}, int{kConvCp1255}, int{kConvNuvelDos}, int{kConvEinstein}})
    for (bool out : {false, true})
      each(std::size_t{DataFileTableRecord(mode, out)} * kDataRecordSize + kTableOffsetInRecords);
}

}  // namespace

std::size_t DataFileTablesSize() {
  std::size_t end = 0;
  ForEachTable([&end](std::size_t start) { end = std::max(end, start + std::tuple_size_v<ConvTableBytes>); });
  // Whole records: the last table's four.
  return (end + kDataRecordSize - 1) / kDataRecordSize * kDataRecordSize;
}

std::string DataFileDamage(std::span<const uint8_t> bytes) {
  const std::size_t needed = DataFileTablesSize();
  if (bytes.size() < needed) return FileMessageText(FileMessage::DamageTablesShort, {GroupedNumber(needed)});
  const auto mark = bytes.subspan(kDataFileChecksumMark, kChecksumMark.size());
  if (std::equal(mark.begin(), mark.end(), kChecksumMark.begin())) {
    const uint32_t stored = GetLittleEndian32(bytes, kDataFileChecksumAt);
    static constexpr uint8_t kZeros[4] = {};
    uint32_t crc = Crc32(bytes.first(kDataFileChecksumAt));
    crc = Crc32(kZeros, crc);
    crc = Crc32(bytes.subspan(kDataFileChecksumAt + 4), crc);
    if (crc != stored) return FileMessageFormat(FileMessage::DamageChecksum);
    return {};
  }
  bool ascii = true;
  ForEachTable([&](std::size_t start) {
    for (std::size_t c = 0; c < kAsciiCount; ++c) ascii = ascii && bytes[start + c] == c;
  });
  if (!ascii) return FileMessageFormat(FileMessage::DamageTablesNotAscii);
  return {};
}

void NoteDataFileDamageTold(const std::string& path) { Warned().insert(path); }

bool ReadDataFileRecords(uint16_t record, std::span<uint8_t> buffer, uint16_t count) {
  const std::size_t size = static_cast<std::size_t>(count) * kDataRecordSize;
  if (buffer.size() < size || ProgPath.empty()) return false;
  const std::string name = DataFileName.empty() ? kDefaultDataFileName : DataFileName;
  const std::string path = platform::FindFileNoCase(ProgPath, name);
  std::string file;
  int error = 0;
  if (!platform::ReadFileBytes(path, file, error)) return false;
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  if (const std::string damage = DataFileDamage(bytes); !damage.empty()) {
    WarnOnce(path, damage);
    return false;
  }
  const std::size_t from = std::size_t{record} * kDataRecordSize;
  if (from + size > bytes.size()) return false;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), size, buffer.begin());
  return true;
}

}  // namespace nuvel
