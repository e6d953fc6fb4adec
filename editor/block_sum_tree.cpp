#include "editor/block_sum_tree.h"

namespace nuvel {

namespace {

// How many of a node's running totals stay within `rest`: the child holding
// `rest`. Counted over all slots so the choice costs no branch.
template <class T, size_t N>
uint32_t ChildWithin(const T (&sum)[N], T rest) {
  uint32_t child = 0;
  for (size_t i = 0; i < N; ++i) child += sum[i] <= rest ? 1u : 0u;
  return child;
}

// The running total before `child` (0 for the first), without a branch.
template <class T, size_t N>
T TotalBefore(const T (&sum)[N], uint32_t child) {
  const T mask = T{0} - static_cast<T>(child != 0);
  return sum[(child - 1) & (N - 1)] & mask;
}

}  // namespace

void TBlockSumTree::Clear() {
  levels_.clear();
  size_ = 0;
}

void TBlockSumTree::Append(uint32_t count, uint64_t lines) {
  const size_t block = size_++;
  for (size_t k = 0;; ++k) {
    if (k == levels_.size()) {
      // A new top: its first child is the whole level below, whose node
      // count just reached two.
      Level top;
      top.counts.resize(1);
      top.lines.resize(1);
      if (k > 0) {
        const uint32_t countWhole = levels_[k - 1].counts[0].sum[kFan - 1];
        const uint64_t linesWhole = levels_[k - 1].lines[0].sum[kFan - 1];
        for (size_t i = 0; i < kFan; ++i) {
          top.counts[0].sum[i] = countWhole;
          top.lines[0].sum[i] = linesWhole;
        }
      }
      levels_.push_back(std::move(top));
    }
    Level& level = levels_[k];
    const size_t node = block >> (kFanBits * (k + 1));
    if (node >= level.counts.size()) {
      level.counts.push_back(CountNode{});
      level.lines.push_back(LineNode{});
    }
    if (level.counts.size() == 1 && k + 1 == levels_.size()) break;
  }
  Add(block, count, lines);
}

void TBlockSumTree::Add(size_t block, int64_t count, int64_t lines) {
  for (size_t k = 0; k < levels_.size(); ++k) {
    const size_t slot = block >> (kFanBits * k);
    CountNode& counts = levels_[k].counts[slot >> kFanBits];
    LineNode& lineSums = levels_[k].lines[slot >> kFanBits];
    for (size_t i = slot & (kFan - 1); i < kFan; ++i) {
      counts.sum[i] = static_cast<uint32_t>(int64_t{counts.sum[i]} + count);
      lineSums.sum[i] = static_cast<uint64_t>(static_cast<int64_t>(lineSums.sum[i]) + lines);
    }
  }
}

size_t TBlockSumTree::FindEntry(uint32_t& rest, uint64_t& linesBefore) const {
  size_t node = 0;
  for (size_t k = levels_.size(); k-- > 0;) {
    const CountNode& counts = levels_[k].counts[node];
    const uint32_t child = ChildWithin(counts.sum, rest);
    rest -= TotalBefore(counts.sum, child);
    linesBefore += TotalBefore(levels_[k].lines[node].sum, child);
    node = node * kFan + child;
  }
  return node;
}

size_t TBlockSumTree::FindEntry(uint32_t& rest) const {
  size_t node = 0;
  for (size_t k = levels_.size(); k-- > 0;) {
    const CountNode& counts = levels_[k].counts[node];
    const uint32_t child = ChildWithin(counts.sum, rest);
    rest -= TotalBefore(counts.sum, child);
    node = node * kFan + child;
  }
  return node;
}

size_t TBlockSumTree::FindLine(uint64_t& rest, uint32_t& entriesBefore) const {
  size_t node = 0;
  for (size_t k = levels_.size(); k-- > 0;) {
    const LineNode& lineSums = levels_[k].lines[node];
    const uint32_t child = ChildWithin(lineSums.sum, rest);
    rest -= TotalBefore(lineSums.sum, child);
    entriesBefore += TotalBefore(levels_[k].counts[node].sum, child);
    node = node * kFan + child;
  }
  return node;
}

uint64_t TBlockSumTree::LinesBefore(size_t block) const {
  uint64_t sum = 0;
  for (size_t k = 0; k < levels_.size(); ++k) {
    const size_t slot = block >> (kFanBits * k);
    sum += TotalBefore(levels_[k].lines[slot >> kFanBits].sum, static_cast<uint32_t>(slot & (kFan - 1)));
  }
  return sum;
}

}  // namespace nuvel
