#pragma once
// Levenshtein distance: unit cost for inserting, deleting and substituting a
// character, none for an equal one. Words of any length are measured; the
// result is capped at 255.
#include <cstdint>
#include <string_view>

namespace nuvel {

std::uint8_t EditDistance(std::string_view a, std::string_view b);

// The distance when it is at most `limit`, else limit + 1; stops early once
// no alignment can come within the limit.
int EditDistanceWithin(std::string_view a, std::string_view b, int limit);

}  // namespace nuvel
