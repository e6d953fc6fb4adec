#include "core/border_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/border_classes.h"
#include "core/border_order_brackets.h"
#include "core/bracket_pairs.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {
namespace {

using border::Dir;
using border::Mirrored;
using border::Raw;
using border::RawClassOf;
using border::MirroredOf;
using border::ByteTable;

// Bit (1 << class) of a byte's class, and bit 8 for a bracket.
constexpr std::array<uint16_t, 256> kClassBits = ByteTable<uint16_t>([](uint8_t b) {
  return static_cast<uint16_t>((1u << static_cast<unsigned>(RawClassOf(b))) | (MirroredOf(b) != b ? 1u << 8 : 0u));
});

// Buffers a thread reuses from line to line: turning a file's lines on
// load and save allocates nothing per line.
struct Scratch {
  std::vector<Raw> raw;
  std::vector<Dir> d;
  std::vector<Dir> reversed;
  std::vector<uint8_t> turned;
  std::vector<uint8_t> back;
  std::vector<uint32_t> turnedPlaces;
};

Scratch& Buffers() {
  thread_local Scratch scratch;
  return scratch;
}

const std::vector<Dir>& Classes(std::span<const uint8_t> line, Scratch& s) {
  border::LineClasses(line, s.raw, s.d);
  return s.d;
}

// The places that follow a line's bytes through a turn, when asked for:
// at[k] moves with byte k of the line (or stretch) being turned.
struct Places {
  uint32_t* at = nullptr;
  Places From(std::size_t k) const { return {at ? at + k : nullptr}; }
};

void Reverse(std::span<uint8_t> line, std::size_t from, std::size_t to, Places p) {
  std::reverse(line.begin() + static_cast<std::ptrdiff_t>(from), line.begin() + static_cast<std::ptrdiff_t>(to));
  if (p.at) std::reverse(p.at + from, p.at + to);
}

// Each maximal run of numbers in [from, from + cls.size()) reversed in
// place; cls[k] is the class of line[from + k].
void ReverseNumbers(std::span<uint8_t> line, std::span<const Dir> cls, std::size_t from, Places p) {
  std::size_t i = 0;
  while (i < cls.size()) {
    if (cls[i] != Dir::Number) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < cls.size() && cls[end] == Dir::Number) ++end;
    Reverse(line, from + i, from + end, p);
    i = end;
  }
}

// Mirrors the brackets of line[from, to).
void MirrorBrackets(std::span<uint8_t> line, std::size_t from, std::size_t to) {
  for (std::size_t k = from; k < to; ++k) line[k] = Mirrored(line[k]);
}

// A Hebrew document's turn, stretch by stretch: only a stretch without
// Hebrew that holds a letter or a digit has runs, and only its classes are
// worked out (a neighbour outside a stretch is Hebrew, which joins nothing,
// so they are the classes the whole line would give it).
void HebrewDocument(std::span<uint8_t> line, Scratch& s, Places p) {
  const std::size_t n = line.size();
  constexpr unsigned kLetters = 1u << static_cast<unsigned>(Raw::L);
  constexpr unsigned kDigits = 1u << static_cast<unsigned>(Raw::EN);
  constexpr unsigned kHebrew = 1u << static_cast<unsigned>(Raw::R);
  std::size_t i = 0;
  while (i < n) {
    if (kClassBits[line[i]] & kHebrew) {
      ++i;
      continue;
    }
    // The stretch up to the next Hebrew, with the classes it holds, and its
    // first and last Latin letter.
    std::size_t end = i;
    unsigned present = 0;
    std::size_t firstLetter = n, lastLetter = 0;
    for (; end < n; ++end) {
      const unsigned bits = kClassBits[line[end]];
      if (bits & kHebrew) break;
      if (bits & kLetters) {
        firstLetter = std::min(firstLetter, end);
        lastLetter = end + 1;
      }
      present |= bits;
    }
    if ((present & (kLetters | kDigits)) == 0) {
      // Right to left, a bracket shows the other way round.
      if (present & (1u << 8)) MirrorBrackets(line, i, end);
      i = end;
      continue;
    }
    if ((present & kDigits) == 0) {
      // Without digits nothing joins: the run is the stretch from its first
      // to its last letter, reversed; brackets outside it show the other
      // way round.
      if (present & (1u << 8)) {
        MirrorBrackets(line, i, firstLetter);
        MirrorBrackets(line, lastLetter, end);
      }
      Reverse(line, firstLetter, lastLetter, p);
      i = end;
      continue;
    }
    const std::span<uint8_t> stretch = line.subspan(i, end - i);
    const Places sp = p.From(i);
    const std::vector<Dir>& d = Classes(stretch, s);
    // The stretch cut to its first and last letter or digit.
    std::size_t first = 0;
    while (d[first] == Dir::Neutral) ++first;
    std::size_t last = d.size();
    while (d[last - 1] == Dir::Neutral) --last;
    MirrorBrackets(stretch, 0, first);
    MirrorBrackets(stretch, last, d.size());
    if (present & kLetters) {
      Reverse(stretch, first, last, sp);
    } else {
      ReverseNumbers(stretch, std::span<const Dir>(d).subspan(first, last - first), first, sp);
      for (std::size_t k = first; k < last; ++k) {
        if (d[k] != Dir::Number) stretch[k] = Mirrored(stretch[k]);
      }
    }
    i = end;
  }
}

void EnglishDocument(std::span<uint8_t> line, const std::vector<Dir>& d, Scratch& s, Places p) {
  const std::size_t n = line.size();
  std::size_t i = 0;
  while (i < n) {
    if (d[i] == Dir::Latin) {
      ++i;
      continue;
    }
    // A stretch without Latin letters, cut to its first and last Hebrew.
    std::size_t end = i;
    while (end < n && d[end] != Dir::Latin) ++end;
    std::size_t first = i;
    while (first < end && d[first] != Dir::Hebrew) ++first;
    std::size_t last = end;
    while (last > first && d[last - 1] != Dir::Hebrew) --last;
    if (first < last) {
      // The run reversed; inside it numbers still read left to right and
      // brackets show the other way round.
      Reverse(line, first, last, p);
      std::vector<Dir>& reversed = s.reversed;
      reversed.assign(d.begin() + static_cast<std::ptrdiff_t>(first), d.begin() + static_cast<std::ptrdiff_t>(last));
      std::reverse(reversed.begin(), reversed.end());
      ReverseNumbers(line, reversed, first, p);
      for (std::size_t k = first; k < last; ++k) {
        if (reversed[k - first] == Dir::Neutral) line[k] = Mirrored(line[k]);
      }
    }
    i = end;
  }
}

// Bit 0: a Hebrew byte; bit 1: a Latin letter; bit 2: a digit or a bracket.
constexpr std::array<uint8_t, 256> kLetterKind = ByteTable<uint8_t>([](uint8_t b) {
  const Raw c = RawClassOf(b);
  return static_cast<uint8_t>((c == Raw::R ? 1 : 0) | (c == Raw::L ? 2 : 0) |
                              (c == Raw::EN || MirroredOf(b) != b ? 4 : 0));
});

// Where a block of up to 64 bytes holds Hebrew, Latin letters and digits or
// brackets: bit k for byte k.
struct BlockKinds {
  uint64_t hebrew = 0;
  uint64_t latin = 0;
  uint64_t special = 0;
};

[[maybe_unused]] BlockKinds KindsByTable(const uint8_t* p, std::size_t m) {
  BlockKinds k;
  for (std::size_t i = 0; i < m; ++i) {
    const uint64_t kind = kLetterKind[p[i]];
    k.hebrew |= (kind & 1) << i;
    k.latin |= ((kind >> 1) & 1) << i;
    k.special |= (kind >> 2) << i;
  }
  return k;
}

#if defined(__SSE2__)
// Bytes of `x` within [lo, hi], as 0xFF.
inline __m128i InRange(__m128i x, uint8_t lo, uint8_t hi) {
  const __m128i t = _mm_sub_epi8(x, _mm_set1_epi8(static_cast<char>(lo)));
  return _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(static_cast<char>(hi - lo))), t);
}
inline __m128i Is(__m128i x, uint8_t b) { return _mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(b))); }
inline uint64_t Mask16(__m128i m, int shift) {
  return static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(m))) << shift;
}

// The kinds of 64 bytes, 16 at a time, by the same byte classes as the table.
// Most of a text is Hebrew letters (pointed ones too) and points, Latin
// letters and blanks: sixteen bytes of those alone (or of zero bytes, which
// pad a line's last block and are of no kind) are told apart by four ranges
// and two bytes; other bytes take the whole set of classes.
BlockKinds Kinds64(const uint8_t* p) {
  BlockKinds k;
  for (int part = 0; part < 4; ++part) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    __m128i hebrew =
        _mm_or_si128(_mm_or_si128(InRange(x, 0xE0, 0xFA), InRange(x, 0xC0, 0xD6)), InRange(x, 0x81, 0x9B));
    __m128i latin = InRange(_mm_or_si128(x, _mm_set1_epi8(0x20)), 'a', 'z');
    const __m128i common = _mm_or_si128(_mm_or_si128(hebrew, latin), _mm_or_si128(Is(x, ' '), Is(x, 0)));
    if (_mm_movemask_epi8(common) != 0xFFFF) {
      hebrew = _mm_or_si128(hebrew, Is(x, 0xFE));
      latin = _mm_or_si128(latin, _mm_or_si128(InRange(x, 0xD8, 0xDF), InRange(x, 0xFB, 0xFD)));
      latin = _mm_or_si128(latin, _mm_or_si128(_mm_or_si128(Is(x, 0xAA), Is(x, 0xB5)), _mm_or_si128(Is(x, 0xBA), Is(x, 0xFF))));
      __m128i special = _mm_or_si128(InRange(x, '0', '9'), _mm_or_si128(InRange(x, 0xB2, 0xB3), Is(x, 0xB9)));
      special = _mm_or_si128(special, _mm_or_si128(_mm_or_si128(Is(x, '('), Is(x, ')')), _mm_or_si128(Is(x, '<'), Is(x, '>'))));
      special = _mm_or_si128(special, _mm_or_si128(_mm_or_si128(Is(x, '['), Is(x, ']')), _mm_or_si128(Is(x, '{'), Is(x, '}'))));
      special = _mm_or_si128(special, _mm_or_si128(Is(x, 0xAB), Is(x, 0xBB)));
      k.special |= Mask16(special, 16 * part);
    }
    k.hebrew |= Mask16(hebrew, 16 * part);
    k.latin |= Mask16(latin, 16 * part);
  }
  return k;
}
#endif

BlockKinds Kinds(const uint8_t* p, std::size_t m) {
#if defined(__SSE2__)
  if (m == 64) return Kinds64(p);
  // A last, shorter block is read from a copy padded with zero bytes, which
  // are of none of the kinds.
  alignas(16) uint8_t padded[64] = {};
  std::memcpy(padded, p, m);
  return Kinds64(padded);
#else
  return KindsByTable(p, m);
#endif
}

// The kinds of a line's bytes, a block of 64 bytes at a time.
struct LineKinds {
  std::vector<BlockKinds> blocks;
  bool latin = false;
  bool special = false;
};

void ReadKinds(std::span<const uint8_t> line, LineKinds& kinds) {
  kinds.blocks.resize((line.size() + 63) / 64);
  uint64_t latin = 0, special = 0;
  for (std::size_t b = 0; b < kinds.blocks.size(); ++b) {
    const std::size_t base = 64 * b;
    kinds.blocks[b] = Kinds(line.data() + base, std::min<std::size_t>(64, line.size() - base));
    latin |= kinds.blocks[b].latin;
    special |= kinds.blocks[b].special;
  }
  kinds.latin = latin != 0;
  kinds.special = special != 0;
}

// A Hebrew document's turn of a line without digits and brackets: each run
// from the first to the last Latin letter of a stretch without Hebrew is
// reversed; nothing else moves. The runs are found from masks of the line's
// Hebrew bytes and Latin letters, a step per run rather than a branch per
// byte.
void TurnLatinRuns(std::span<uint8_t> line, const LineKinds& kinds, Places p) {
  constexpr std::size_t kNone = ~std::size_t{0};
  std::size_t first = kNone;  // first letter of the run being read
  std::size_t last = 0;       // its last letter so far
  for (std::size_t b = 0; b < kinds.blocks.size(); ++b) {
    const std::size_t base = 64 * b;
    const std::size_t m = std::min<std::size_t>(64, line.size() - base);
    const uint64_t hebrew = kinds.blocks[b].hebrew;
    const uint64_t latin = kinds.blocks[b].latin;
    std::size_t pos = 0;  // bits before it are read
    while (pos < m) {
      const uint64_t ahead = ~uint64_t{0} << pos;
      if (first == kNone) {
        const uint64_t letters = latin & ahead;
        if (letters == 0) break;
        const auto k = static_cast<std::size_t>(std::countr_zero(letters));
        first = last = base + k;
        pos = k + 1;
        continue;
      }
      // In a run: it ends at the next Hebrew byte, at the last letter before.
      const uint64_t stop = hebrew & ahead;
      const uint64_t before = stop == 0 ? ~uint64_t{0} : (stop & -stop) - 1;
      const uint64_t letters = latin & ahead & before;
      if (letters != 0) last = base + 63 - static_cast<std::size_t>(std::countl_zero(letters));
      if (stop == 0) break;
      Reverse(line, first, last + 1, p);
      first = kNone;
      pos = static_cast<std::size_t>(std::countr_zero(stop)) + 1;
    }
  }
  if (first != kNone) Reverse(line, first, last + 1, p);
}

// One way of the reordering, by the runs `line` holds.
void Reorder(bool englishDocument, std::span<uint8_t> line, Scratch& s, Places p) {
  if (englishDocument) {
    EnglishDocument(line, Classes(line, s), s, p);
  } else {
    HebrewDocument(line, s, p);
  }
}

void Turn(bool englishDocument, std::span<uint8_t> line, Places p) {
  if (line.size() < 2) return;
  if (!englishDocument) {
    // A Hebrew document's common line, of words without digits or
    // brackets, is turned from the kinds of its bytes alone (a line without
    // English either reads the same in both orders).
    thread_local LineKinds kinds;
    ReadKinds(line, kinds);
    if (!kinds.special) {
      if (kinds.latin) TurnLatinRuns(line, kinds, p);
      return;
    }
  }
  // Which classes the line holds, and whether it has a bracket, in one pass.
  unsigned present = 0;
  for (uint8_t b : line) present |= kClassBits[b];
  auto holds = [present](Raw c) { return (present & (1u << static_cast<unsigned>(c))) != 0; };
  // An English document turns only Hebrew: a line without it stays as it is.
  // A Hebrew document shows every line right to left, so its English lines
  // are kept reversed like any English typed into it.
  if (englishDocument && !holds(Raw::R)) return;
  // Bracket pairs take the direction of what they enclose or follow.
  if ((present & (1u << 8)) && std::any_of(line.begin(), line.end(), IsPairedBracket)) {
    ReorderWithBrackets(englishDocument, line, std::span<uint32_t>(p.at, p.at ? line.size() : 0));
    return;
  }
  Scratch& s = Buffers();
  // Without separators or signs every byte's class is its own, and without
  // digits nothing joins them, so the turn reads the same reversed runs
  // back: only such joins need the check, and other lines turn in place.
  if (!holds(Raw::EN) || (!holds(Raw::ES) && !holds(Raw::ET) && !holds(Raw::CS))) {
    Reorder(englishDocument, line, s, p);
    return;
  }
  std::vector<uint8_t>& turned = s.turned;
  turned.assign(line.begin(), line.end());
  std::vector<uint32_t>& turnedPlaces = s.turnedPlaces;
  if (p.at) turnedPlaces.assign(p.at, p.at + line.size());
  Reorder(englishDocument, turned, s, {p.at ? turnedPlaces.data() : nullptr});
  if (std::equal(turned.begin(), turned.end(), line.begin(), line.end())) return;
  // A line whose runs come out otherwise when read back (a sign between a
  // number and a letter at the edge of a run) stays as it is, so that the
  // routine always undoes itself.
  std::vector<uint8_t>& back = s.back;
  back.assign(turned.begin(), turned.end());
  Reorder(englishDocument, back, s, {});
  if (std::equal(back.begin(), back.end(), line.begin(), line.end())) {
    std::copy(turned.begin(), turned.end(), line.begin());
    if (p.at) std::copy(turnedPlaces.begin(), turnedPlaces.end(), p.at);
  }
}

}  // namespace

void ReorderAtBorder(bool englishDocument, std::span<uint8_t> line) { Turn(englishDocument, line, {}); }

void ReorderAtBorder(bool englishDocument, std::span<uint8_t> line, std::span<uint32_t> places) {
  Turn(englishDocument, line, {places.data()});
}

}  // namespace nuvel
