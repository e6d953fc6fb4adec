#include "formats/disk_format.h"

#include <string>

#include "core/settings.h"

namespace nuvel {

uint8_t ReadDiskFormat() {
  const std::string v = ReadIniString("GENPREFS", "DISK_FMT");
  if (v == kNotFound || v.empty() || v[0] < '0' || v[0] > '5') return kDiskNotSet;
  return static_cast<uint8_t>(v[0] - '0');
}

uint8_t EffectiveDiskFormat(uint8_t diskConv, uint8_t storedDefault) {
  return diskConv == kDiskNotSet ? storedDefault : diskConv;
}

}  // namespace nuvel
