#pragma once
// Writes a Palm database in one pass: the header and the record list first,
// then each record's data as it comes; the record list is filled in at the end.
// The file is written beside its target and renamed over it only when whole.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/palm_database.h"
#include "platform/atomic_file.h"

namespace nuvel {

class PalmDatabaseWriter {
 public:
  // `header` must give `record_count` as its number of records.
  // EInvalidPalmDatabase when the count does not fit a database. `options`
  // as for every atomic write (a backup copy of the old file, ...).
  PalmDatabaseWriter(const std::string& file_name, std::span<const uint8_t> header, uint32_t record_count,
                     platform::AtomicWriteOptions options = {});

  // Appends the next record; returns its offset in the file.
  uint32_t AddRecord(std::span<const uint8_t> data, uint8_t attributes, uint32_t unique_id);

  // Writes the record list and puts the file in place; returns its size.
  uint64_t Finish();

 private:
  void Write(std::span<const uint8_t> bytes);
  platform::AtomicFileWriter file_;
  uint32_t record_count_;
  std::vector<uint8_t> entries_;
  uint64_t offset_;
};

// The attribute byte of a record entry from a record's flags (1 secret,
// 2 busy, 4 dirty, 8 delete); the category bits stay 0.
uint8_t PalmEntryAttributes(uint8_t flags);

}  // namespace nuvel
