#pragma once
// The 78-byte header of a Palm database file (.PDB, .PRC). All numbers in the
// file are big-endian.
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "formats/palm_date.h"

namespace nuvel {

class EInvalidPalmDatabase : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kPalmHeaderSize = 78;
inline constexpr std::size_t kPalmEntrySize = 8;
inline constexpr uint32_t kPalmMaxRecords = 0xFFFF;

// Attribute bits of the header.
enum PalmAttribute : uint16_t {
  kPalmReadOnly = 0x0002,
  kPalmDirty = 0x0004,
  kPalmBackup = 0x0008,
  kPalmOverwrite = 0x0010,
  kPalmForceReset = 0x0020,
  kPalmNoBeam = 0x0040,
};

class TPalmDatabase {
 public:
  // Mode 1 opens an existing file and reads its header; mode 0 starts a new
  // database.
  TPalmDatabase(std::string FileName, uint8_t Mode);

  void SetFileName(std::string FileName) { this->FileName = std::move(FileName); }

  // Reads the header of FileName; EInvalidPalmDatabase when it cannot.
  void ReadHeader();
  // Takes the fields from the first 78 bytes of a file.
  void DecodeHeader(std::span<const uint8_t> bytes);
  // The header as this program writes it: the name cut to 31 bytes, the
  // attribute bits, the given creation and modification dates, type "TEXt",
  // creator "REAd" and the number of records; every other field 0.
  std::array<uint8_t, kPalmHeaderSize> EncodeHeader(uint32_t Dates, uint32_t RecordCount) const;

  std::string Name;
  bool ReadOnly = false;
  bool Dirty = false;
  bool Backup = false;
  bool Overwrite = false;
  bool ForceReset = false;
  bool NoBeam = false;
  int32_t Version = 0;
  TDateTime Created = 0;
  TDateTime Modified = 0;
  TDateTime BackedUp = 0;
  uint32_t ModNumber = 0;
  uint32_t AppInfoArea = 0;
  uint32_t SortInfoArea = 0;
  std::string DBType;
  std::string Creator;
  uint32_t IDSeed = 0;
  uint32_t NextRecordList = 0;
  uint32_t NumRecords = 0;
  uint64_t FileSize = 0;
  std::string FileName;
  uint8_t Mode = 0;
};

}  // namespace nuvel
