#include "editor/block_sum_tree.h"

namespace nuvel {

void TBlockSumTree::Clear() {
  levels_.clear();
  levelCount_ = 0;
  size_ = 0;
  countWhole_ = 0;
  linesWhole_ = 0;
  bases_ = {};
}

void TBlockSumTree::RefreshBases() {
  levelCount_ = levels_.size();
  for (size_t k = 0; k < levels_.size(); ++k) bases_[k] = {levels_[k].counts.data(), levels_[k].lines.data()};
}

void TBlockSumTree::Append(uint32_t count, uint32_t lines) {
  const size_t block = size_++;
  for (size_t k = 0;; ++k) {
    if (k == levels_.size()) {
      // A new top: its first child is the whole level below, whose node
      // count just reached two, and so everything before the new block.
      Level top;
      top.counts.resize(1);
      top.lines.resize(1);
      for (size_t i = 1; i < kFan; ++i) {
        top.counts[0].sum[i] = countWhole_;
        top.lines[0].sum[i] = linesWhole_;
      }
      levels_.push_back(std::move(top));
    }
    Level& level = levels_[k];
    const size_t node = block >> (kFanBits * (k + 1));
    if (node >= level.counts.size()) {
      level.counts.push_back(SumNode{});
      level.lines.push_back(SumNode{});
    }
    if (level.counts.size() == 1 && k + 1 == levels_.size()) break;
  }
  RefreshBases();
  Add(block, count, lines);
}

void TBlockSumTree::Add(size_t block, int64_t count, int64_t lines) {
  countWhole_ = static_cast<uint32_t>(int64_t{countWhole_} + count);
  linesWhole_ = static_cast<uint32_t>(int64_t{linesWhole_} + lines);
  for (size_t k = 0; k < levels_.size(); ++k) {
    const size_t slot = block >> (kFanBits * k);
    SumNode& counts = levels_[k].counts[slot >> kFanBits];
    SumNode& lineSums = levels_[k].lines[slot >> kFanBits];
    for (size_t i = (slot & (kFan - 1)) + 1; i < kFan; ++i) {
      counts.sum[i] = static_cast<uint32_t>(int64_t{counts.sum[i]} + count);
      lineSums.sum[i] = static_cast<uint32_t>(int64_t{lineSums.sum[i]} + lines);
    }
  }
}

uint64_t TBlockSumTree::LinesBefore(size_t block) const {
  uint64_t sum = 0;
  for (size_t k = 0; k < levels_.size(); ++k) {
    const size_t slot = block >> (kFanBits * k);
    sum += levels_[k].lines[slot >> kFanBits].sum[slot & (kFan - 1)];
  }
  return sum;
}

}  // namespace nuvel
