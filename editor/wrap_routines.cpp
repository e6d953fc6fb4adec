#include "editor/wrap_routines.h"

#include <algorithm>
#include <numeric>

#include "core/border_classes.h"
#include "core/border_order.h"

namespace nuvel {

namespace {
constexpr uint8_t kTab = 9;
constexpr uint8_t kHyphen = 45;

uint32_t NextColumnAfter(uint32_t column, uint8_t b, uint32_t tabSize) {
  // `column` is the last column taken so far; the byte occupies column + 1.
  if (b != kTab) return column + 1;
  return (column / tabSize + 1) * tabSize;
}
}  // namespace

bool HasTab(std::span<const uint8_t> bytes) {
  return std::find(bytes.begin(), bytes.end(), kTab) != bytes.end();
}

uint32_t ExpandedWidth(std::span<const uint8_t> bytes, uint32_t tabSize) {
  const uint32_t t = std::max<uint32_t>(tabSize, 1);
  uint32_t column = 0;
  for (uint8_t b : bytes) {
    if (b == 0) break;
    column = NextColumnAfter(column, b, t);
  }
  return column;
}

uint32_t OffsetForColumn(std::span<const uint8_t> bytes, uint32_t wrapColumn, uint32_t tabSize) {
  const uint32_t t = std::max<uint32_t>(tabSize, 1);
  uint32_t column = 0;
  uint32_t i = 0;
  for (; i < bytes.size(); ++i) {
    if (bytes[i] == 0) break;
    column = NextColumnAfter(column, bytes[i], t);
    if (column >= wrapColumn) return i + 1;
  }
  return i + 1;
}

uint32_t FindBreak(std::span<const uint8_t> rest, uint32_t n) {
  const uint32_t size = static_cast<uint32_t>(rest.size());
  if (n >= size) return size;  // the rest fits on this line
  if (rest[n] == 0) return n;
  for (uint32_t k = n + 1; k-- > 0;) {
    const uint8_t b = rest[k];
    if (IsBlank(b)) {
      uint32_t q = k;
      while (q < size && IsBlank(rest[q])) ++q;
      return q;
    }
    if (b == kHyphen) {
      uint32_t q = k + 1;
      while (q < size && IsBlank(rest[q])) ++q;
      return q;
    }
  }
  return n == 0 ? 1 : n;  // hard break; a line always takes at least a byte
}

namespace {
// Bytes a run against the direction starts with: Latin letters and digits
// in a Hebrew document, Hebrew letters and points in an English one.
constexpr auto kAgainstHebrew = border::ByteTable<bool>([](uint8_t b) {
  const border::Raw c = border::RawClassOf(b);
  return c == border::Raw::L || c == border::Raw::EN;
});
constexpr auto kAgainstEnglish =
    border::ByteTable<bool>([](uint8_t b) { return border::RawClassOf(b) == border::Raw::R; });
}  // namespace

bool HoldsAgainstBytes(std::span<const uint8_t> text, TWrapRuns runs) {
  if (runs == TWrapRuns::None) return false;
  const auto& against = runs == TWrapRuns::EnglishDocument ? kAgainstEnglish : kAgainstHebrew;
  return std::any_of(text.begin(), text.end(), [&](uint8_t b) { return against[b]; });
}

void FindAgainstRuns(std::span<const uint8_t> text, TWrapRuns runs, std::vector<TTextRun>& out) {
  out.clear();
  if (text.size() < 2 || !HoldsAgainstBytes(text, runs)) return;
  const bool english = runs == TWrapRuns::EnglishDocument;
  // The turn itself tells where the runs lie: it moves each byte of a run
  // within the run, and leaves every other byte in its place.
  thread_local std::vector<uint8_t> turned;
  thread_local std::vector<uint32_t> places;
  turned.assign(text.begin(), text.end());
  places.resize(text.size());
  std::iota(places.begin(), places.end(), uint32_t{0});
  ReorderAtBorder(english, turned, places);
  const auto size = static_cast<uint32_t>(text.size());
  for (uint32_t k = 0; k < size; ++k) {
    if (places[k] == k) continue;
    // A run ends where every place it took is within it.
    const uint32_t from = k;
    uint32_t reach = places[k];
    while (k < reach) reach = std::max(reach, places[++k]);
    out.push_back({from, k + 1});
  }
}

uint32_t FindBreakKeepingRuns(std::span<const uint8_t> text, uint32_t p, uint32_t n, std::span<const TTextRun> runs,
                              uint32_t wrapColumn, uint32_t tabSize) {
  const uint32_t q = p + FindBreak(text.subspan(p), n);
  if (runs.empty() || q >= text.size()) return q;
  // The run the break falls inside, if any.
  const auto after = std::upper_bound(runs.begin(), runs.end(), q,
                                      [](uint32_t at, const TTextRun& r) { return at < r.From; });
  if (after == runs.begin()) return q;
  const TTextRun& run = *(after - 1);
  if (!(run.From < q && q < run.To)) return q;
  // Only a run that a screen line holds by itself is kept whole.
  if (ExpandedWidth(text.subspan(run.From, run.To - run.From), tabSize) > wrapColumn) return q;
  // Before the run, as before a word that does not fit: at the start of the
  // word the run begins in (a bracket or a letter written against it goes
  // with it).
  uint32_t word = run.From;
  while (word > p && !IsBlank(text[word - 1])) --word;
  if (word > p) return word;
  if (run.From > p) return run.From;
  if (run.From == p && run.To <= p + n) {
    uint32_t next = run.To;
    while (next < text.size() && IsBlank(text[next])) ++next;
    return next;
  }
  return q;
}

uint32_t WordStartBefore(std::span<const uint8_t> bytes, uint32_t n) {
  uint32_t k = std::min<uint32_t>(n, static_cast<uint32_t>(bytes.size()));
  while (k > 0 && !IsBlank(bytes[k - 1])) --k;
  return k == 0 ? n : k;
}

uint32_t FindLineEnd(std::span<const uint8_t> bytes) {
  auto it = std::find(bytes.begin(), bytes.end(), uint8_t{10});
  if (it == bytes.end()) return static_cast<uint32_t>(bytes.size());
  return static_cast<uint32_t>(it - bytes.begin()) + 1;
}

uint32_t PadBlanks(std::span<uint8_t> buffer, uint32_t length, uint32_t n) {
  if (length >= n) return length;
  const uint32_t end = std::min<uint32_t>(n, static_cast<uint32_t>(buffer.size()));
  for (uint32_t i = length; i < end; ++i) buffer[i] = 32;
  if (end < buffer.size()) buffer[end] = 0;
  return end;
}

uint32_t LineIndexOf(std::span<const uint32_t> lineStarts, uint32_t p) {
  if (lineStarts.empty() || p < 1) return 1;
  auto it = std::upper_bound(lineStarts.begin(), lineStarts.end(), p - 1);
  const auto index = static_cast<uint32_t>(it - lineStarts.begin());
  return index == 0 ? 1 : index;
}

}  // namespace nuvel
