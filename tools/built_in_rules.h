#pragma once
// The rule sets the program carries, in the rule language of the filter:
//   1  protect the Divine Names in Hebrew text (one letter becomes "_")
//   2  undo 1
//   3  reverse every line
//   4  1, and the protection of the pointed forms
//   5  undo 4
//   6  reverse every run of Hebrew letters, double quotes and blanks
//   7  reverse every run of the characters from blank to "z"
//   8  protect the English name ("God" becomes "G-d")
//   9  undo 8
//   10 tags and dashes to RTF control words
#include <string>
#include <vector>

namespace nuvel::tools {

inline constexpr int kFirstBuiltInFilter = 1;
inline constexpr int kLastBuiltInFilter = 10;

// The rule lines of built-in filter `kind`, in the order they are tried;
// empty for a kind that does not exist.
std::vector<std::string> BuiltInRules(int kind);

}  // namespace nuvel::tools
