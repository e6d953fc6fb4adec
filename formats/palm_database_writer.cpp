#include "formats/palm_database_writer.h"

#include "formats/big_endian.h"

#include <string>
#include <utility>

#include "core/file_messages.h"

namespace nuvel {

namespace {
constexpr const char* kWriteError = "Error writing file";

std::string WriteErrorText(const platform::AtomicWriteResult& result) {
  return std::string(kWriteError) + ": " + FileErrorReason(result.error);
}
}  // namespace

uint8_t PalmEntryAttributes(uint8_t flags) { return static_cast<uint8_t>((flags & 0x0F) << 4); }

PalmDatabaseWriter::PalmDatabaseWriter(const std::string& file_name, std::span<const uint8_t> header,
                                       uint32_t record_count, platform::AtomicWriteOptions options)
    : file_(file_name, std::move(options)), record_count_(record_count) {
  if (!file_.Ready()) throw EInvalidPalmDatabase(WriteErrorText(file_.Result()));
  if (record_count > kPalmMaxRecords) throw EInvalidPalmDatabase("Too many records for a Palm database");
  entries_.reserve(record_count * kPalmEntrySize);
  Write(header);
  // Room for the record list, filled in by Finish.
  std::vector<uint8_t> blank(record_count * kPalmEntrySize, 0);
  Write(blank);
  offset_ = kPalmHeaderSize + blank.size();
}

void PalmDatabaseWriter::Write(std::span<const uint8_t> bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_.Stream()) != bytes.size()) {
    throw EInvalidPalmDatabase(kWriteError);
  }
}

uint32_t PalmDatabaseWriter::AddRecord(std::span<const uint8_t> data, uint8_t attributes, uint32_t unique_id) {
  if (entries_.size() >= record_count_ * kPalmEntrySize) throw EInvalidPalmDatabase(kWriteError);
  if (offset_ > 0xFFFFFFFFu) throw EInvalidPalmDatabase("The database is too large");
  uint32_t offset = static_cast<uint32_t>(offset_);
  uint8_t entry[kPalmEntrySize];
  PutBigEndian32(entry, 0, offset);
  PutBigEndian32(entry, 4, unique_id & 0xFFFFFF);
  entry[4] = attributes;
  entries_.insert(entries_.end(), entry, entry + kPalmEntrySize);
  Write(data);
  offset_ += data.size();
  return offset;
}

uint64_t PalmDatabaseWriter::Finish() {
  if (entries_.size() != record_count_ * kPalmEntrySize) throw EInvalidPalmDatabase(kWriteError);
  if (std::fseek(file_.Stream(), static_cast<long>(kPalmHeaderSize), SEEK_SET) != 0) {
    throw EInvalidPalmDatabase(kWriteError);
  }
  Write(entries_);
  const platform::AtomicWriteResult written = file_.Commit();
  if (!written.Ok()) throw EInvalidPalmDatabase(WriteErrorText(written));
  return offset_;
}

}  // namespace nuvel
