#include "core/conv_cp1255_runs.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/charset.h"
#include "core/conv_letters.h"
#include "core/point_order.h"

namespace nuvel {
namespace {

// Entries of the composing direction: the table's byte, and above it
// whether the byte is marked for composition or stands for a point. A point
// is copied unless the byte before it is a final kaf or a holam; a marked
// byte always takes the composing code.
constexpr uint32_t kMarked = 0x100;
constexpr uint32_t kPointed = 0x200;

// Entries of the decomposing direction: up to three bytes a byte is written
// as, their count, and whether it takes the composing code after all (a
// shin with dagesh and sin dot, which looks ahead; a holam whose table byte
// is not a holam, which stays a holam after a shin).
// For the savers' one pass, the combining class of the first and of the
// last byte it is written as, and whether it must be put byte by byte
// (it holds a holam, which may move after a shin, or its own points are
// out of canonical order).
constexpr uint64_t kSpecialBit = 0x80000000u;
constexpr uint64_t kPutBit = uint64_t{1} << 48;
// Set unless the byte is written as one byte without a combining class.
constexpr uint64_t kNotSingleBit = uint64_t{1} << 49;
constexpr unsigned kFirstClassShift = 32;
constexpr unsigned kLastClassShift = 40;

// The entries made last, kept with the table and dot codes they were made
// from: a conversion pass calls once a paragraph with the same table.
template <typename Entry>
struct EntryCache {
  ConvTableBytes table{};
  uint8_t shin_dot = 0;
  uint8_t sin_dot = 0;
  bool made = false;
  std::array<Entry, 256> entries{};

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
  thread_local EntryCache<uint16_t> cache;
  if (cache.Holds(s)) return cache.entries;
  const uint8_t* t = s.table;
  for (int b = 0; b < 256; ++b) {
    const uint8_t r = t[b];
    const bool outside = !PassesThroughTable(static_cast<uint8_t>(b));
    cache.entries[b] = static_cast<uint16_t>(r | (outside && r == kComposeMark ? kMarked : 0) |
                                             (outside && r != kComposeMark && IsPoint(r) ? kPointed : 0));
  }
  cache.Keep(s);
  return cache.entries;
}

const std::array<uint64_t, 256>& DecomposeEntries(const ConvSettings& s) {
  thread_local EntryCache<uint64_t> cache;
  if (cache.Holds(s)) return cache.entries;
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
        special = b == 0x99;
      }
    }
    bool put = false;
    uint8_t previous = 0;
    for (uint32_t j = 0; j < count; ++j) {
      const auto x = static_cast<uint8_t>(bytes >> (8 * j));
      const uint8_t c = PointCombiningClass(x);
      put = put || x == kHolam || (j > 0 && c != 0 && previous > c);
      previous = c;
    }
    const uint8_t first = PointCombiningClass(static_cast<uint8_t>(bytes));
    const bool single = count == 1 && first == 0 && !special && !put;
    cache.entries[i] = uint64_t{bytes} | (uint64_t{count} << 24) | (special ? kSpecialBit : 0) | (put ? kPutBit : 0) |
                       (uint64_t{first} << kFirstClassShift) | (uint64_t{previous} << kLastClassShift) |
                       (single ? 0 : kNotSingleBit);
  }
  cache.Keep(s);
  return cache.entries;
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

std::size_t ComposeCp1255Runs(const ConvSettings& s, const uint8_t* p, std::size_t n, uint8_t* o, std::size_t k) {
  const uint8_t* t = s.table;
  const std::array<uint16_t, 256>& e = ComposeEntries(s);
  // The bytes before which a point takes the composing code, as the kPointed bit.
  static constexpr std::array<uint16_t, 256> before = [] {
    std::array<uint16_t, 256> b{};
    b[kFinalKaf] = kPointed;
    b[kHolam] = kPointed;
    return b;
  }();
  // A byte written before the input, or none: no point composes with it then.
  uint8_t last = k > 0 ? o[k - 1] : 0;
  for (std::size_t i = 0; i < n; ++i) {
    const uint8_t b = p[i];
    const uint32_t a = e[b];
    if (((a & kMarked) | (a & before[last])) == 0) {
      o[k++] = static_cast<uint8_t>(a);
      last = static_cast<uint8_t>(a);
      continue;
    }
    const uint8_t r = t[b];
    if (r == kComposeMark) {
      const int kind = b == kHolam ? 0 : b == kDagesh ? 1 : b == s.shin_dot ? 2 : b == s.sin_dot ? 3 : 4;
      if (kind != 4) {
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
      }
      // Any other marked byte is dropped.
      last = k > 0 ? o[k - 1] : 0;
      continue;
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
    last = k > 0 ? o[k - 1] : 0;
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

// Decomposition; with `Ordered`, each byte written also takes the savers'
// two passes at once: a holam after a shin and a point becomes that point
// with the sin dot before it, and a point is put into Unicode's canonical
// order among the points before it. Done byte by byte as they are written
// this gives what the passes over the whole output give: bytes without a
// combining class never move, so the shin two bytes back and the single
// point between are the bytes the whole-output pass would see.
template <bool Ordered>
void Decompose(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  const uint8_t* t = s.table;
  const std::array<uint64_t, 256>& e = DecomposeEntries(s);
  const uint64_t slow = Ordered ? (kSpecialBit | kPutBit) : kSpecialBit;
  const uint8_t shin = t[kShin];
  const uint8_t* p = in.data();
  const std::size_t n = in.size();
  // Input positions a shin with dagesh and sin dot took out: the holam after
  // its next point. Ascending; `nextRemoved` is the first not yet passed.
  std::vector<std::size_t> removed;
  std::size_t passed = 0;
  constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  std::size_t nextRemoved = kNone;
  auto isRemoved = [&](std::size_t j) { return std::binary_search(removed.begin(), removed.end(), j); };
  auto live = [&](std::size_t j) {
    while (isRemoved(j)) ++j;
    return j;
  };
  // Room is made a chunk at a time: a byte writes at most three.
  constexpr std::size_t kChunk = 4096;
  auto room = [&](std::size_t from) { return 3 * std::min(kChunk, n - from) + 3; };
  std::size_t k = out.size();
  out.resize(k + n + room(0));
  uint8_t* o = out.data();
  auto put = [&](uint8_t x) {
    if constexpr (Ordered) {
      if (x == kHolam && k >= 2 && o[k - 2] == kShin && IsPoint(o[k - 1])) {
        x = o[k - 1];
        o[k - 1] = s.sin_dot;
      }
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
    } else {
      o[k++] = x;
    }
  };
  std::size_t i = 0;
  while (i < n) {
    if (out.size() - k < room(i)) out.resize(std::max(out.size() + out.size() / 2, k + room(i) + (n - i)));
    o = out.data();
    const std::size_t stop = std::min({n, nextRemoved, i + kChunk});
    // The class of the last byte written: a point whose class is below it
    // goes back among the points before it.
    uint64_t lastClass = k > 0 ? PointCombiningClass(o[k - 1]) : 0;
    // Eight at a time while each is one byte without a class.
    while (i + 8 <= stop) {
      uint64_t all = 0;
      for (int j = 0; j < 8; ++j) all |= e[p[i + j]];
      if (all & kNotSingleBit) break;
      for (int j = 0; j < 8; ++j) o[k + j] = static_cast<uint8_t>(e[p[i + j]]);
      k += 8;
      i += 8;
      lastClass = 0;
    }
    while (i < stop) {
      const uint64_t a = e[p[i]];
      if constexpr (Ordered) {
        const uint64_t first = (a >> kFirstClassShift) & 0xFF;
        if ((a & slow) != 0 || (first != 0 && lastClass > first)) break;
        lastClass = (a >> kLastClassShift) & 0xFF;
      } else {
        if (a & slow) break;
      }
      o[k] = static_cast<uint8_t>(a);
      o[k + 1] = static_cast<uint8_t>(a >> 8);
      o[k + 2] = static_cast<uint8_t>(a >> 16);
      k += (a >> 24) & 3;
      ++i;
    }
    if (i == n) break;
    if (i == nextRemoved) {
      ++i;
      ++passed;
      nextRemoved = passed < removed.size() ? removed[passed] : kNone;
      continue;
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
    if (b != 0x99) {
      // A holam right after a shin stays a holam whatever the table says.
      const bool afterShin = k > 0 && o[k - 1] == shin;
      put(afterShin ? kHolam : t[b]);
      continue;
    }
    for (uint8_t part : PointedLetterParts(b)) put(t[part]);
    // Shin with dagesh and sin dot, then a point and a holam: the holam that
    // stood for the sin dot goes.
    const std::size_t next = live(i);
    const std::size_t after = live(next + 1);
    if (after < n && IsPoint(t[p[next]]) && t[p[after]] == kHolam) {
      removed.insert(std::upper_bound(removed.begin(), removed.end(), after), after);
      nextRemoved = removed[passed];
    }
  }
  out.resize(k);
}

}  // namespace

void DecomposeCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  Decompose<false>(s, in, out);
}

void WriteCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  out.clear();
  // A shin written as a byte with a combining class could move, and the
  // holam after it would no longer see it: the passes then go one by one.
  if (PointCombiningClass(s.table[kShin]) != 0) {
    Decompose<false>(s, in, out);
    MoveHolamOfShin(out, s.sin_dot);
    PutPointsInCanonicalOrder(out);
    return;
  }
  Decompose<true>(s, in, out);
}

}  // namespace nuvel
