#include "app/disk_format_pref.h"

#include "core/settings.h"

namespace nuvel {

std::string NextDiskFormatPref(std::string_view value) {
  if (value == kNotFound || value.empty()) return "0";
  char c = static_cast<char>(value[0] + 1);
  if (c > '2') c = '0';
  return std::string(1, c);
}

int DiskFormatButtonOf(std::string_view value) {
  if (value.size() != 1 || value[0] < '0' || value[0] > '2') return -1;
  return value[0] - '0';
}

}  // namespace nuvel
