#pragma once
// File masks of the file list ("*.txt", "a?c.*", "*.txt;*.doc"): "*" stands
// for any run of characters, "?" for one; letters match without regard to
// case (ASCII only; other bytes exactly). A mask ending in ".*" also matches
// names without a dot, as it always has: "*.*" is every file, "readme" is
// among "read*.*".
#include <string_view>

namespace nuvel {

bool MatchesMask(std::string_view name, std::string_view mask);

// True when `name` matches one of the masks separated by ";"; an empty mask
// list matches every name.
bool MatchesAnyMask(std::string_view name, std::string_view masks);

}  // namespace nuvel
