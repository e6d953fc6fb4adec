#include "filemanager/viewer_lines.h"

#include <algorithm>
#include <cstring>

namespace nuvel {

namespace {

constexpr uint8_t kCR = 13;
constexpr uint8_t kLF = 10;
// Bytes counted at once by the fast part of a scan.
constexpr size_t kBlock = 256;
constexpr int64_t kFar = std::numeric_limits<int64_t>::max();

typedef uint8_t V16 __attribute__((vector_size(16)));
typedef int8_t S16 __attribute__((vector_size(16)));

// The sum of the bytes of `acc`, each at most 255 / 16 times its lanes' count.
size_t SumLanes(S16 acc) {
  uint64_t half[2];
  std::memcpy(half, &acc, 16);
  constexpr uint64_t kEven = 0x00FF00FF00FF00FFull;
  const uint64_t s = (half[0] & kEven) + ((half[0] >> 8) & kEven) + (half[1] & kEven) + ((half[1] >> 8) & kEven);
  return static_cast<size_t>((s * 0x0001000100010001ull) >> 48);
}

// Breaks that end inside p[0, kBlock): a line feed, or a carriage return
// not followed by a line feed. `next` is the byte after the block. A block
// without carriage returns (every block of a file with LF line ends) counts
// its line feeds alone.
size_t CountBreaks(const uint8_t* p, uint8_t next) {
  S16 feeds = {}, returns = {};
  for (size_t k = 0; k < kBlock; k += 16) {
    V16 v;
    std::memcpy(&v, p + k, 16);
    feeds -= (v == kLF);  // each end is -1
    returns |= (v == kCR);
  }
  uint64_t anyReturn[2];
  std::memcpy(anyReturn, &returns, 16);
  if ((anyReturn[0] | anyReturn[1]) == 0) return SumLanes(feeds);
  S16 acc = {};
  for (size_t k = 0; k < kBlock; k += 16) {
    V16 v;
    V16 w;
    std::memcpy(&v, p + k, 16);
    if (k + 16 < kBlock) {
      std::memcpy(&w, p + k + 1, 16);
    } else {
      uint8_t t[16];
      std::memcpy(t, p + k + 1, 15);
      t[15] = next;
      std::memcpy(&w, t, 16);
    }
    const S16 ends = (v == kLF) | ((v == kCR) & ~(w == kLF));
    acc -= ends;
  }
  return SumLanes(acc);
}

// Whether byte i of p[0, n) ends a line; i + 1 < n.
bool EndsLine(const uint8_t* p, size_t i) { return p[i] == kLF || (p[i] == kCR && p[i + 1] != kLF); }

// Reports a long move as busy for as long as it runs.
class BusyScope {
 public:
  BusyScope(const std::function<void(bool)>& busy, bool on) : busy_(on ? &busy : nullptr) {
    if (busy_ != nullptr) (*busy_)(true);
  }
  ~BusyScope() {
    if (busy_ != nullptr) (*busy_)(false);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  const std::function<void(bool)>* busy_;
};

}  // namespace

TViewerLines::TViewerLines(TViewerFile& file) : file_(file) {
  buffer_.reserve(kMaxLineBytes + 1);
  Reset();
}

void TViewerLines::Reset() {
  index_.Clear();
  current_ = {0, 0};
  caret_ = {-1, 0};
  farthest_ = {0, 0};
  end_ = file_.Size() == 0 ? TLineAnchor{0, 0} : TLineAnchor{-1, 0};
  lastStart_ = {0, 0};
  caretLine_ = -1;
  bufferLine_ = -1;
  buffer_.clear();
}

int64_t TViewerLines::LineCount() const {
  if (file_.Size() == 0) return 0;
  return LastLineKnown() ? end_.line + 1 : kUnknownLineCount;
}

int TViewerLines::PeekByte(int64_t pos) {
  const auto span = file_.BytesAt(pos);
  return span.empty() ? -1 : span[0];
}

void TViewerLines::SetCaretLine(int64_t line) {
  if (line == caretLine_) return;
  caretLine_ = line;
  caret_ = {-1, 0};
  if (current_.line == line) caret_ = current_;
}

void TViewerLines::Reached(const TLineAnchor& a) {
  current_ = a;
  if (a.line == caretLine_) caret_ = a;
  if (a.line > farthest_.line) farthest_ = a;
}

void TViewerLines::KnowEnd(const TLineAnchor& a) {
  end_ = a;
  if (a.line > farthest_.line) farthest_ = a;
}

TLineAnchor TViewerLines::Nearest(int64_t target) const {
  TLineAnchor best = current_;
  auto distance = [target](const TLineAnchor& a) { return a.line > target ? a.line - target : target - a.line; };
  auto consider = [&](const TLineAnchor& a) {
    if (a.line >= 0 && distance(a) < distance(best)) best = a;
  };
  consider({0, 0});
  consider(index_.AtOrBeforeLine(target));
  consider(farthest_);
  consider(end_);
  consider(caret_);
  return best;
}

int64_t TViewerLines::LastBreakEndIn(int64_t blockPos) {
  const auto span = file_.BytesAt(blockPos);
  const uint8_t* p = span.data();
  int64_t start = blockPos;
  for (size_t j = 0; j < kBlock; ++j) {
    // A block is counted only when the byte after it is in the same page or
    // its last byte is no carriage return.
    if (p[j] == kLF || (p[j] == kCR && (j + 1 >= span.size() || p[j + 1] != kLF)))
      start = blockPos + static_cast<int64_t>(j) + 1;
  }
  return start;
}

TLineAnchor TViewerLines::ScanForward(TLineAnchor from, int64_t target, int64_t limitPos) {
  int64_t line = from.line;
  int64_t start = from.pos;
  int64_t pos = from.pos;
  // A counted block that holds the last break passed: the line's start lies
  // behind it and is found only when needed.
  int64_t staleBlock = -1;
  auto resolved = [&]() -> TLineAnchor {
    if (staleBlock >= 0) start = LastBreakEndIn(staleBlock);
    staleBlock = -1;
    return {line, start};
  };
  while (line < target) {
    const auto span = file_.BytesAt(pos);
    if (span.empty()) {
      KnowEnd(resolved());
      return end_;
    }
    const uint8_t* p = span.data();
    const size_t n = span.size();
    size_t i = 0;
    int64_t wanted = index_.NextWanted(line);
    bool leave = false;  // p is no longer valid
    while (i < n && line < target && !leave) {
      const int64_t slowFrom = std::min(wanted, limitPos);
      // Whole blocks with fewer line ends than still wanted are counted.
      while (i + kBlock <= n && pos + static_cast<int64_t>(i + kBlock) <= slowFrom) {
        uint8_t next = 0;
        if (i + kBlock < n) {
          next = p[i + kBlock];
        } else if (p[n - 1] == kCR) {
          break;
        }
        const auto c = static_cast<int64_t>(CountBreaks(p + i, next));
        if (c >= target - line) break;
        if (c > 0) {
          line += c;
          staleBlock = pos + static_cast<int64_t>(i);
        }
        i += kBlock;
      }
      // The rest of this block byte by byte.
      const size_t end = std::min(n, i + kBlock);
      for (; i < end && line < target; ++i) {
        const uint8_t b = p[i];
        if (b != kLF && b != kCR) continue;
        if (i + 1 < n) {
          if (!EndsLine(p, i)) continue;
        } else if (b == kCR) {
          // The page ends on a carriage return: the next page tells.
          leave = true;
          if (PeekByte(pos + static_cast<int64_t>(n)) == kLF) {
            i = n;
            break;
          }
        }
        const int64_t newStart = pos + static_cast<int64_t>(i) + 1;
        if (newStart > limitPos) return resolved();
        ++line;
        start = newStart;
        staleBlock = -1;
        if (start >= wanted) {
          index_.Add({line, start});
          wanted = index_.NextWanted(line);
        }
        if (leave) {
          i = n;
          break;
        }
      }
    }
    pos += static_cast<int64_t>(n);
  }
  return resolved();
}

TLineAnchor TViewerLines::ScanBackward(TLineAnchor from, int64_t target) {
  int64_t line = from.line;
  int64_t start = from.pos;
  while (line > target && start > 0) {
    // Step over the break in front of the line.
    int64_t q = start - 1;
    if (PeekByte(q) == kLF && q > 0 && PeekByte(q - 1) == kCR) --q;
    // Back to the byte that ends the break before the previous line.
    int64_t j = q - 1;
    int64_t found = -1;
    while (j >= 0 && found < 0) {
      const int64_t pageStart = j / TViewerFile::kPageSize * TViewerFile::kPageSize;
      const auto span = file_.BytesAt(pageStart);
      const uint8_t* p = span.data();
      for (int64_t k = j - pageStart; k >= 0; --k) {
        if (p[k] == kLF || p[k] == kCR) {
          found = pageStart + k;
          break;
        }
      }
      j = pageStart - 1;
    }
    start = found + 1;
    --line;
  }
  return {line, start};
}

TLineAnchor TViewerLines::GotoLine(int64_t target) {
  if (file_.Size() == 0) return {0, 0};
  target = std::max<int64_t>(target, 0);
  if (LastLineKnown()) target = std::min(target, end_.line);
  if (target == current_.line) return current_;
  const TLineAnchor from = Nearest(target);
  lastStart_ = from;
  TLineAnchor reached;
  {
    BusyScope busy(OnBusy, OnBusy && (from.line > target ? from.line - target : target - from.line) > 100);
    reached = from.line <= target ? ScanForward(from, target, kFar) : ScanBackward(from, target);
  }
  Reached(reached);
  return reached;
}

TLineAnchor TViewerLines::LineAtOffset(int64_t offset) {
  if (file_.Size() == 0) return {0, 0};
  if (offset >= file_.Size()) return GotoLine(kFar);
  offset = std::max<int64_t>(offset, 0);
  TLineAnchor from = index_.AtOrBeforePos(offset);
  for (const TLineAnchor& a : {current_, farthest_, end_, caret_}) {
    if (a.line >= 0 && a.pos <= offset && a.pos > from.pos) from = a;
  }
  lastStart_ = from;
  const TLineAnchor reached = ScanForward(from, kFar, offset);
  Reached(reached);
  return reached;
}

int64_t TViewerLines::CheckLine(int64_t line) {
  if (file_.Size() == 0 || line <= 0) return 0;
  if (LastLineKnown()) return std::min(line, end_.line);
  if (line <= farthest_.line) return line;
  return GotoLine(line).line;
}

std::span<const uint8_t> TViewerLines::TextLine(int64_t line) {
  if (line == bufferLine_) return buffer_;
  buffer_.clear();
  bufferLine_ = -1;
  if (file_.Size() == 0 || line < 0) return buffer_;
  const TLineAnchor a = GotoLine(line);
  if (a.line != line) return buffer_;
  int64_t pos = a.pos;
  bool done = false;
  while (!done && buffer_.size() < static_cast<size_t>(kMaxLineBytes)) {
    const auto span = file_.BytesAt(pos);
    if (span.empty()) break;
    for (uint8_t b : span) {
      if (b == kCR || b == kLF || buffer_.size() == static_cast<size_t>(kMaxLineBytes)) {
        done = true;
        break;
      }
      buffer_.push_back(b == 0 ? uint8_t{32} : b);
    }
    pos += static_cast<int64_t>(span.size());
  }
  bufferLine_ = line;
  return buffer_;
}

}  // namespace nuvel
