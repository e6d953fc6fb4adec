#include "editor/text_search.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/ascii_case.h"

namespace nuvel {
namespace {

// Eight bytes at a time: a byte k of a word is bits 8k..8k+7 (little-endian
// loads), so a flag in byte k stands for position k.
constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHigh = 0x8080808080808080ULL;
constexpr bool kWordSearch = std::endian::native == std::endian::little;

inline uint64_t Load8(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// Up to eight bytes from `p`, of which `available` lie inside the text that
// starts at `start`; missing ones read as zero, which no search text holds.
// Near the end the word ending at the text's end is read and shifted down,
// so no byte outside the text is touched.
inline uint64_t Load(const uint8_t* p, size_t available, const uint8_t* start) {
  if (available >= 8) return Load8(p);
  if (static_cast<size_t>(p - start) + available >= 8) return Load8(p + available - 8) >> (8 * (8 - available));
  uint64_t v = 0;
  for (size_t k = 0; k < available; ++k) v |= uint64_t{p[k]} << (8 * k);
  return v;
}

// The high bit of every zero byte of x is set (and perhaps of a byte above a
// zero one: candidates are checked, so a stray flag costs only a compare).
inline uint64_t ZeroBytes(uint64_t x) { return (x - kOnes) & ~x & kHigh; }

#if defined(__SSE2__)
// The same for sixteen bytes: a byte in 'a'..'z' (compared as signed, so
// bytes from 0x80 on, the Hebrew letters and points, never are) loses 0x20.
inline __m128i UpperAscii16(__m128i x) {
  const __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('a' - 1)), _mm_cmplt_epi8(x, _mm_set1_epi8('z' + 1)));
  return _mm_sub_epi8(x, _mm_and_si128(lower, _mm_set1_epi8(0x20)));
}
#endif

// ASCII lower-case letters of the word made upper case; other bytes kept.
inline uint64_t UpperAscii(uint64_t x) {
  const uint64_t low7 = x & ~kHigh;
  const uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
  const uint64_t aboveZ = low7 + (0x7F - 'z') * kOnes;
  const uint64_t lower = (atLeastA ^ aboveZ) & ~x & kHigh;
  return x ^ (lower >> 2);
}

}  // namespace

TTextSearcher::TTextSearcher(std::string_view pattern, bool matchCase)
    : pattern_(matchCase ? std::string(pattern) : platform::UpperAscii(pattern)), matchCase_(matchCase) {
  // The skip table serves only where words cannot be read as little-endian.
  if (!kWordSearch) MakeSkipTable(Pattern(), table_);
}

bool TTextSearcher::MatchesAt(const uint8_t* text) const {
  const auto* p = reinterpret_cast<const uint8_t*>(pattern_.data());
  if (matchCase_) return std::memcmp(text, p, pattern_.size()) == 0;
  for (size_t i = 0; i < pattern_.size(); ++i) {
    if (platform::AsciiUpper(text[i]) != p[i]) return false;
  }
  return true;
}

size_t TTextSearcher::FindFirst(std::span<const uint8_t> text, size_t from) const {
  const size_t n = pattern_.size();
  if (n == 0 || from >= text.size() || text.size() - from < n) return npos;
  if (!kWordSearch) {
    size_t pos = 0;
    const auto part = text.subspan(from);
    const bool found =
        matchCase_ ? BMSearch(part, table_, Pattern(), pos) : BMSearchUC(part, table_, Pattern(), pos);
    return found ? from + pos : npos;
  }
  // Positions whose byte equals the pattern's first byte and whose byte
  // n - 1 further on equals its last are candidates, found many at a time;
  // each candidate is then compared whole. This keeps the scan free of the
  // chain of dependent loads that limits a skip-table search.
  const uint8_t* p = text.data();
  const size_t size = text.size();
  const size_t limit = size - n + 1;  // start positions run below this
  const uint64_t firsts = kOnes * static_cast<uint8_t>(pattern_.front());
  const uint64_t lasts = kOnes * static_cast<uint8_t>(pattern_.back());
  size_t i = from;
#if defined(__SSE2__)
  // Sixteen positions at a time, the last sixteen start positions taken
  // as one more step over the ones already seen, so that the end needs no
  // piecewise reads; a text too short for that goes the way below.
  if (limit >= 16) {
    const __m128i first16 = _mm_set1_epi8(static_cast<char>(pattern_.front()));
    const __m128i last16 = _mm_set1_epi8(static_cast<char>(pattern_.back()));
    // Candidates among the sixteen start positions from `at`, as bits.
    auto candidates = [&](size_t at) {
      __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
      __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at + n - 1));
      if (!matchCase_) {
        a = UpperAscii16(a);
        b = UpperAscii16(b);
      }
      return static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first16), _mm_cmpeq_epi8(b, last16))));
    };
    for (;; i += 16) {
      uint32_t m = 0;
      size_t at = i;
      if (i + 16 <= limit) {
        m = candidates(i);
      } else {
        if (i >= limit) return npos;
        at = limit - 16;
        m = candidates(at) & ~((1u << (i - at)) - 1);
      }
      for (; m != 0; m &= m - 1) {
        const size_t found = at + static_cast<size_t>(std::countr_zero(m));
        if (MatchesAt(p + found)) return found;
      }
      if (at + 16 >= limit) return npos;
    }
  }
#endif
  // Eight positions at a time while both loads lie inside the text, then
  // the rest.
  for (; i < limit && i + n - 1 + 8 <= size; i += 8) {
    uint64_t a = Load8(p + i);
    uint64_t b = Load8(p + i + n - 1);
    if (!matchCase_) {
      a = UpperAscii(a);
      b = UpperAscii(b);
    }
    for (uint64_t m = ZeroBytes(a ^ firsts) & ZeroBytes(b ^ lasts); m != 0; m &= m - 1) {
      const size_t at = i + static_cast<size_t>(std::countr_zero(m)) / 8;
      if (at >= limit) break;
      if (MatchesAt(p + at)) return at;
    }
  }
  for (; i < limit; i += 8) {
    uint64_t a = Load(p + i, size - i, p);
    uint64_t b = Load(p + i + n - 1, size - (i + n - 1), p);
    if (!matchCase_) {
      a = UpperAscii(a);
      b = UpperAscii(b);
    }
    for (uint64_t m = ZeroBytes(a ^ firsts) & ZeroBytes(b ^ lasts); m != 0; m &= m - 1) {
      const size_t at = i + static_cast<size_t>(std::countr_zero(m)) / 8;
      if (at >= limit) break;
      if (MatchesAt(p + at)) return at;
    }
  }
  return npos;
}

size_t TTextSearcher::FindLast(std::span<const uint8_t> text, size_t end) const {
  end = std::min(end, text.size());
  const auto part = text.first(end);
  size_t last = npos;
  for (size_t at = FindFirst(part, 0); at != npos; at = FindFirst(part, at + 1)) last = at;
  return last;
}

}  // namespace nuvel
