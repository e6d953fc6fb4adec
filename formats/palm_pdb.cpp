#include "formats/palm_pdb.h"

#include <cstdio>
#include <stdexcept>

#include "formats/big_endian.h"
#include "formats/palm_database_writer.h"
#include "platform/regular_file_stream.h"

namespace nuvel {

namespace {
constexpr const char* kCorrupt = "Invalid Palm database: record headers corrupt";
constexpr const char* kReadError = "Error reading file";

// The database open at `offset`; only a regular file is read, so a named
// pipe is refused without waiting for a writer.
platform::FilePtr OpenAt(const std::string& name, uint64_t offset) {
  int error = 0;
  platform::FilePtr in = platform::OpenRegularFileStream(name, error);
  if (!in || ::fseeko(in.get(), static_cast<off_t>(offset), SEEK_SET) != 0) throw EInvalidPalmDatabase(kReadError);
  return in;
}

void ReadExact(std::FILE* in, std::span<uint8_t> into) {
  if (std::fread(into.data(), 1, into.size(), in) != into.size()) throw EInvalidPalmDatabase(kReadError);
}
}  // namespace

TPalmPDB::TPalmPDB(std::string FileName, uint8_t Mode) : TPalmDatabase(std::move(FileName), Mode) {
  if (this->Mode == 1) ReadRecordList();
}

void TPalmPDB::ReadRecordList() {
  Records.clear();
  CutShort = false;
  if (NumRecords == 0) return;
  uint64_t list_end = kPalmHeaderSize + uint64_t{NumRecords} * kPalmEntrySize;
  if (list_end > FileSize) throw EInvalidPalmDatabase(kCorrupt);
  std::vector<uint8_t> entries(NumRecords * kPalmEntrySize);
  ReadExact(OpenAt(FileName, kPalmHeaderSize).get(), entries);
  Records.resize(NumRecords);
  for (uint32_t i = 0; i < NumRecords; ++i) {
    uint64_t offset = GetBigEndian32(entries, i * kPalmEntrySize);
    // A record's data lies after the record list, and the records follow one
    // another. A record that starts past the end of a file cut short is
    // empty: what lies before the cut can still be read.
    if (offset < list_end) throw EInvalidPalmDatabase(kCorrupt);
    if (offset > FileSize) {
      CutShort = true;
      offset = FileSize;
    }
    if (i > 0) {
      if (offset < Records[i - 1].Offset) throw EInvalidPalmDatabase(kCorrupt);
      Records[i - 1].Size = static_cast<uint32_t>(offset - Records[i - 1].Offset);
    }
    Records[i].Offset = static_cast<uint32_t>(offset);
  }
  Records.back().Size = static_cast<uint32_t>(FileSize - Records.back().Offset);
}

std::vector<uint8_t> TPalmPDB::ReadRecord(uint32_t Index) const {
  if (Index < 1 || Index > Records.size()) throw std::out_of_range("record index out of range");
  const TPDBRecordHeader& r = Records[Index - 1];
  std::vector<uint8_t> data(r.Size);
  ReadExact(OpenAt(FileName, r.Offset).get(), data);
  return data;
}

void TPalmPDB::ReadRecords(uint32_t First, uint32_t Count,
                           const std::function<void(std::span<uint8_t>)>& each) const {
  if (Count == 0) return;
  if (First < 1 || First - 1 + uint64_t{Count} > Records.size()) {
    throw std::out_of_range("record index out of range");
  }
  const platform::FilePtr in = OpenAt(FileName, Records[First - 1].Offset);
  std::vector<uint8_t> data;
  for (uint32_t i = First - 1; i < First - 1 + Count; ++i) {
    data.resize(Records[i].Size);
    ReadExact(in.get(), data);
    each(data);
  }
}

void TPalmPDB::LayOutOffsets() {
  uint64_t offset = kPalmHeaderSize + Records.size() * kPalmEntrySize;
  for (TPDBRecordHeader& r : Records) {
    r.Offset = static_cast<uint32_t>(offset);
    offset += r.Size;
  }
}

void TPalmPDB::SetRecord(uint32_t Index, std::vector<uint8_t> Data) {
  if (Index == 0) Index = static_cast<uint32_t>(Records.size()) + 1;
  while (Records.size() < Index) {
    Records.emplace_back();
    Records.back().Data.emplace();
  }
  TPDBRecordHeader& r = Records[Index - 1];
  r.Size = static_cast<uint32_t>(Data.size());
  r.Data = std::move(Data);
  LayOutOffsets();
}

void TPalmPDB::SetRecordAttributes(uint32_t Index, uint8_t Attributes, uint32_t UniqueID) {
  if (Index < 1 || Index > Records.size()) return;
  Records[Index - 1].Attributes = Attributes;
  Records[Index - 1].UniqueID = UniqueID & 0xFFFFFF;
}

void TPalmPDB::FreeRecords() { Records.clear(); }

void TPalmPDB::WriteDatabase() {
  for (const TPDBRecordHeader& r : Records) {
    if (r.Size != 0 && (!r.Data || r.Data->size() != r.Size)) {
      throw EInvalidPalmDatabase("Record data missing; the database was not written");
    }
  }
  uint32_t count = static_cast<uint32_t>(Records.size());
  auto header = EncodeHeader(DateTimeToPalmDate(NowDateTime()), count);
  PalmDatabaseWriter writer(FileName, header, count);
  for (TPDBRecordHeader& r : Records) {
    static const std::vector<uint8_t> kNone;
    r.Offset = writer.AddRecord(r.Data ? *r.Data : kNone, PalmEntryAttributes(r.Attributes), r.UniqueID);
  }
  FileSize = writer.Finish();
  NumRecords = count;
  for (TPDBRecordHeader& r : Records) r.Data.reset();
}

}  // namespace nuvel
