#pragma once
// File-dialog filters are kept in the "text|pattern|text|pattern" form the
// settings and the file commands build. Qt's file dialog wants
// "text (pattern pattern);;text (pattern)". One routine turns the one into
// the other, and tells which entry a chosen Qt filter was.
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

struct FilterEntry {
  std::string text;
  std::vector<std::string> patterns;  // ";" separated in the source
};

// The entries of a "text|pattern|..." filter; empty pairs are skipped.
std::vector<FilterEntry> ParseDialogFilter(std::string_view filter);

// One Qt name filter per entry: the text, then the patterns in parentheses
// unless the text already ends with exactly them. "*.*" becomes "*", since
// on this system names need not hold a dot.
std::vector<std::string> QtNameFilters(std::string_view filter);

// The Qt filters joined with ";;".
std::string QtFilterString(std::string_view filter);

}  // namespace nuvel
