#pragma once
// The program's data file (DataFileName, "DIDOD.drf", in the program folder
// ProgPath): 80-byte records holding the conversion tables. Record 0 names
// the file; the data builder writes the mark "CRC32" at its byte 64 and the
// CRC-32 of the whole file (with these four bytes taken as zeros) at byte 72,
// little-endian, so that a damaged file is noticed.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace nuvel {

inline constexpr std::size_t kDataRecordSize = 80;
inline constexpr std::size_t kDataFileChecksumMark = 64;
inline constexpr std::size_t kDataFileChecksumAt = 72;

// The size of the smallest data file that holds every conversion table.
std::size_t DataFileTablesSize();

// Why `bytes` cannot be the data file, in the interface language; empty when
// they are sound. Too short for the tables; a checksum that does not match
// the content; or, in a file without a checksum, a table that changes the
// ASCII characters, which every conversion keeps as they are.
std::string DataFileDamage(std::span<const uint8_t> bytes);

// Reads `count` records from record `record` (counted from 0) into `buffer`,
// which must hold count * 80 bytes. When the file is absent or damaged
// (DataFileDamage), nothing is read, `buffer` keeps its contents and the
// answer is false; a damaged file is reported once, with the reason, as a
// warning through the message sink.
bool ReadDataFileRecords(uint16_t record, std::span<uint8_t> buffer, uint16_t count);

// The damage of the data file at `path` has been told already (at
// start-up): reading it warns no more.
void NoteDataFileDamageTold(const std::string& path);

}  // namespace nuvel
