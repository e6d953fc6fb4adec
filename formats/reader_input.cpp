#include "formats/reader_input.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {
namespace {

// The first offset in [from, stop) holding CR, LF, the line-end byte or a
// zero byte, or `stop`: sixteen bytes at a time where the processor allows.
std::size_t FindLineStop(const uint8_t* bytes, std::size_t from, std::size_t stop, uint8_t lineEnd) {
  std::size_t at = from;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8(13);
  const __m128i lf = _mm_set1_epi8(10);
  const __m128i end = _mm_set1_epi8(static_cast<char>(lineEnd));
  const __m128i zero = _mm_setzero_si128();
  while (at + 16 <= stop) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, cr), _mm_cmpeq_epi8(x, lf)),
                                     _mm_or_si128(_mm_cmpeq_epi8(x, end), _mm_cmpeq_epi8(x, zero)));
    if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit)); mask != 0) {
      return at + static_cast<std::size_t>(std::countr_zero(mask));
    }
    at += 16;
  }
#endif
  for (; at < stop; ++at) {
    const uint8_t b = bytes[at];
    if (b == 13 || b == 10 || b == lineEnd || b == 0) break;
  }
  return at;
}

}  // namespace

TReaderInput::TReaderInput(std::span<const uint8_t> whole) : file(whole), data(whole) {
  std::size_t n = data.size();
  while (n > 1 && (data[n - 1] == 0x00 || data[n - 1] == 0x1A || data[n - 1] == 0xFF)) {
    if (data[n - 1] == 0x00) ++trailingNulBytes;
    --n;
  }
  data = data.first(n);
}

TLineResult ReadLine(TReaderInput& in, std::vector<uint8_t>& line, std::size_t max) {
  TLineResult r;
  if (max <= 2) return r;
  const std::size_t limit = max - 2;
  const auto& d = in.data;
  const uint8_t* bytes = d.data();
  const uint8_t lineEnd = in.lineEndChar;
  while (in.pos < d.size()) {
    // The bytes up to the next line end or zero byte, as far as the limit
    // allows, go in at once.
    const std::size_t stop = std::min(d.size(), in.pos + (limit - r.length));
    const std::size_t run = FindLineStop(bytes, in.pos, stop, lineEnd);
    line.insert(line.end(), bytes + in.pos, bytes + run);
    r.length += run - in.pos;
    in.pos = run;
    if (in.pos >= d.size()) break;
    const uint8_t b = bytes[in.pos];
    if (b == 13 || b == 10 || b == lineEnd) break;
    if (r.length == limit) {
      r.cut = true;
      break;
    }
    // A zero byte: dropped.
    ++in.pos;
    in.nulSeen = true;
    ++in.nulBytes;
  }
  if (in.pos >= d.size()) return r;
  const uint8_t at = d[in.pos];
  if (in.lineEndChar != 13 && (at == 13 || at == 10)) {
    line.push_back(kParagraphMark);
    ++r.length;
  }
  if (at == in.lineEndChar || at == 13) {
    if (at == 13) ++in.crLineEnds;
    ++in.pos;
    if (in.pos < d.size() && d[in.pos] == 10) ++in.pos;
  } else if (at == 10) {
    ++in.lfLineEnds;
    ++in.pos;
  }
  return r;
}

}  // namespace nuvel
