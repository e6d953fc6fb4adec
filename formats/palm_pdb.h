#pragma once
// A Palm database with its record list and records. Records are read from the
// file one at a time; the whole file is written in one pass.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/palm_database.h"

namespace nuvel {

struct TPDBRecordHeader {
  uint32_t Offset = 0;
  uint8_t Attributes = 0;  // 1 secret, 2 busy, 4 dirty, 8 delete
  uint32_t UniqueID = 0;   // 3 bytes
  uint32_t Size = 0;
  std::optional<std::vector<uint8_t>> Data;  // empty when not loaded
};

class TPalmPDB : public TPalmDatabase {
 public:
  // Mode 1 also reads the record list.
  TPalmPDB(std::string FileName, uint8_t Mode);

  // Reads the offsets of the records and works out their sizes. Offsets that
  // go backwards or into the record list give EInvalidPalmDatabase; records
  // that start past the end of the file are read as empty, and CutShort is set.
  void ReadRecordList();
  // Reads record Index (from 1) from the file.
  std::vector<uint8_t> ReadRecord(uint32_t Index) const;
  // Reads records First.. First+Count-1 (from 1) in order through one open
  // file, handing each to `each` in a buffer it may change; the records
  // follow one another in the file, so this is one sequential read.
  void ReadRecords(uint32_t First, uint32_t Count, const std::function<void(std::span<uint8_t>)>& each) const;
  // Makes Data record Index (from 1; 0 appends), adding empty records up to
  // an index beyond the list, and lays the offsets out again.
  void SetRecord(uint32_t Index, std::vector<uint8_t> Data);
  // Sets the flags and the unique ID of record Index; ignored beyond the list.
  void SetRecordAttributes(uint32_t Index, uint8_t Attributes, uint32_t UniqueID);
  void FreeRecords();
  // Writes the whole file (header dated now) and then drops the records'
  // data; the entries stay. Every record with a size must have its data.
  void WriteDatabase();

  std::vector<TPDBRecordHeader> Records;
  // The file ends before its record list says it does: it was cut short.
  bool CutShort = false;

 protected:
  void LayOutOffsets();
};

}  // namespace nuvel
