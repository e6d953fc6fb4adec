#pragma once
// The search of the incremental search list: the typed beginning of an
// entry is found in a sorted list by a binary search, without regard to the
// case of a..z unless asked, and the found row is centred.
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

// The text as the search compares it: with `caseSensitive` off, a..z
// become A..Z (no other byte changes).
std::string SearchKey(std::string_view text, bool caseSensitive);

// Sorts entries as the search needs them: by their search keys, byte by
// byte, leaving out an entry whose key equals one already taken.
std::vector<std::string> SortedForSearch(std::vector<std::string> entries, bool caseSensitive);

// The first entry whose key begins with the key of `text`, or -1. The
// entries are sorted by their keys.
int PrefixSearch(const std::vector<std::string>& entries, std::string_view text, bool caseSensitive);

// The top row that puts row `index` in the middle of a list showing
// `listHeight / itemHeight` rows; -1 when that would be above the first
// row (the top row then stays as it is).
int CentredTopIndex(int index, int listHeight, int itemHeight);

}  // namespace nuvel
