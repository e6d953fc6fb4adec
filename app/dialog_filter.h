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

enum class FilterLanguage { English, Hebrew };

// One Qt name filter per entry: the text, then the patterns in parentheses
// unless the text already ends with exactly them. "*.*" becomes "*", since
// on this system names need not hold a dot. In Hebrew the text is the
// entry's Hebrew name followed by its patterns as written, isolated as one
// left-to-right run, so that a dialog that hides the Qt patterns shows
// "*.txt" the right way round in a right-to-left line.
std::vector<std::string> QtNameFilters(std::string_view filter,
                                       FilterLanguage language = FilterLanguage::English);

// The Qt filters joined with ";;".
std::string QtFilterString(std::string_view filter, FilterLanguage language = FilterLanguage::English);

// The Hebrew name (UTF-8) of a filter entry's text: "Text files" and the
// other names the program gives, and "X files" for any other X; any other
// text as it stands.
std::string HebrewFilterText(std::string_view text);

}  // namespace nuvel
