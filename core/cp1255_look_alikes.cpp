#include "core/cp1255_look_alikes.h"

#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {
namespace {

std::string_view LookAlike(uint8_t b) {
  switch (b) {
    case 0x80: return "EUR";
    case 0x85: return "...";
    case 0x89: return "%o";
    case 0x99: return "TM";
    default: return {};
  }
}

// Every byte with a look-alike text lies in [kLowest, kLowest + kSpan]: a
// range that letters, points and ASCII never touch, so a text is passed over
// sixteen bytes at a time and only a byte in the range is looked at.
constexpr uint8_t kLowest = 0x80;
constexpr uint8_t kSpan = 0x99 - 0x80;

bool HasLookAlike(std::span<const uint8_t> in) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i low = _mm_set1_epi8(static_cast<char>(kLowest));
  const __m128i span = _mm_set1_epi8(static_cast<char>(kSpan));
  for (; i + 16 <= in.size(); i += 16) {
    const __m128i x = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in.data() + i)), low);
    const int inRange = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(x, span), x));
    if (inRange == 0) continue;
    for (int k = 0; k < 16; ++k) {
      if ((inRange >> k & 1) && !LookAlike(in[i + static_cast<std::size_t>(k)]).empty()) return true;
    }
  }
#endif
  for (; i < in.size(); ++i) {
    if (static_cast<uint8_t>(in[i] - kLowest) <= kSpan && !LookAlike(in[i]).empty()) return true;
  }
  return false;
}

}  // namespace

bool ExpandCp1255LookAlikes(std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  if (!HasLookAlike(in)) return false;
  out.clear();
  for (uint8_t b : in) {
    const std::string_view text = LookAlike(b);
    if (text.empty()) {
      out.push_back(b);
    } else {
      out.insert(out.end(), text.begin(), text.end());
    }
  }
  return true;
}

}  // namespace nuvel
