#include "core/border_map.h"

#include <algorithm>
#include <numeric>

#include "core/border_order.h"

namespace nuvel {
namespace {

// The smallest stretch of one order holding what the places [from, end) of
// the other order map to.
std::pair<std::size_t, std::size_t> Cover(const std::vector<uint32_t>& map, std::size_t from, std::size_t end) {
  end = std::min(end, map.size());
  if (from >= end) {
    const std::size_t at = from < map.size() ? map[from] : map.size();
    return {at, at};
  }
  const auto [lo, hi] = std::minmax_element(map.begin() + static_cast<std::ptrdiff_t>(from),
                                            map.begin() + static_cast<std::ptrdiff_t>(end));
  return {*lo, std::size_t{*hi} + 1};
}

// `turned` receives `line` turned; `places[k]` the index in `line` of the
// byte now at k.
void TurnWithPlaces(bool english, std::span<const uint8_t> line, std::vector<uint8_t>& turned,
                    std::vector<uint32_t>& places) {
  turned.assign(line.begin(), line.end());
  places.resize(line.size());
  std::iota(places.begin(), places.end(), uint32_t{0});
  ReorderAtBorder(english, turned, places);
}

std::vector<uint32_t> Inverse(const std::vector<uint32_t>& map) {
  std::vector<uint32_t> inverse(map.size());
  for (std::size_t k = 0; k < map.size(); ++k) inverse[map[k]] = static_cast<uint32_t>(k);
  return inverse;
}

}  // namespace

BorderMap BorderMap::OfStored(bool englishDocument, std::span<const uint8_t> stored, std::vector<uint8_t>* logical) {
  // The turn gives the same bytes either way, but where a line holds equal
  // or mirrored bytes the two ways may move them differently: the map is
  // always the one the turn from logical order takes, which the screen shows.
  std::vector<uint8_t> scratch;
  std::vector<uint8_t>& text = logical ? *logical : scratch;
  text.assign(stored.begin(), stored.end());
  StorageToLogical(englishDocument, text);
  return OfLogical(englishDocument, text);
}

BorderMap BorderMap::OfLogical(bool englishDocument, std::span<const uint8_t> logical, std::vector<uint8_t>* stored) {
  std::vector<uint8_t> scratch;
  BorderMap m;
  TurnWithPlaces(englishDocument, logical, stored ? *stored : scratch, m.logicalOf_);
  m.storedOf_ = Inverse(m.logicalOf_);
  return m;
}

std::pair<std::size_t, std::size_t> BorderMap::StoredStretch(std::size_t from, std::size_t to) const {
  return Cover(storedOf_, from, to);
}

std::pair<std::size_t, std::size_t> BorderMap::LogicalStretch(std::size_t from, std::size_t to) const {
  return Cover(logicalOf_, from, to);
}

}  // namespace nuvel
