#pragma once
// Numbers written in Hebrew letters (gematria), as used by the Hebrew counter
// and the calendar.
#include <cstdint>
#include <string>

namespace nuvel {

// The number in Hebrew letters, in visual order: the units letter comes first,
// so the result read from its last byte to its first gives the numeral in
// writing order. Letters are bytes of the system's own set.
std::string IntToHebNum(int32_t n);

}  // namespace nuvel
