#include "core/byte_find.h"

#include <cstring>

#include "platform/ascii_case.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {
namespace {

bool IsAsciiLetter(uint8_t c) { return platform::AsciiLower(c) != platform::AsciiUpper(c); }

#if defined(__SSE2__)
// The bytes of `x` that are `c` (a lower-case ASCII letter standing for
// both cases when `anyCase`), as 0xFF.
struct ByteTest {
  __m128i value;
  __m128i fold;  // 0x20 where the case does not count, else 0
  ByteTest(uint8_t c, bool anyCase)
      : value(_mm_set1_epi8(static_cast<char>(c))),
        fold(_mm_set1_epi8(anyCase && IsAsciiLetter(c) ? 0x20 : 0)) {}
  __m128i Matches(__m128i x) const { return _mm_cmpeq_epi8(_mm_or_si128(x, fold), value); }
};
#endif

}  // namespace

TByteFinder::TByteFinder(std::span<const uint8_t> pattern, bool matchCase)
    : pattern_(pattern.begin(), pattern.end()), matchCase_(matchCase) {
  if (!matchCase_) {
    for (uint8_t& c : pattern_) c = platform::AsciiLower(c);
  }
}

bool TByteFinder::MatchesAt(const uint8_t* at) const {
  if (matchCase_) return std::memcmp(at, pattern_.data(), pattern_.size()) == 0;
  for (std::size_t i = 0; i < pattern_.size(); ++i) {
    if (platform::AsciiLower(at[i]) != pattern_[i]) return false;
  }
  return true;
}

std::optional<std::size_t> TByteFinder::First(std::span<const uint8_t> buffer) const {
  const std::size_t n = pattern_.size();
  if (n == 0 || n > buffer.size()) return std::nullopt;
  const std::size_t places = buffer.size() - n + 1;
  const uint8_t* p = buffer.data();
  std::size_t i = 0;
#if defined(__SSE2__)
  const ByteTest first(pattern_.front(), !matchCase_), last(pattern_.back(), !matchCase_);
  for (; i + 16 <= places; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + n - 1));
    auto both = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(first.Matches(a), last.Matches(b))));
    while (both != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(both));
      if (MatchesAt(p + at)) return at;
      both &= both - 1;
    }
  }
#endif
  for (; i < places; ++i) {
    if (MatchesAt(p + i)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> TByteFinder::Last(std::span<const uint8_t> buffer) const {
  const std::size_t n = pattern_.size();
  if (n == 0 || n > buffer.size()) return std::nullopt;
  const uint8_t* p = buffer.data();
  // Places [0, end) are still to try, the last first.
  std::size_t end = buffer.size() - n + 1;
#if defined(__SSE2__)
  const ByteTest first(pattern_.front(), !matchCase_), last(pattern_.back(), !matchCase_);
  while (end >= 16) {
    const std::size_t i = end - 16;
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + n - 1));
    auto both = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(first.Matches(a), last.Matches(b))));
    while (both != 0) {
      const int k = 31 - __builtin_clz(both);
      if (MatchesAt(p + i + static_cast<std::size_t>(k))) return i + static_cast<std::size_t>(k);
      both &= ~(1u << k);
    }
    end = i;
  }
#endif
  while (end > 0) {
    --end;
    if (MatchesAt(p + end)) return end;
  }
  return std::nullopt;
}

}  // namespace nuvel
