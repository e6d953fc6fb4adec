#pragma once
// A bounded sparse index of line starts, filled as scans pass through the
// file: at most a fixed number of (line, position) checkpoints, spaced
// evenly by position. When it is full, every second checkpoint goes and the
// spacing doubles, so its memory stays fixed whatever the file's size, and a
// jump never scans more than about one spacing from its checkpoint.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace nuvel {

// A known line start: its line number and the file position of its first byte.
struct TLineAnchor {
  int64_t line = 0;
  int64_t pos = 0;
  friend bool operator==(const TLineAnchor&, const TLineAnchor&) = default;
};

class TLineIndex {
 public:
  explicit TLineIndex(size_t maxEntries = 512, int64_t firstSpacing = 64 * 1024);

  void Clear();
  // The position from which a checkpoint is wanted for a line after `line`,
  // or the largest position when lines up to `line` are indexed already.
  int64_t NextWanted(int64_t line) const;
  // Records a line start passed by a forward scan; ignored unless it lies
  // beyond the last checkpoint by at least the spacing.
  void Add(const TLineAnchor& anchor);

  // The checkpoint with the largest line not above `line` (line 0 at worst).
  TLineAnchor AtOrBeforeLine(int64_t line) const;
  // The checkpoint with the largest position not above `pos`.
  TLineAnchor AtOrBeforePos(int64_t pos) const;

  size_t Size() const { return entries_.size(); }
  int64_t Spacing() const { return spacing_; }
  size_t MaxEntries() const { return maxEntries_; }

 private:
  size_t maxEntries_;
  int64_t firstSpacing_;
  int64_t spacing_;
  std::vector<TLineAnchor> entries_;  // ascending in line and position; starts with (0, 0)
};

}  // namespace nuvel
