#include "tools/edit_distance.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace nuvel {

namespace {

// One row of the table at a time; `limit` < 0 means no limit. A common
// start and end change no distance and are left out first (the words of a
// dictionary group share their first two letters).
int Distance(std::string_view a, std::string_view b, int limit) {
  if (limit >= 0 && std::abs(static_cast<int>(a.size()) - static_cast<int>(b.size())) > limit) return limit + 1;
  while (!a.empty() && !b.empty() && a.front() == b.front()) {
    a.remove_prefix(1);
    b.remove_prefix(1);
  }
  while (!a.empty() && !b.empty() && a.back() == b.back()) {
    a.remove_suffix(1);
    b.remove_suffix(1);
  }
  if (a.empty() || b.empty()) {
    const int d = static_cast<int>(a.size() + b.size());
    return (limit >= 0 && d > limit) ? limit + 1 : d;
  }
  // Words of the dictionaries are short: their row fits on the stack.
  constexpr std::size_t kShort = 128;
  int shortRow[kShort];
  std::vector<int> longRow;
  int* row = shortRow;
  if (b.size() + 1 > kShort) {
    longRow.resize(b.size() + 1);
    row = longRow.data();
  }
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    int rowMin = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const int above = row[j];
      const int left = row[j - 1];
      const int cell = std::min({above + 1, left + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      row[j] = cell;
      rowMin = std::min(rowMin, cell);
    }
    if (limit >= 0 && rowMin > limit) return limit + 1;
  }
  const int d = row[b.size()];
  return (limit >= 0 && d > limit) ? limit + 1 : d;
}

}  // namespace

std::uint8_t EditDistance(std::string_view a, std::string_view b) {
  return static_cast<std::uint8_t>(std::min(Distance(a, b, -1), 255));
}

int EditDistanceWithin(std::string_view a, std::string_view b, int limit) {
  return Distance(a, b, limit < 0 ? 0 : limit);
}

}  // namespace nuvel
