#include "editor/para_node.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "editor/para_text_arena.h"
#include "editor/wrap_routines.h"

namespace nuvel {

namespace {

TParaAllocHook gAllocHook = nullptr;

void* AllocateBytes(std::size_t bytes) {
  if (gAllocHook != nullptr && !gAllocHook(bytes)) return nullptr;
  return std::malloc(bytes);
}

constexpr uint32_t RoundUp(uint32_t n, uint32_t step) { return (n + step - 1) / step * step; }

// New line starts found by a re-wrap before they go into the table.
std::vector<uint32_t>& Scratch() {
  thread_local std::vector<uint32_t> scratch;
  scratch.clear();
  return scratch;
}

}  // namespace

void SetParaAllocHook(TParaAllocHook hook) { gAllocHook = hook; }

TParaNode::~TParaNode() { FreeBuffers(); }

void TParaNode::FreeText() {
  if (text_ == nullptr) return;
  if ((capacity_ & kArenaText) != 0) {
    TParaTextArena::Release(text_);
  } else {
    std::free(text_);
  }
  text_ = nullptr;
  capacity_ = 0;
}

void TParaNode::FreeBuffers() {
  FreeText();
  if (lineCapacity_ > kInlineStarts) std::free(heapStarts_);
  lineCapacity_ = kInlineStarts;
  inlineStarts_[0] = 0;
  inlineStarts_[1] = 0;
}

void TParaNode::Reset() {
  FreeBuffers();
  length_ = 0;
  capacity_ = 0;
  lineCount_ = 1;
}

void TParaNode::Create(std::span<const uint8_t> text, int32_t wrapColumn, uint32_t tabSize, TParaTextArena* arena,
                       TWrapRuns runs) {
  Reset();
  const void* zero = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
  const auto n = static_cast<uint32_t>(zero == nullptr ? text.size() : static_cast<const uint8_t*>(zero) - text.data());
  if (n > 0) {
    // The smallest multiple of 8 above n leaves room for the terminator; in
    // the arena the terminator alone.
    uint32_t capacity = (n + 8) & ~uint32_t{7};
    uint8_t* buffer = nullptr;
    if (arena != nullptr && (gAllocHook == nullptr || gAllocHook(n + 1))) {
      buffer = arena->Allocate(n + 1);
      if (buffer != nullptr) capacity = (n + 1) | kArenaText;
    }
    if (buffer == nullptr) buffer = static_cast<uint8_t*>(AllocateBytes(capacity));
    if (buffer == nullptr) throw std::bad_alloc();
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    text_ = buffer;
    capacity_ = capacity;
    length_ = n;
  }
  Wrap(wrapColumn, tabSize, runs);
}


bool TParaNode::ReserveText(uint32_t need) {
  if (need <= Capacity()) return true;
  const uint64_t rounded = (uint64_t{need} + 15) / 16 * 16;
  if (rounded > UINT32_MAX) return false;
  auto* buffer = static_cast<uint8_t*>(AllocateBytes(static_cast<std::size_t>(rounded)));
  if (buffer == nullptr) return false;
  if (text_ != nullptr) {
    std::memcpy(buffer, text_, std::size_t{length_} + 1);
    FreeText();
  } else {
    buffer[0] = 0;
  }
  text_ = buffer;
  capacity_ = static_cast<uint32_t>(rounded);
  return true;
}

void TParaNode::ReserveLines(uint32_t count) {
  if (count <= lineCapacity_) return;
  const uint32_t capacity = std::max<uint32_t>(RoundUp(count, 8), 8);
  auto* table = static_cast<uint32_t*>(std::calloc(capacity, sizeof(uint32_t)));
  if (table == nullptr) throw std::bad_alloc();
  std::memcpy(table, Starts(), std::size_t{lineCount_} * sizeof(uint32_t));
  if (lineCapacity_ > kInlineStarts) std::free(heapStarts_);
  heapStarts_ = table;
  lineCapacity_ = capacity;
}

uint32_t TParaNode::PosToLine(uint32_t p, uint32_t& column) const {
  if (lineCount_ == 1 || p < 1) {
    column = p;
    return 1;
  }
  const uint32_t line = LineIndexOf(LineStarts(), p);
  column = p - Starts()[line - 1];
  return line;
}

void TParaNode::Wrap(int32_t wrapColumn, uint32_t tabSize, TWrapRuns runs) {
  lineCount_ = 1;
  Starts()[0] = 0;
  if (IsNoWrap(wrapColumn) || length_ == 0) return;
  const auto w = static_cast<uint32_t>(wrapColumn);
  const uint8_t* text = text_;
  uint32_t p = 0;
  uint32_t rem = length_;
  // The runs kept whole, found once a line has to break.
  thread_local std::vector<TTextRun> kept;
  bool found = runs == TWrapRuns::None;
  if (found) kept.clear();
  while (true) {
    const uint32_t lim = OffsetForColumn({text + p, rem}, w, tabSize);
    if (lim >= rem) break;
    if (!found) {
      FindAgainstRuns(Bytes(), runs, kept);
      found = true;
    }
    const uint32_t q = kept.empty() ? p + FindBreak({text + p, rem}, lim)
                                    : FindBreakKeepingRuns(Bytes(), p, lim, kept, w, tabSize);
    rem = length_ - q;
    if (rem == 0) break;
    ReserveLines(lineCount_ + 1);
    Starts()[lineCount_++] = q;
    p = q;
  }
}

// Re-breaks the lines after an edit at byte offset `offset` that put
// `inserted` bytes in the place of `removed` ones. Lines before the one ahead
// of the edit keep their breaks: their break windows end before the edit.
// From there the lines are broken again until a new line start, at or after
// the end of the new bytes, coincides with a shifted old one; from such a start
// on, the wrap depends only on the unchanged rest of the text.
void TParaNode::Rewrap(uint32_t offset, uint32_t inserted, uint32_t removed, int32_t wrapColumn,
                       uint32_t tabSize, uint32_t& firstLine, uint32_t& lastLine, TWrapRuns runs) {
  const uint32_t oldCount = lineCount_;
  const uint32_t editLine = LineIndexOf(LineStarts(), offset + 1);  // from 1, in the old table
  if (IsNoWrap(wrapColumn) || length_ == 0) {
    lineCount_ = 1;
    Starts()[0] = 0;
    firstLine = lastLine = 1;
    return;
  }
  if (HoldsAgainstBytes(Bytes(), runs)) {
    // Where a line keeps a run whole, an edit anywhere in the run (a letter
    // that ends it or joins two) moves breaks before and after it: the
    // paragraph is broken again whole, and the lines from the first whose
    // start moved (or from the edit's) are repainted.
    std::vector<uint32_t>& old = Scratch();
    old.assign(Starts(), Starts() + oldCount);
    Wrap(wrapColumn, tabSize, runs);
    const uint32_t* starts = Starts();
    uint32_t same = 0;
    while (same < oldCount && same < lineCount_ && old[same] == starts[same]) ++same;
    firstLine = std::min({editLine, same, lineCount_});
    firstLine = std::max<uint32_t>(firstLine, 1);
    lastLine = lineCount_;
    old.clear();
    return;
  }
  const auto w = static_cast<uint32_t>(wrapColumn);
  const int64_t shift = int64_t{inserted} - int64_t{removed};
  const uint64_t editEnd = uint64_t{offset} + inserted;
  const uint32_t s = editLine > 1 ? editLine - 2 : 0;  // 0-based line where breaking resumes
  const uint32_t* old = Starts();
  const uint32_t oldEditLineStart = old[editLine - 1];

  std::vector<uint32_t>& fresh = Scratch();
  uint32_t j = s + 1;
  bool synced = false;
  uint32_t p = old[s];
  uint32_t rem = length_ - p;
  while (true) {
    const uint32_t lim = OffsetForColumn({text_ + p, rem}, w, tabSize);
    if (lim >= rem) break;
    const uint32_t q = p + FindBreak({text_ + p, rem}, lim);
    rem = length_ - q;
    if (rem == 0) break;
    if (q >= editEnd) {
      const int64_t target = int64_t{q} - shift;
      while (j < oldCount && int64_t{old[j]} < target) ++j;
      if (j < oldCount && int64_t{old[j]} == target) {
        synced = true;
        break;
      }
    }
    fresh.push_back(q);
    p = q;
  }

  const uint32_t tail = synced ? oldCount - j : 0;
  const auto freshCount = static_cast<uint32_t>(fresh.size());
  const uint32_t newCount = s + 1 + freshCount + tail;
  ReserveLines(newCount);
  uint32_t* starts = Starts();
  if (tail > 0) {
    std::memmove(starts + s + 1 + freshCount, starts + j, std::size_t{tail} * sizeof(uint32_t));
    for (uint32_t i = s + 1 + freshCount; i < newCount; ++i) {
      starts[i] = static_cast<uint32_t>(int64_t{starts[i]} + shift);
    }
  }
  std::copy(fresh.begin(), fresh.end(), starts + s + 1);
  lineCount_ = newCount;
  if (newCount < lineCapacity_) starts[newCount] = 0;

  // The line before the edit line changed when the edit line's start moved.
  const uint32_t editIndex = editLine - 1;
  const bool editStartMoved = editIndex >= 1 && (newCount <= editIndex || starts[editIndex] != oldEditLineStart);
  firstLine = std::min(editStartMoved ? editLine - 1 : editLine, newCount);
  lastLine = synced ? s + 1 + freshCount : newCount;
  lastLine = std::max(lastLine, firstLine);
}

bool TParaNode::Overlaps(std::span<const uint8_t> s) const {
  if (text_ == nullptr || s.empty()) return false;
  const auto a = reinterpret_cast<std::uintptr_t>(s.data());
  const auto b = reinterpret_cast<std::uintptr_t>(text_);
  return a < b + Capacity() && b < a + s.size();
}

uint16_t TParaNode::InsertText(std::span<const uint8_t> s, uint32_t p, int32_t wrapColumn, uint32_t tabSize,
                               uint32_t& firstLine, uint32_t& lastLine, TWrapRuns runs) {
  if (Overlaps(s)) {
    // Bytes of this very paragraph: copy them first, as the buffer may move.
    const std::vector<uint8_t> copy(s.begin(), s.end());
    return InsertText(copy, p, wrapColumn, tabSize, firstLine, lastLine, runs);
  }
  p = std::max<uint32_t>(p, 1);
  const auto count = static_cast<uint32_t>(s.size());
  if (count == 0 && p - 1 <= length_) {
    uint32_t column = 0;
    firstLine = lastLine = PosToLine(p, column);
    return 0;
  }
  const uint32_t base = std::max(p - 1, length_);
  const uint64_t need = uint64_t{base} + count + 1;
  if (need > UINT32_MAX || !ReserveText(static_cast<uint32_t>(need))) return kNodeOutOfMemory;
  const uint32_t oldLength = length_;
  if (p - 1 > length_) {
    std::memset(text_ + length_, 32, p - 1 - length_);
    length_ = p - 1;
    text_[length_] = 0;
  }
  std::memmove(text_ + p - 1 + count, text_ + p - 1, std::size_t{length_} - (p - 1) + 1);
  if (count > 0) std::memcpy(text_ + p - 1, s.data(), count);
  length_ += count;
  const uint32_t offset = std::min(p - 1, oldLength);
  Rewrap(offset, length_ - oldLength, 0, wrapColumn, tabSize, firstLine, lastLine, runs);
  return 0;
}

void TParaNode::DeleteText(uint32_t p, uint32_t n, int32_t wrapColumn, uint32_t tabSize, uint32_t& firstLine,
                           uint32_t& lastLine, TWrapRuns runs) {
  p = std::max<uint32_t>(p, 1);
  if (length_ == 0 || p > length_ || n == 0) {
    uint32_t column = 0;
    firstLine = lastLine = PosToLine(std::min(p, length_ + 1), column);
    return;
  }
  n = std::min(n, length_ - (p - 1));
  std::memmove(text_ + p - 1, text_ + p - 1 + n, std::size_t{length_} - (p - 1) - n + 1);
  length_ -= n;
  Rewrap(p - 1, 0, n, wrapColumn, tabSize, firstLine, lastLine, runs);
}

uint16_t TParaNode::ReplaceText(uint32_t p, uint32_t m, std::span<const uint8_t> s, int32_t wrapColumn,
                                uint32_t tabSize, uint32_t& firstLine, uint32_t& lastLine, TWrapRuns runs) {
  if (Overlaps(s)) {
    const std::vector<uint8_t> copy(s.begin(), s.end());
    return ReplaceText(p, m, copy, wrapColumn, tabSize, firstLine, lastLine, runs);
  }
  p = std::max<uint32_t>(p, 1);
  if (p - 1 >= length_) return InsertText(s, p, wrapColumn, tabSize, firstLine, lastLine, runs);
  m = std::min(m, length_ - (p - 1));
  const auto count = static_cast<uint32_t>(s.size());
  if (count > m) {
    const uint64_t need = uint64_t{length_} + (count - m) + 1;
    if (need > UINT32_MAX || !ReserveText(static_cast<uint32_t>(need))) return kNodeOutOfMemory;
  }
  std::memmove(text_ + p - 1 + count, text_ + p - 1 + m, std::size_t{length_} - (p - 1) - m + 1);
  if (count > 0) std::memcpy(text_ + p - 1, s.data(), count);
  length_ = length_ - m + count;
  Rewrap(p - 1, count, m, wrapColumn, tabSize, firstLine, lastLine, runs);
  return 0;
}

uint32_t TParaNode::StripTrailingBlanks() {
  uint32_t n = length_;
  while (n > 0 && IsBlank(text_[n - 1])) --n;
  const uint32_t removed = length_ - n;
  if (removed > 0) {
    length_ = n;
    text_[n] = 0;
  }
  return removed;
}

uint32_t TParaNode::CountBlanksBefore(uint32_t p) const {
  if (text_ == nullptr) return 0;
  uint32_t k = std::min(p, length_);
  uint32_t count = 0;
  while (k > 0 && IsBlank(text_[k - 1])) {
    --k;
    ++count;
  }
  return count;
}

}  // namespace nuvel
