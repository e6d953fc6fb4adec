#pragma once
// The program's data file (DataFileName, "DIDOD.drf", in the program folder
// ProgPath): 80-byte records holding the conversion tables.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace nuvel {

inline constexpr std::size_t kDataRecordSize = 80;

// Reads `count` records from record `record` (counted from 0) into `buffer`,
// which must hold count * 80 bytes. When the file is absent, or too short to
// hold those records, nothing is read, `buffer` keeps its contents and the
// answer is false; a file that is too short is reported once, as a warning
// through the message sink.
bool ReadDataFileRecords(uint16_t record, std::span<uint8_t> buffer, uint16_t count);

// The damage of the data file at `path` has been told already (at
// start-up): reading it warns no more.
void NoteDataFileDamageTold(const std::string& path);

}  // namespace nuvel
