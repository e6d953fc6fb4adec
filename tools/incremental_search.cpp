#include "tools/incremental_search.h"

#include <algorithm>

namespace nuvel {

std::string SearchKey(std::string_view text, bool caseSensitive) {
  std::string key(text);
  if (caseSensitive) return key;
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
  }
  return key;
}

namespace {

bool ByteLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

std::vector<std::string> SortedForSearch(std::vector<std::string> entries, bool caseSensitive) {
  std::stable_sort(entries.begin(), entries.end(), [caseSensitive](const std::string& a, const std::string& b) {
    return ByteLess(SearchKey(a, caseSensitive), SearchKey(b, caseSensitive));
  });
  std::vector<std::string> out;
  out.reserve(entries.size());
  for (std::string& e : entries) {
    if (!out.empty() && SearchKey(out.back(), caseSensitive) == SearchKey(e, caseSensitive)) continue;
    out.push_back(std::move(e));
  }
  return out;
}

int PrefixSearch(const std::vector<std::string>& entries, std::string_view text, bool caseSensitive) {
  if (entries.empty()) return -1;
  const std::string key = SearchKey(text, caseSensitive);
  auto begins = [&](int i) { return SearchKey(entries[static_cast<size_t>(i)], caseSensitive).starts_with(key); };
  int lo = 0, hi = static_cast<int>(entries.size()) - 1;
  int found = -1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    if (begins(mid)) {
      found = mid;
      break;
    }
    if (ByteLess(key, SearchKey(entries[static_cast<size_t>(mid)], caseSensitive))) {
      hi = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  if (found < 0) return -1;
  while (found > 0 && begins(found - 1)) --found;
  return found;
}

int CentredTopIndex(int index, int listHeight, int itemHeight) {
  if (itemHeight <= 0) return -1;
  const int visible = listHeight / itemHeight;
  const int top = index - visible / 2;
  return top >= 0 ? top : -1;
}

}  // namespace nuvel
