#include "core/border_order_brackets.h"

#include <algorithm>
#include <vector>

#include "core/border_classes.h"
#include "core/bracket_pairs.h"

namespace nuvel {
namespace {

using border::Dir;

// Strong directions as rule N0 reads them.
enum Strong : uint8_t { kNone, kLeft, kRight };

struct Scratch {
  std::vector<border::Raw> raw;
  std::vector<Dir> d;
  std::vector<uint8_t> strong;       // by byte, before the brackets are resolved
  std::vector<uint32_t> strongBefore;  // the last strong byte before each position, plus one (0: none)
  std::vector<uint32_t> countE, countO;  // strong bytes of each direction before each position
  std::vector<uint8_t> bracket;      // what each paired bracket resolved to
  std::vector<TBracketPair> pairs;
  std::vector<TBracketPair> open;    // pairs around the one being resolved
  std::vector<uint8_t> level;
  // Lines of the turn's steps.
  std::vector<uint8_t> t, tt, before, a, b;
  // Where the bytes of a turn came from, and places moved with them.
  std::vector<uint32_t> from, moved;
};

Scratch& Buffers() {
  thread_local Scratch s;
  return s;
}

// The level of every byte: 0 left to right in an English document, 1 right
// to left, 2 left to right inside a right-to-left run. The runs follow the
// rules of the plain turn (see core/border_order.h), with brackets whose
// pair rule N0 resolves taking part: a pair resolved right to left as
// Hebrew, one resolved left to right as a Latin letter.
void Levels(bool english, std::span<const uint8_t> line, Scratch& s) {
  const std::size_t n = line.size();
  border::LineClasses(line, s.raw, s.d);
  const std::vector<Dir>& d = s.d;
  const uint8_t e = english ? kLeft : kRight;
  const uint8_t o = english ? kRight : kLeft;
  // A digit counts as Latin after a Latin letter (or at the start of an
  // English line), else as Hebrew.
  s.strong.resize(n);
  s.strongBefore.resize(n + 1);
  s.countE.resize(n + 1);
  s.countO.resize(n + 1);
  uint8_t last = e;
  uint32_t lastAt = 0;
  s.countE[0] = s.countO[0] = 0;
  for (std::size_t i = 0; i < n; ++i) {
    uint8_t st = kNone;
    switch (d[i]) {
      case Dir::Hebrew: st = last = kRight; break;
      case Dir::Latin: st = last = kLeft; break;
      case Dir::Number: st = last == kLeft ? kLeft : kRight; break;
      case Dir::Neutral: break;
    }
    s.strong[i] = st;
    s.strongBefore[i] = lastAt;
    if (st != kNone) lastAt = static_cast<uint32_t>(i + 1);
    s.countE[i + 1] = s.countE[i] + (st == e ? 1 : 0);
    s.countO[i + 1] = s.countO[i] + (st == o ? 1 : 0);
  }
  // Rule N0, pair by pair in the order of their opening brackets: a pair
  // that encloses the document's direction takes it; one that encloses only
  // the other takes the other when the text before it has it.
  FindBracketPairs(line, s.pairs);
  s.bracket.assign(n, kNone);
  s.open.clear();
  uint32_t lastResolved = 0;  // the last resolved bracket before the pair at hand, plus one
  for (const TBracketPair& p : s.pairs) {
    while (!s.open.empty() && s.open.back().close < p.open) {
      if (s.bracket[s.open.back().close] != kNone) lastResolved = std::max(lastResolved, s.open.back().close + 1);
      s.open.pop_back();
    }
    s.open.push_back(p);
    uint8_t dir = kNone;
    if (s.countE[p.close] != s.countE[p.open + 1]) {
      dir = e;
    } else if (s.countO[p.close] != s.countO[p.open + 1]) {
      const uint32_t before = std::max(s.strongBefore[p.open], lastResolved);
      const uint8_t context = before == 0 ? e : s.bracket[before - 1] != kNone ? s.bracket[before - 1] : s.strong[before - 1];
      dir = context == o ? o : e;
    }
    if (dir == kNone) continue;
    s.bracket[p.open] = s.bracket[p.close] = dir;
    lastResolved = p.open + 1;
  }
  s.level.assign(n, english ? 0 : 1);
  std::size_t i = 0;
  if (english) {
    // Stretches without Latin letters: from the first Hebrew to the last,
    // right to left, its numbers left to right.
    auto latin = [&](std::size_t k) { return d[k] == Dir::Latin || s.bracket[k] == kLeft; };
    auto hebrew = [&](std::size_t k) { return d[k] == Dir::Hebrew || s.bracket[k] == kRight; };
    while (i < n) {
      if (latin(i)) {
        ++i;
        continue;
      }
      std::size_t end = i, first = n, lastHebrew = 0;
      for (; end < n && !latin(end); ++end) {
        if (hebrew(end)) {
          first = std::min(first, end);
          lastHebrew = end + 1;
        }
      }
      for (std::size_t k = first; k < lastHebrew; ++k) s.level[k] = d[k] == Dir::Number ? 2 : 1;
      i = end;
    }
    return;
  }
  // Stretches without Hebrew: one that holds a Latin letter is left to
  // right from its first letter or digit to its last; in one without, each
  // number is.
  auto hebrew = [&](std::size_t k) { return d[k] == Dir::Hebrew || s.bracket[k] == kRight; };
  while (i < n) {
    if (hebrew(i)) {
      ++i;
      continue;
    }
    std::size_t end = i, first = n, lastStrong = 0;
    bool latin = false;
    for (; end < n && !hebrew(end); ++end) {
      const bool leftBracket = s.bracket[end] == kLeft;
      latin = latin || d[end] == Dir::Latin || leftBracket;
      if (d[end] != Dir::Neutral || leftBracket) {
        first = std::min(first, end);
        lastStrong = end + 1;
      }
    }
    for (std::size_t k = first; k < lastStrong; ++k) {
      if (latin || d[k] == Dir::Number) s.level[k] = 2;
    }
    i = end;
  }
}

// Each maximal run of bytes (or of the places that follow them) at `level`
// or above reversed.
template <class T>
void ReverseRuns(std::span<T> line, const std::vector<uint8_t>& levels, uint8_t level) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (levels[i] < level) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && levels[end] >= level) ++end;
    std::reverse(line.begin() + static_cast<std::ptrdiff_t>(i), line.begin() + static_cast<std::ptrdiff_t>(end));
    i = end;
  }
}

// Logical order to storage order by the levels, into `out`: what the
// screen shows, an English document's line left to right, a Hebrew
// document's right to left, brackets of a right-to-left run mirrored.
void Turn(bool english, std::span<const uint8_t> line, std::vector<uint8_t>& out, Scratch& s) {
  Levels(english, line, s);
  out.resize(line.size());
  for (std::size_t k = 0; k < line.size(); ++k) out[k] = s.level[k] == 1 ? border::Mirrored(line[k]) : line[k];
  ReverseRuns(std::span<uint8_t>(out), s.level, 2);
  if (english) ReverseRuns(std::span<uint8_t>(out), s.level, 1);
}

// Where each byte of Turn's `out` came from in the line it turned, by the
// levels that turn left in `s`.
void TurnPlaces(bool english, std::size_t n, std::vector<uint32_t>& from, const Scratch& s) {
  from.resize(n);
  for (std::size_t k = 0; k < n; ++k) from[k] = static_cast<uint32_t>(k);
  ReverseRuns(std::span<uint32_t>(from), s.level, 2);
  if (english) ReverseRuns(std::span<uint32_t>(from), s.level, 1);
}

// `line` read from its other end; in an English document with each bracket
// the other way round too.
void Conjugate(bool english, std::span<const uint8_t> line, std::vector<uint8_t>& out) {
  out.assign(line.rbegin(), line.rend());
  if (english) {
    for (uint8_t& b : out) b = border::Mirrored(b);
  }
}

// How much a line reads as logical text: its bracket pairs less its pairs
// the other way round (")...("), which the storage of a right-to-left
// run shows.
long PairScore(std::span<const uint8_t> line) {
  return static_cast<long>(CountBracketPairs(line, false)) - static_cast<long>(CountBracketPairs(line, true));
}

// The logical line the turn gives `stored` from, when there is one; of the
// lines that show alike, the one whose brackets go with the text of the
// other script before them. In a Hebrew document that is the turn of the
// line as the screen shows it left to right; in an English one, of the
// line read from its other end with its brackets the other way round.
bool LineBefore(bool english, std::span<const uint8_t> stored, std::vector<uint8_t>& logical, Scratch& s) {
  Conjugate(english, stored, s.a);
  Turn(english, s.a, s.b, s);
  Conjugate(english, s.b, logical);
  Turn(english, logical, s.a, s);
  return std::equal(s.a.begin(), s.a.end(), stored.begin(), stored.end());
}

// Whether `x`, whose turn is `turned`, is taken as logical: the line the
// turn gives `turned` from, and reading as logical text at least as well.
bool TakenAsLogical(bool english, std::span<const uint8_t> x, std::span<const uint8_t> turned, Scratch& s) {
  return LineBefore(english, turned, s.before, s) && std::equal(s.before.begin(), s.before.end(), x.begin(), x.end()) &&
         PairScore(x) >= PairScore(turned);
}

}  // namespace

// The turn `g` pairs a logical line with its storage; `LineBefore` (`h`)
// answers one logical line for a storage line. A line `s` taken as logical
// (h(g(s)) = s, and s reads as logical text at least as well as g(s)) goes
// to g(s), unless g(s) is taken as logical too and goes elsewhere; a line
// that is not takes h(s) when that is taken as logical. Each pair so made
// is taken both ways, every other line stays: the routine is its own
// inverse.
void ReorderWithBrackets(bool englishDocument, std::span<uint8_t> line, std::span<uint32_t> places) {
  const bool e = englishDocument;
  const std::size_t n = line.size();
  Scratch& s = Buffers();
  std::vector<uint8_t>& t = s.t;
  Turn(e, line, t, s);
  // The places move as Turn moved the bytes of `line`.
  if (!places.empty()) TurnPlaces(e, n, s.from, s);
  auto follow = [&] {
    if (places.empty()) return;
    s.moved.resize(n);
    for (std::size_t k = 0; k < n; ++k) s.moved[k] = places[s.from[k]];
    std::copy(s.moved.begin(), s.moved.end(), places.begin());
  };
  if (TakenAsLogical(e, line, t, s)) {
    std::vector<uint8_t>& tt = s.tt;
    Turn(e, t, tt, s);
    const bool back = std::equal(tt.begin(), tt.end(), line.begin(), line.end());
    if (back || !TakenAsLogical(e, t, tt, s)) {
      std::copy(t.begin(), t.end(), line.begin());
      follow();
    }
    return;
  }
  std::vector<uint8_t>& w = s.tt;
  if (!(LineBefore(e, line, w, s) && PairScore(w) >= PairScore(line))) return;
  if (!places.empty()) {
    // `w` is the line read from its other end, turned, and read from its
    // other end again: byte k of it came from byte n-1-j of `line`, where j
    // is where the turn of the reversed line took its byte n-1-k from.
    Conjugate(e, line, s.a);
    Turn(e, s.a, s.b, s);
    TurnPlaces(e, n, s.from, s);
    s.moved.resize(n);
    for (std::size_t k = 0; k < n; ++k) s.moved[k] = places[n - 1 - s.from[n - 1 - k]];
    std::copy(s.moved.begin(), s.moved.end(), places.begin());
  }
  std::copy(w.begin(), w.end(), line.begin());
}

}  // namespace nuvel
