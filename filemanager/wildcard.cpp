#include "filemanager/wildcard.h"

namespace nuvel {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Glob match with one remembered star: linear in practice, never exponential.
bool Glob(std::string_view name, std::string_view mask) {
  size_t n = 0, m = 0;
  size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && Lower(mask[m]) == Lower(name[n])))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (Glob(name, mask)) return true;
  // "stem.*" also takes a name with no dot that matches "stem".
  if (mask.size() >= 2 && mask.ends_with(".*") && name.find('.') == std::string_view::npos)
    return Glob(name, mask.substr(0, mask.size() - 2));
  return false;
}

bool MatchesAnyMask(std::string_view name, std::string_view masks) {
  bool any = false;
  size_t pos = 0;
  while (pos <= masks.size()) {
    size_t end = masks.find(';', pos);
    if (end == std::string_view::npos) end = masks.size();
    std::string_view one = masks.substr(pos, end - pos);
    while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
    while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
    if (!one.empty()) {
      any = true;
      if (MatchesMask(name, one)) return true;
    }
    pos = end + 1;
  }
  return !any;
}

}  // namespace nuvel
