#include "editor/reading_order_search.h"

#include <algorithm>
#include <string>

#include "core/border_map.h"

namespace nuvel {
namespace {

// 1 ASCII letter, 2 Hebrew letter, 3 digit, 0 anything else.
int KeptTogether(uint8_t b) {
  if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z')) return 1;
  if (b >= 0xE0 && b <= 0xFA) return 2;
  if (b >= '0' && b <= '9') return 3;
  return 0;
}

// The longest stretch of the pattern of one kind of KeptTogether.
std::string_view LongestKeptStretch(std::string_view pattern) {
  std::string_view best;
  for (std::size_t i = 0; i < pattern.size();) {
    const int kind = KeptTogether(static_cast<uint8_t>(pattern[i]));
    std::size_t j = i + 1;
    while (j < pattern.size() && KeptTogether(static_cast<uint8_t>(pattern[j])) == kind) ++j;
    if (kind != 0 && j - i > best.size()) best = pattern.substr(i, j - i);
    i = j;
  }
  return best;
}

}  // namespace

TStoredPrefilter::TStoredPrefilter(std::string_view logicalPattern, bool matchCase) {
  const std::string_view pivot = LongestKeptStretch(logicalPattern);
  if (pivot.empty()) return;
  forwards_.emplace(pivot, matchCase);
  const std::string reversed(pivot.rbegin(), pivot.rend());
  if (reversed != pivot) backwards_.emplace(reversed, matchCase);
}

bool TStoredPrefilter::MayHold(std::span<const uint8_t> stored) const {
  if (!forwards_) return true;
  if (forwards_->FindFirst(stored) != TTextSearcher::npos) return true;
  return backwards_ && backwards_->FindFirst(stored) != TTextSearcher::npos;
}

TStoredChange StoredChange(std::span<const uint8_t> before, std::span<const uint8_t> after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  return {head, before.size() - tail, after.subspan(head, after.size() - tail - head)};
}

std::vector<uint8_t> CellsInReadingOrder(bool englishDocument, std::span<const uint8_t> stored, std::size_t from,
                                         std::size_t to) {
  to = std::min(to, stored.size());
  if (from >= to) return {};
  std::vector<uint8_t> logical;
  const BorderMap map = BorderMap::OfStored(englishDocument, stored, &logical);
  std::vector<std::size_t> places;
  places.reserve(to - from);
  for (std::size_t k = from; k < to; ++k) places.push_back(map.LogicalOf(k));
  std::sort(places.begin(), places.end());
  std::vector<uint8_t> out;
  out.reserve(places.size());
  for (const std::size_t l : places) out.push_back(logical[l]);
  return out;
}

std::size_t LogicalStartForwards(const BorderMap& map, std::size_t caret) {
  if (caret >= map.size()) return map.size();
  return map.LogicalStretch(caret, map.size()).first;
}

std::size_t LogicalEndBackwards(const BorderMap& map, std::size_t caret) {
  if (caret == 0) return 0;
  return map.LogicalStretch(0, std::min(caret, map.size())).second;
}

}  // namespace nuvel
