#include "filemanager/viewer_line_index.h"

#include <algorithm>

namespace nuvel {

TLineIndex::TLineIndex(size_t maxEntries, int64_t firstSpacing)
    : maxEntries_(std::max<size_t>(maxEntries, 2)), firstSpacing_(std::max<int64_t>(firstSpacing, 1)) {
  entries_.reserve(maxEntries_);
  Clear();
}

void TLineIndex::Clear() {
  entries_.clear();
  entries_.push_back({0, 0});
  spacing_ = firstSpacing_;
}

int64_t TLineIndex::NextWanted(int64_t line) const {
  const TLineAnchor& last = entries_.back();
  if (line < last.line) return std::numeric_limits<int64_t>::max();
  return last.pos + spacing_;
}

void TLineIndex::Add(const TLineAnchor& anchor) {
  const TLineAnchor& last = entries_.back();
  if (anchor.line <= last.line || anchor.pos < last.pos + spacing_) return;
  if (entries_.size() == maxEntries_) {
    // Keep every second checkpoint (the first among them) and space wider.
    size_t kept = 0;
    for (size_t i = 0; i < entries_.size(); i += 2) entries_[kept++] = entries_[i];
    entries_.resize(kept);
    spacing_ *= 2;
    if (anchor.pos < entries_.back().pos + spacing_) return;
  }
  entries_.push_back(anchor);
}

TLineAnchor TLineIndex::AtOrBeforeLine(int64_t line) const {
  auto it = std::upper_bound(entries_.begin(), entries_.end(), line,
                             [](int64_t l, const TLineAnchor& a) { return l < a.line; });
  return it == entries_.begin() ? entries_.front() : *std::prev(it);
}

TLineAnchor TLineIndex::AtOrBeforePos(int64_t pos) const {
  auto it = std::upper_bound(entries_.begin(), entries_.end(), pos,
                             [](int64_t p, const TLineAnchor& a) { return p < a.pos; });
  return it == entries_.begin() ? entries_.front() : *std::prev(it);
}

}  // namespace nuvel
