#pragma once
// Windows-1255 punctuation that the system's set has no byte for becomes an
// ASCII look-alike when read (the mode 2 table). Where one character is not
// close enough, the look-alike is a short text: the euro sign "EUR", the
// ellipsis "...", the trade mark sign "TM" and the per mille sign "%o".
#include <cstdint>
#include <span>
#include <vector>

namespace nuvel {

// `in` (Windows-1255 bytes) with those characters written as their texts,
// into `out`; false, with `out` untouched, when `in` holds none of them.
bool ExpandCp1255LookAlikes(std::span<const uint8_t> in, std::vector<uint8_t>& out);

}  // namespace nuvel
