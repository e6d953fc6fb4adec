#pragma once
// The disk-format preference [GENPREFS] DISK_FMT as the format buttons and
// Toggle Type set it: "0" the Windows format, "1" the DOS format, "2" DOS
// text.
#include <string>
#include <string_view>

namespace nuvel {

// Toggle Type: the first character goes up by one and wraps from above "2"
// to "0"; a missing value ("NotFound") becomes "0".
std::string NextDiskFormatPref(std::string_view value);

// The format button for a value: 0, 1 or 2; -1 for none.
int DiskFormatButtonOf(std::string_view value);

}  // namespace nuvel
