#pragma once
// The edit configuration ([GENPREFS] EditConfig) as one value, from the
// shared flags that hold it at run time.
#include <cstdint>

namespace nuvel {

enum class TEditConfig : uint8_t {
  Default = 0,
  ProgramEditor = 1,
  Custom = 2,
  NuvelDos = 3,
  ThreeB2 = 4,
  Tag = 5,
  NulRecords = 6,
};

// The configuration the shared flags hold (Default when none is set; Custom
// sets no flag and reads as Default).
TEditConfig CurrentEditConfig();

}  // namespace nuvel
