#include "core/conv_cp1255_runs.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

#include "core/charset.h"
#include "core/conv_letters.h"
#include "core/point_order.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {
namespace {

// Entries of the composing direction: the table's byte, and above it
// whether the byte is marked for composition (and which mark) or stands
// for a point. A point
// is copied unless the byte before it is a final kaf or a holam; a marked
// byte always takes the composing code.
constexpr uint32_t kMarked = 0x100;
constexpr uint32_t kPointed = 0x200;
// For a marked byte, above these: which mark it is (its row of kMarkActions,
// 4 for a byte that is dropped).
constexpr unsigned kMarkKindShift = 10;

// Entries of the decomposing direction: up to three bytes a byte is written
// as, their count, and whether it takes the composing code after all (a
// holam whose table byte is not a holam, which stays a holam after a shin).
constexpr uint64_t kSpecialBit = 0x80000000u;
// Set unless the byte is written as one byte without a combining class.
constexpr uint64_t kNotSingleBit = uint64_t{1} << 49;

// What was made last from a table and the dot codes, kept with them: a
// conversion pass calls once a paragraph with the same table.
template <typename Value>
struct MadeFromTable {
  ConvTableBytes table{};
  uint8_t shin_dot = 0;
  uint8_t sin_dot = 0;
  bool made = false;
  Value value{};

  bool Holds(const ConvSettings& s) const {
    return made && shin_dot == s.shin_dot && sin_dot == s.sin_dot &&
           std::equal(table.begin(), table.end(), s.table);
  }
  void Keep(const ConvSettings& s) {
    std::copy(s.table, s.table + 256, table.begin());
    shin_dot = s.shin_dot;
    sin_dot = s.sin_dot;
    made = true;
  }
};

const std::array<uint16_t, 256>& ComposeEntries(const ConvSettings& s) {
  thread_local MadeFromTable<std::array<uint16_t, 256>> cache;
  if (cache.Holds(s)) return cache.value;
  const uint8_t* t = s.table;
  for (int b = 0; b < 256; ++b) {
    const uint8_t r = t[b];
    const bool outside = !PassesThroughTable(static_cast<uint8_t>(b));
    const bool marked = outside && r == kComposeMark;
    const unsigned kind = b == kHolam ? 0 : b == kDagesh ? 1 : b == s.shin_dot ? 2 : b == s.sin_dot ? 3 : 4;
    cache.value[b] = static_cast<uint16_t>(r | (marked ? kMarked | (kind << kMarkKindShift) : 0) |
                                           (outside && r != kComposeMark && IsPoint(r) ? kPointed : 0));
  }
  cache.Keep(s);
  return cache.value;
}

// The two longest runs of bytes that the decomposing direction writes as
// themselves, one byte each without a combining class (most of a text:
// Latin letters, digits, blanks and Hebrew letters): sixteen bytes within
// them are copied as they are.
struct SameBytes {
  uint8_t low[2] = {1, 1};
  uint8_t high[2] = {0, 0};  // an empty run: low above high
};

SameBytes SameByteRuns(const std::array<uint64_t, 256>& e) {
  SameBytes runs;
  int lengths[2] = {0, 0};
  for (int b = 0; b < 256;) {
    int end = b;
    while (end < 256 && e[end] == (static_cast<uint64_t>(end) | (uint64_t{1} << 24))) ++end;
    const int length = end - b;
    const int slot = lengths[0] < lengths[1] ? 0 : 1;
    if (length > lengths[slot]) {
      lengths[slot] = length;
      runs.low[slot] = static_cast<uint8_t>(b);
      runs.high[slot] = static_cast<uint8_t>(end - 1);
    }
    b = std::max(end, b + 1);
  }
  // One run alone serves as both.
  for (int slot = 0; slot < 2; ++slot) {
    if (lengths[slot] == 0) {
      runs.low[slot] = runs.low[1 - slot];
      runs.high[slot] = runs.high[1 - slot];
    }
  }
  return runs;
}

struct DecomposeTable {
  std::array<uint64_t, 256> entries{};
  SameBytes same;
};

const DecomposeTable& DecomposeEntries(const ConvSettings& s) {
  thread_local MadeFromTable<DecomposeTable> cache;
  if (cache.Holds(s)) return cache.value;
  const uint8_t* t = s.table;
  for (int i = 0; i < 256; ++i) {
    const auto b = static_cast<uint8_t>(i);
    uint32_t bytes = t[b];
    uint32_t count = 1;
    bool special = b == kHolam && t[b] != kHolam && !(!PassesThroughTable(b) && t[b] == kComposeMark);
    if (!PassesThroughTable(b) && t[b] == kComposeMark) {
      const auto parts = PointedLetterParts(b);
      if (parts.empty()) {
        bytes = b;
      } else {
        bytes = 0;
        count = static_cast<uint32_t>(parts.size());
        for (std::size_t j = 0; j < parts.size(); ++j) bytes |= uint32_t{t[parts[j]]} << (8 * j);
      }
    }
    const bool single = count == 1 && PointCombiningClass(static_cast<uint8_t>(bytes)) == 0 && !special;
    cache.value.entries[i] = uint64_t{bytes} | (uint64_t{count} << 24) | (special ? kSpecialBit : 0) |
                             (single ? 0 : kNotSingleBit);
  }
  cache.value.same = SameByteRuns(cache.value.entries);
  cache.Keep(s);
  return cache.value;
}

// What a holam (0), dagesh (1), shin dot (2) or sin dot (3) does after a
// byte that is not a vowel: replaces that byte, appends a byte, or nothing.
constexpr uint16_t kReplace = 0;
constexpr uint16_t kAppend = 1;
constexpr uint16_t kNothing = 2;
constexpr std::array<std::array<uint16_t, 256>, 4> kMarkActions = [] {
  auto act = [](uint16_t what, uint8_t value) { return static_cast<uint16_t>((what << 8) | value); };
  std::array<std::array<uint16_t, 256>, 4> a{};
  for (int i = 0; i < 256; ++i) {
    const auto x = static_cast<uint8_t>(i);
    a[0][i] = x == kVav     ? act(kReplace, 0x8D)
              : x == kLamed ? act(kReplace, 0x8F)
              : x == 0x8C   ? act(kReplace, 0x93)  // lamed with dagesh
                            : act(kAppend, kHolam);
    a[1][i] = HasDageshForm(x) ? act(kReplace, static_cast<uint8_t>(x - 0x60))
              : x == 0x8F      ? act(kReplace, 0x93)  // lamed with holam
              : x == 0x95      ? act(kReplace, 0x98)  // shin with shin dot
              : x == 0x9B      ? act(kReplace, 0x99)  // shin with sin dot
                               : act(kAppend, kDagesh);
    a[2][i] = x == kShin ? act(kReplace, 0x95) : x == 0x99 ? act(kReplace, 0x98) : act(kAppend, kShinDot);
    // Shin with dagesh already carries the sin dot.
    a[3][i] = x == kShin ? act(kReplace, 0x9B) : x == 0x99 ? act(kNothing, 0) : act(kAppend, kHolam);
  }
  return a;
}();

}  // namespace

namespace {

// The composing code for one byte `b` after the `k` bytes written at `o`;
// answers the new count.
std::size_t ComposeByte(const ConvSettings& s, uint8_t b, uint8_t* o, std::size_t k) {
  const uint8_t r = s.table[b];
  if (PassesThroughTable(b) || (r != kComposeMark && !IsPoint(r))) {
    o[k++] = r;
    return k;
  }
  if (r == kComposeMark) {
    const int kind = b == kHolam ? 0 : b == kDagesh ? 1 : b == s.shin_dot ? 2 : b == s.sin_dot ? 3 : 4;
    // Any other marked byte is dropped.
    if (kind == 4) return k;
    // A holam acts on the byte before it; a dagesh or dot on its letter:
    // the last byte before the vowels that end the output.
    std::size_t at = k;
    if (kind != 0) {
      while (at > 0 && IsVowelBetween(o[at - 1])) --at;
    }
    const uint16_t act = kMarkActions[static_cast<std::size_t>(kind)][at > 0 ? o[at - 1] : 0];
    const uint8_t value = static_cast<uint8_t>(act);
    if ((act >> 8) == kReplace && at > 0) {
      o[at - 1] = value;
    } else if ((act >> 8) != kNothing) {
      o[k++] = value;
    }
    return k;
  }
  // A point after a final kaf or a holam.
  uint8_t* prev = k > 0 ? &o[k - 1] : nullptr;
  if ((r == kSheva || r == kQamats) && prev && *prev == kFinalKaf) {
    *prev = r == kSheva ? 0x87 : 0x92;
  } else if (prev && *prev == kHolam) {
    // Holam goes after the other points.
    *prev = r;
    o[k++] = kHolam;
  } else {
    o[k++] = r;
  }
  return k;
}

// Reading pointed text by the state of its letter. A dagesh or dot acts on
// the letter (the last byte written that is not a vowel) and a holam right
// after it on that letter too; in ordinary text each replaces the letter by
// its pointed form. The letter then follows from the byte it was written as
// and the set of marks met since, and that state changes by two operations
// on a register for every byte: a letter sets it, a vowel counts itself,
// a mark adds itself. So the loop runs with no branch
// on the bytes and no chain of look-ups from byte to byte: each byte is
// written, and the letter written again, from tables. What the state does
// not tell (a mark that would be written, or met twice; a holam after a
// vowel; a point after a final kaf; a fourth vowel; a holam written)
// stops the loop, and
// that byte takes the composing code.
//
// State bits: the letter's byte as written, how many vowels followed it
// (up to 3), and the marks met (holam, dagesh, shin dot, sin dot: rows of
// kMarkActions).
constexpr unsigned kVowelCountShift = 8;
constexpr uint32_t kOneVowel = 1u << kVowelCountShift;
constexpr unsigned kMarkSetShift = 10;
constexpr std::size_t kLetterStates = std::size_t{1} << 14;
// What a byte is, for what stops the loop: a mark (bits 0-3 by its row), a
// point that composes after a final kaf, a vowel (stops after three), or a
// byte that always stops it.
constexpr uint8_t kPointAfterKaf = 0x10;
constexpr uint8_t kVowelAfterThree = 0x20;
constexpr uint8_t kAlwaysStops = 0x40;

struct LetterStep {
  uint16_t keep;   // the state bits it keeps
  uint16_t add;    // and what it adds to them
  uint8_t byte;    // what it writes
  uint8_t length;  // 1 if it writes, 0 for a mark
  uint8_t what;    // its kind, as above
};

struct LetterStates {
  std::array<LetterStep, 256> steps{};
  // By state: the letter, and above it how far before the end it stands.
  std::array<uint16_t, kLetterStates> place{};
  std::array<uint8_t, kLetterStates> stops{};   // the kinds of byte that stop the loop, by state
};

// The letter `first` becomes by the marks in `marks` (bits by row of
// kMarkActions), in every order; none when some order gives another byte or
// writes a mark instead of replacing the letter.
std::optional<uint8_t> LetterWithMarks(uint8_t first, unsigned marks) {
  std::array<unsigned, 4> rows{};
  unsigned count = 0;
  for (unsigned m = 0; m < 4; ++m) {
    if (marks & (1u << m)) rows[count++] = m;
  }
  std::optional<uint8_t> got;
  do {
    uint8_t letter = first;
    for (unsigned j = 0; j < count; ++j) {
      const uint16_t act = kMarkActions[rows[j]][letter];
      if ((act >> 8) == kAppend) return std::nullopt;
      if ((act >> 8) == kReplace) letter = static_cast<uint8_t>(act);
    }
    if (got && *got != letter) return std::nullopt;
    got = letter;
  } while (std::next_permutation(rows.begin(), rows.begin() + count));
  return got;
}

const LetterStates& LetterStateEntries(const ConvSettings& s, const std::array<uint16_t, 256>& e) {
  thread_local std::unique_ptr<MadeFromTable<LetterStates>> cache;
  if (!cache) cache = std::make_unique<MadeFromTable<LetterStates>>();
  if (cache->Holds(s)) return cache->value;
  LetterStates& l = cache->value;
  constexpr uint16_t kAll = kLetterStates - 1;
  for (int b = 0; b < 256; ++b) {
    const uint16_t a = e[b];
    LetterStep& step = l.steps[b];
    if (a & kMarked) {
      const unsigned kind = (a >> kMarkKindShift) & 7;
      step = {kAll, static_cast<uint16_t>(kind < 4 ? 1u << (kMarkSetShift + kind) : 0), 0, 0,
              static_cast<uint8_t>(kind < 4 ? 1u << kind : 0)};
      continue;
    }
    const auto r = static_cast<uint8_t>(a);
    const bool vowel = IsVowelBetween(r);
    step.keep = vowel ? kAll : 0;
    step.add = vowel ? static_cast<uint16_t>(kOneVowel) : r;
    step.byte = r;
    step.length = 1;
    step.what = static_cast<uint8_t>((r == kHolam ? kAlwaysStops : 0) | ((a & kPointed) ? kPointAfterKaf : 0) |
                                     (vowel ? kVowelAfterThree : 0));
  }
  for (std::size_t state = 0; state < kLetterStates; ++state) {
    const auto first = static_cast<uint8_t>(state);
    const auto vowels = static_cast<unsigned>((state >> kVowelCountShift) & 3);
    const auto marks = static_cast<unsigned>(state >> kMarkSetShift);
    const std::optional<uint8_t> letter = LetterWithMarks(first, marks);
    l.place[state] = static_cast<uint16_t>(letter.value_or(0) | ((vowels + 1) << 8));
    uint8_t stops = kAlwaysStops | (vowels == 3 ? kVowelAfterThree : 0);
    for (unsigned m = 0; m < 4; ++m) {
      const bool bad = (marks & (1u << m)) || (m == 0 && vowels != 0) || !LetterWithMarks(first, marks | (1u << m));
      if (bad) stops |= static_cast<uint8_t>(1u << m);
    }
    if (vowels == 0 && letter == kFinalKaf) stops |= kPointAfterKaf;
    l.stops[state] = stops;
  }
  cache->Keep(s);
  return l;
}

struct Read {
  std::size_t in;   // the next byte to read
  std::size_t out;  // the bytes written
};

// Reads from p[i] on by letter states; answers where it stopped (at a byte
// for the composing code, or at `n`) and the bytes written. It never writes
// past the place of the byte it reads, so it may read in place.
Read ReadByLetterStates(const LetterStates& l, const uint8_t* p, std::size_t i, std::size_t n, uint8_t* o,
                        std::size_t k) {
  // The letter: the last byte before the vowels that end the output. None,
  // or a holam last (a point after it goes before it): not now.
  std::size_t at = k;
  while (at > 0 && IsVowelBetween(o[at - 1])) --at;
  if (at == 0 || o[k - 1] == kHolam) return {i, k};
  if (k - at > 3) return {i, k};
  uint32_t state = o[at - 1] | static_cast<uint32_t>((k - at) << kVowelCountShift);
  // One byte: false when it must take the composing code.
  auto read = [&](uint8_t b) {
    const LetterStep& step = l.steps[b];
    if (l.stops[state] & step.what) return false;
    state = (state & step.keep) + step.add;
    o[k] = step.byte;
    k += step.length;
    const uint16_t place = l.place[state];
    o[k - (place >> 8)] = static_cast<uint8_t>(place);
    return true;
  };
  for (; i + 2 <= n; i += 2) {
    if (!read(p[i])) return {i, k};
    if (!read(p[i + 1])) return {i + 1, k};
  }
  if (i < n && read(p[i])) ++i;
  return {i, k};
}

}  // namespace

std::size_t ComposeCp1255Runs(const ConvSettings& s, const uint8_t* p, std::size_t n, uint8_t* o, std::size_t k) {
  const std::array<uint16_t, 256>& e = ComposeEntries(s);
  // The bytes before which a point takes the composing code, as the kPointed bit.
  static constexpr std::array<uint16_t, 256> before = [] {
    std::array<uint16_t, 256> b{};
    b[kFinalKaf] = kPointed;
    b[kHolam] = kPointed;
    return b;
  }();
  // Byte by byte while the text has no points: a byte written before the
  // input, or none (no point composes with it then).
  uint8_t last = k > 0 ? o[k - 1] : 0;
  std::size_t i = 0;
  for (; i < n; ++i) {
    const uint8_t b = p[i];
    const uint32_t a = e[b];
    if (((a & kMarked) | (a & before[last])) != 0) break;
    o[k++] = static_cast<uint8_t>(a);
    last = static_cast<uint8_t>(a);
  }
  // Text with points: by letter states.
  if (i < n) {
    const LetterStates& l = LetterStateEntries(s, e);
    for (;;) {
      k = ComposeByte(s, p[i++], o, k);
      const Read read = ReadByLetterStates(l, p, i, n, o, k);
      i = read.in;
      k = read.out;
      if (i == n) break;
    }
  }
  return k;
}

void ComposeCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  // Composition never writes more bytes than it reads.
  const std::size_t k = out.size();
  out.resize(k + in.size());
  out.resize(ComposeCp1255Runs(s, in.data(), in.size(), out.data(), k));
}

namespace {

// Puts `x` after the `k` bytes written at `o` as the savers' one pass does:
// a point goes back among the points before it into Unicode's canonical
// order.
void PutInCanonicalPlace(uint8_t* o, std::size_t& k, uint8_t x) {
  const uint8_t c = PointCombiningClass(x);
  std::size_t j = k;
  if (c != 0) {
    while (j > 0 && PointCombiningClass(o[j - 1]) > c) {
      o[j] = o[j - 1];
      --j;
    }
  }
  o[j] = x;
  ++k;
}

// The savers' one pass by pairs of bytes. Most bytes are a base (written
// as bytes the first of which has no combining class) or a point (written
// as one byte with a class); a point right after a base is written together
// with it. What a base and the point after it give never depends on the
// bytes written before the base (its first byte stops every point that goes
// back), so one table holds it for every base and point: a byte is then
// written by one look-up, with no branch on what it is. Anything else (a
// point after a point, a byte the table leaves to the composing code) stops
// the pairs and is put byte by byte.
struct WritePair {
  uint8_t bytes[4];  // written 4 at a time; `length` count
  uint8_t length;
  uint8_t flags;
};
constexpr uint8_t kPairStops = 1;     // put byte by byte instead
constexpr uint8_t kPairAbsorbed = 2;  // a point: written with the base before it
// A point's column: its byte less this (1-19); column 0 when no point follows.
constexpr uint8_t kPointColumnBase = 0xBF;
constexpr std::size_t kPairColumns = 32;

struct WritePairs {
  std::array<WritePair, 256 * kPairColumns> pairs{};  // by byte and the column of the byte after it
  std::array<uint8_t, 256> column{};                   // 0 unless the byte is a point
  std::array<uint8_t, 256> notBase{};                  // kPairAbsorbed unless the byte is a base
};

// The one pass of `parts` (and `point`, when not 0) after a byte without a
// combining class.
std::vector<uint8_t> PutAlone(std::span<const uint8_t> parts, uint8_t point) {
  uint8_t o[8] = {0};
  std::size_t k = 1;
  for (uint8_t x : parts) PutInCanonicalPlace(o, k, x);
  if (point != 0) PutInCanonicalPlace(o, k, point);
  return std::vector<uint8_t>(o + 1, o + k);
}

const WritePairs& WritePairEntries(const ConvSettings& s, const std::array<uint64_t, 256>& e) {
  thread_local std::unique_ptr<MadeFromTable<WritePairs>> cache;
  if (!cache) cache = std::make_unique<MadeFromTable<WritePairs>>();
  if (cache->Holds(s)) return cache->value;
  WritePairs& w = cache->value;
  enum Kind : uint8_t { kBase, kPoint, kOther };
  std::array<Kind, 256> kind{};
  std::array<std::array<uint8_t, 3>, 256> parts{};
  for (int b = 0; b < 256; ++b) {
    const uint64_t a = e[b];
    const auto count = static_cast<uint32_t>((a >> 24) & 3);
    for (uint32_t j = 0; j < 3; ++j) parts[b][j] = static_cast<uint8_t>(a >> (8 * j));
    const uint8_t first = PointCombiningClass(parts[b][0]);
    kind[b] = (a & kSpecialBit) ? kOther : first == 0 ? kBase : count == 1 ? kPoint : kOther;
    w.column[b] = kind[b] == kPoint ? static_cast<uint8_t>(parts[b][0] - kPointColumnBase) : 0;
    w.notBase[b] = kind[b] == kBase ? 0 : kPairAbsorbed;
  }
  for (int b = 0; b < 256; ++b) {
    const auto count = static_cast<std::size_t>((e[b] >> 24) & 3);
    for (std::size_t c = 0; c < kPairColumns; ++c) {
      WritePair& pair = w.pairs[b * kPairColumns + c];
      pair = WritePair{};
      if (kind[b] == kPoint) {
        pair.flags = kPairAbsorbed;
        continue;
      }
      const auto point = static_cast<uint8_t>(c == 0 ? 0 : c + kPointColumnBase);
      const std::vector<uint8_t> got =
          kind[b] == kBase && (c == 0 || PointCombiningClass(point) != 0)
              ? PutAlone(std::span<const uint8_t>(parts[b].data(), count), point)
              : std::vector<uint8_t>{};
      if (got.empty()) {
        pair.flags = kPairStops;
        continue;
      }
      std::copy(got.begin(), got.end(), pair.bytes);
      pair.length = static_cast<uint8_t>(got.size());
    }
  }
  cache->Keep(s);
  return w;
}

// Writes positions `i` to `lim` - 1 by pairs (reading up to p[lim]) and
// answers where it stopped: at a byte that must be put byte by byte, or
// past `lim` when p[lim] was written with the base before it. Room for 4
// bytes per position is taken at `o + k`.
std::size_t WriteByPairs(const WritePairs& w, const uint8_t* p, std::size_t i, std::size_t lim, uint8_t* o,
                         std::size_t& k) {
  const std::size_t start = i;
  std::size_t at = k;
  // A point at the start has no base written with it.
  uint8_t prevNotBase = kPairAbsorbed;
  for (; i < lim; ++i) {
    const WritePair& pair = w.pairs[p[i] * kPairColumns + w.column[p[i + 1]]];
    if (pair.flags & (kPairStops | prevNotBase)) break;
    std::memcpy(o + at, pair.bytes, 4);
    at += pair.length;
    prevNotBase = w.notBase[p[i]];
  }
  k = at;
  if (i == lim && i > start && prevNotBase == 0 && w.column[p[i]] != 0) ++i;
  return i;
}

// Decomposition; with `Ordered`, each byte written is also put into
// Unicode's canonical order among the points before it. Done byte by byte
// as they are written this gives what a pass over the whole output gives,
// since bytes without a combining class never move.
template <bool Ordered>
void Decompose(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  const uint8_t* t = s.table;
  const DecomposeTable& table = DecomposeEntries(s);
  const std::array<uint64_t, 256>& e = table.entries;
  const WritePairs* pairs = Ordered ? &WritePairEntries(s, e) : nullptr;
#if defined(__SSE2__)
  const SameBytes& same = table.same;
  // A byte within [low, high] as 0xFF: the byte less `low` is at most high - low.
  const __m128i low0 = _mm_set1_epi8(static_cast<char>(same.low[0]));
  const __m128i span0 = _mm_set1_epi8(static_cast<char>(same.high[0] - same.low[0]));
  const __m128i low1 = _mm_set1_epi8(static_cast<char>(same.low[1]));
  const __m128i span1 = _mm_set1_epi8(static_cast<char>(same.high[1] - same.low[1]));
  const bool copies = same.low[0] <= same.high[0];
#endif
  const uint8_t shin = t[kShin];
  const uint8_t* p = in.data();
  const std::size_t n = in.size();
  // Room is made a chunk at a time: a byte writes at most three, and pairs
  // are written 4 bytes at a time.
  constexpr std::size_t kChunk = 4096;
  auto room = [&](std::size_t from) { return 3 * std::min(kChunk, n - from) + 4; };
  std::size_t k = out.size();
  out.resize(k + n + room(0));
  uint8_t* o = out.data();
  auto put = [&](uint8_t x) {
    if constexpr (Ordered) {
      PutInCanonicalPlace(o, k, x);
    } else {
      o[k++] = x;
    }
  };
  std::size_t i = 0;
  while (i < n) {
    if (out.size() - k < room(i)) out.resize(std::max(out.size() + out.size() / 2, k + room(i) + (n - i)));
    o = out.data();
    const std::size_t stop = std::min(n, i + kChunk);
    // Eight at a time while each is one byte without a class; sixteen
    // written as they are at a time while they are.
    while (i + 8 <= stop) {
#if defined(__SSE2__)
      if (copies && i + 16 <= stop) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i a = _mm_sub_epi8(x, low0), b = _mm_sub_epi8(x, low1);
        const __m128i in = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(a, span0), a),
                                        _mm_cmpeq_epi8(_mm_min_epu8(b, span1), b));
        if (_mm_movemask_epi8(in) == 0xFFFF) {
          _mm_storeu_si128(reinterpret_cast<__m128i*>(o + k), x);
          k += 16;
          i += 16;
          continue;
        }
      }
#endif
      const uint64_t a[8] = {e[p[i]],     e[p[i + 1]], e[p[i + 2]], e[p[i + 3]],
                             e[p[i + 4]], e[p[i + 5]], e[p[i + 6]], e[p[i + 7]]};
      if ((a[0] | a[1] | a[2] | a[3] | a[4] | a[5] | a[6] | a[7]) & kNotSingleBit) break;
      const uint8_t bytes[8] = {static_cast<uint8_t>(a[0]), static_cast<uint8_t>(a[1]), static_cast<uint8_t>(a[2]),
                                static_cast<uint8_t>(a[3]), static_cast<uint8_t>(a[4]), static_cast<uint8_t>(a[5]),
                                static_cast<uint8_t>(a[6]), static_cast<uint8_t>(a[7])};
      std::memcpy(o + k, bytes, 8);
      k += 8;
      i += 8;
    }
    if constexpr (Ordered) {
      if (i + 1 < stop) i = WriteByPairs(*pairs, p, i, stop - 1, o, k);
    } else {
      while (i < stop) {
        const uint64_t a = e[p[i]];
        if (a & kSpecialBit) break;
        o[k] = static_cast<uint8_t>(a);
        o[k + 1] = static_cast<uint8_t>(a >> 8);
        o[k + 2] = static_cast<uint8_t>(a >> 16);
        k += (a >> 24) & 3;
        ++i;
      }
    }
    if (i == stop) continue;
    const uint64_t a = e[p[i]];
    const uint8_t b = p[i++];
    if (!(a & kSpecialBit)) {
      // Bytes with points: each put in its place.
      const auto count = static_cast<uint32_t>((a >> 24) & 3);
      for (uint32_t j = 0; j < count; ++j) put(static_cast<uint8_t>(a >> (8 * j)));
      continue;
    }
    // A holam right after a shin stays a holam whatever the table says.
    const bool afterShin = k > 0 && o[k - 1] == shin;
    put(afterShin ? kHolam : t[b]);
  }
  out.resize(k);
}

}  // namespace

void DecomposeCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  Decompose<false>(s, in, out);
}

void WriteCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  out.clear();
  Decompose<true>(s, in, out);
}

}  // namespace nuvel
