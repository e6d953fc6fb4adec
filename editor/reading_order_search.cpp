#include "editor/reading_order_search.h"

#include <algorithm>
#include <bit>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/border_map.h"
#include "platform/ascii_case.h"

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

#if defined(__SSE2__)
// Sixteen bytes with 'a'..'z' made upper case (compared as signed, so bytes
// from 0x80 on, the Hebrew letters and points, never are).
inline __m128i UpperAscii16(__m128i x) {
  const __m128i lower =
      _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('a' - 1)), _mm_cmplt_epi8(x, _mm_set1_epi8('z' + 1)));
  return _mm_sub_epi8(x, _mm_and_si128(lower, _mm_set1_epi8(0x20)));
}
#endif

}  // namespace

TStoredPrefilter::TStoredPrefilter(std::string_view logicalPattern, bool matchCase) : matchCase_(matchCase) {
  const std::string_view pivot = LongestKeptStretch(logicalPattern);
  pivot_ = matchCase ? std::string(pivot) : platform::UpperAscii(pivot);
  reversed_.assign(pivot_.rbegin(), pivot_.rend());
}

bool TStoredPrefilter::HoldsAt(const uint8_t* at) const {
  const std::size_t n = pivot_.size();
  bool forwards = true;
  bool backwards = true;
  for (std::size_t k = 0; k < n && (forwards || backwards); ++k) {
    const uint8_t b = matchCase_ ? at[k] : platform::AsciiUpper(at[k]);
    forwards = forwards && b == static_cast<uint8_t>(pivot_[k]);
    backwards = backwards && b == static_cast<uint8_t>(reversed_[k]);
  }
  return forwards || backwards;
}

bool TStoredPrefilter::MayHold(std::span<const uint8_t> stored) const {
  const std::size_t n = pivot_.size();
  if (n == 0) return true;
  if (stored.size() < n) return false;
  // A place is a candidate when its first and last bytes are the pivot's
  // first and last, either way round; sixteen places at a time.
  const uint8_t first = static_cast<uint8_t>(pivot_.front());
  const uint8_t last = static_cast<uint8_t>(pivot_.back());
  const uint8_t* p = stored.data();
  const std::size_t limit = stored.size() - n + 1;  // start places run below this
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i first16 = _mm_set1_epi8(static_cast<char>(first));
  const __m128i last16 = _mm_set1_epi8(static_cast<char>(last));
  for (; i + 16 <= limit; i += 16) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + n - 1));
    if (!matchCase_) {
      a = UpperAscii16(a);
      b = UpperAscii16(b);
    }
    const __m128i either = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(a, first16), _mm_cmpeq_epi8(b, last16)),
                                        _mm_and_si128(_mm_cmpeq_epi8(a, last16), _mm_cmpeq_epi8(b, first16)));
    for (auto m = static_cast<uint32_t>(_mm_movemask_epi8(either)); m != 0; m &= m - 1) {
      if (HoldsAt(p + i + static_cast<std::size_t>(std::countr_zero(m)))) return true;
    }
  }
#endif
  for (; i < limit; ++i) {
    const uint8_t a = matchCase_ ? p[i] : platform::AsciiUpper(p[i]);
    const uint8_t b = matchCase_ ? p[i + n - 1] : platform::AsciiUpper(p[i + n - 1]);
    if (((a == first && b == last) || (a == last && b == first)) && HoldsAt(p + i)) return true;
  }
  return false;
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
