#include "tools/edit_distance.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace nuvel {

namespace {

// One row of the table at a time; `limit` < 0 means no limit.
int Distance(std::string_view a, std::string_view b, int limit) {
  if (limit >= 0 && std::abs(static_cast<int>(a.size()) - static_cast<int>(b.size())) > limit) return limit + 1;
  std::vector<int> row(b.size() + 1);
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
