#include "formats/palm_database.h"

#include <algorithm>
#include <filesystem>
#include <cstdio>

#include "formats/big_endian.h"
#include "platform/regular_file_stream.h"

namespace nuvel {

TPalmDatabase::TPalmDatabase(std::string FileName, uint8_t Mode)
    : FileName(std::move(FileName)), Mode(Mode) {
  if (this->Mode == 1) ReadHeader();
}

void TPalmDatabase::ReadHeader() {
  // Only a regular file is read: a named pipe is refused without waiting for a writer.
  int error = 0;
  platform::FilePtr in = platform::OpenRegularFileStream(FileName, error);
  std::error_code ec;
  uint64_t size = std::filesystem::file_size(FileName, ec);
  if (!in || ec) throw EInvalidPalmDatabase("Error reading file");
  FileSize = size;
  std::array<uint8_t, kPalmHeaderSize> header{};
  const std::size_t got = std::fread(header.data(), 1, header.size(), in.get());
  if (std::ferror(in.get())) throw EInvalidPalmDatabase("Error reading file");
  if (got != header.size()) {
    throw EInvalidPalmDatabase("Not a Palm database, or header corrupt");
  }
  DecodeHeader(header);
}

void TPalmDatabase::DecodeHeader(std::span<const uint8_t> b) {
  if (b.size() < kPalmHeaderSize) throw EInvalidPalmDatabase("Not a Palm database, or header corrupt");
  auto name_end = std::find(b.begin(), b.begin() + 32, uint8_t{0});
  Name.assign(b.begin(), name_end);
  uint16_t attributes = GetBigEndian16(b, 32);
  ReadOnly = attributes & kPalmReadOnly;
  Dirty = attributes & kPalmDirty;
  Backup = attributes & kPalmBackup;
  Overwrite = attributes & kPalmOverwrite;
  ForceReset = attributes & kPalmForceReset;
  NoBeam = attributes & kPalmNoBeam;
  Version = GetBigEndian16(b, 34);
  Created = PalmDateToDateTime(GetBigEndian32(b, 36));
  Modified = PalmDateToDateTime(GetBigEndian32(b, 40));
  BackedUp = PalmDateToDateTime(GetBigEndian32(b, 44));
  ModNumber = GetBigEndian32(b, 48);
  AppInfoArea = GetBigEndian32(b, 52);
  SortInfoArea = GetBigEndian32(b, 56);
  DBType.assign(b.begin() + 60, b.begin() + 64);
  Creator.assign(b.begin() + 64, b.begin() + 68);
  IDSeed = GetBigEndian32(b, 68);
  NextRecordList = GetBigEndian32(b, 72);
  NumRecords = GetBigEndian16(b, 76);
}

std::array<uint8_t, kPalmHeaderSize> TPalmDatabase::EncodeHeader(uint32_t Dates, uint32_t RecordCount) const {
  std::array<uint8_t, kPalmHeaderSize> h{};
  // At most 31 bytes, so a zero always ends the name.
  std::copy_n(Name.begin(), std::min<std::size_t>(Name.size(), 31), h.begin());
  uint16_t attributes = (ReadOnly ? kPalmReadOnly : 0) | (Dirty ? kPalmDirty : 0) |
                        (Backup ? kPalmBackup : 0) | (Overwrite ? kPalmOverwrite : 0) |
                        (ForceReset ? kPalmForceReset : 0) | (NoBeam ? kPalmNoBeam : 0);
  PutBigEndian16(h, 32, attributes);
  PutBigEndian32(h, 36, Dates);
  PutBigEndian32(h, 40, Dates);
  std::copy_n("TEXtREAd", 8, h.begin() + 60);
  PutBigEndian16(h, 76, RecordCount);
  return h;
}

}  // namespace nuvel
