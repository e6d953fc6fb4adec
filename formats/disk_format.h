#pragma once
// Disk format codes: which plain-text format a document is read and written
// in when neither its extension nor the edit configuration decides. Held per
// editor; the stored default is [GENPREFS] DISK_FMT.
#include <cstdint>

namespace nuvel {

inline constexpr uint8_t kDiskNvw = 0;       // the system's Windows format (.NVW)
inline constexpr uint8_t kDiskNvs = 1;       // the system's DOS format (.NVS)
inline constexpr uint8_t kDiskDosText = 2;
inline constexpr uint8_t kDiskEinstein = 3;
inline constexpr uint8_t kDisk3B2 = 4;
inline constexpr uint8_t kDiskUnicode = 5;
inline constexpr uint8_t kDiskNotSet = 255;  // the stored default applies

// [GENPREFS] DISK_FMT: its first character "0" to "5" gives 0 to 5; a missing
// key or any other value gives 255.
uint8_t ReadDiskFormat();

// The format a document uses: its own code, or the stored default when that
// is 255.
uint8_t EffectiveDiskFormat(uint8_t diskConv, uint8_t storedDefault);

}  // namespace nuvel
