#include "editor/para_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace nuvel {

TParaIndex::TParaIndex() = default;
TParaIndex::~TParaIndex() = default;

void TParaIndex::Clear() {
  blocks_.clear();
  countTree_.clear();
  lineTree_.clear();
  treesValid_ = true;
  size_ = 0;
  totalLines_ = 0;
}

void TParaIndex::EnsureTrees() const {
  if (treesValid_) return;
  const size_t n = blocks_.size();
  countTree_.assign(n + 1, 0);
  lineTree_.assign(n + 1, 0);
  for (size_t i = 1; i <= n; ++i) {
    countTree_[i] += blocks_[i - 1]->count;
    lineTree_[i] += blocks_[i - 1]->lines;
    const size_t parent = i + (i & (~i + 1));
    if (parent <= n) {
      countTree_[parent] += countTree_[i];
      lineTree_[parent] += lineTree_[i];
    }
  }
  treesValid_ = true;
}

void TParaIndex::AddToTrees(uint32_t block, int64_t count, int64_t lines) {
  if (!treesValid_) return;
  const size_t n = blocks_.size();
  for (size_t i = size_t{block} + 1; i <= n; i += i & (~i + 1)) {
    countTree_[i] = static_cast<uint32_t>(int64_t{countTree_[i]} + count);
    lineTree_[i] = static_cast<uint64_t>(static_cast<int64_t>(lineTree_[i]) + lines);
  }
}

uint64_t TParaIndex::LinesBeforeBlock(uint32_t block) const {
  EnsureTrees();
  uint64_t sum = 0;
  for (size_t i = block; i > 0; i -= i & (~i + 1)) sum += lineTree_[i];
  return sum;
}

void TParaIndex::Locate(uint32_t index, uint32_t& block, uint32_t& offset) const {
  EnsureTrees();
  const size_t n = blocks_.size();
  size_t pos = 0;
  uint32_t rest = index;
  for (size_t step = std::bit_floor(n); step > 0; step >>= 1) {
    if (pos + step <= n && countTree_[pos + step] <= rest) {
      pos += step;
      rest -= countTree_[pos];
    }
  }
  block = static_cast<uint32_t>(pos);
  offset = rest;
}

TParaNodeHandle TParaIndex::At(uint32_t index) const {
  if (index >= size_) return 0;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  return blocks_[b]->nodes[o];
}

uint32_t TParaIndex::LinesAt(uint32_t index) const {
  if (index >= size_) return 0;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  return blocks_[b]->lineCounts[o];
}

void TParaIndex::Insert(uint32_t index, TParaNodeHandle node, uint32_t lines) {
  index = std::min(index, size_);
  uint32_t b = 0, o = 0;
  if (blocks_.empty()) {
    blocks_.push_back(std::make_unique<Block>());
    treesValid_ = false;
  } else if (index == size_) {
    b = static_cast<uint32_t>(blocks_.size() - 1);
    o = blocks_[b]->count;
  } else {
    Locate(index, b, o);
  }
  Block* block = blocks_[b].get();
  if (block->count == kBlockSize) {
    // Split. Insertions at or next to the end keep the block full, so a
    // text built by appending fills its blocks.
    uint32_t keep = kBlockSize / 2;
    if (o >= kBlockSize - 1) keep = o;
    auto fresh = std::make_unique<Block>();
    fresh->count = block->count - keep;
    std::memcpy(fresh->nodes, block->nodes + keep, fresh->count * sizeof(TParaNodeHandle));
    std::memcpy(fresh->lineCounts, block->lineCounts + keep, fresh->count * sizeof(uint32_t));
    for (uint32_t i = 0; i < fresh->count; ++i) fresh->lines += fresh->lineCounts[i];
    block->count = keep;
    block->lines -= fresh->lines;
    blocks_.insert(blocks_.begin() + b + 1, std::move(fresh));
    treesValid_ = false;
    if (o > keep || (o == keep && keep == kBlockSize)) {
      ++b;
      o -= keep;
    }
    block = blocks_[b].get();
  }
  std::memmove(block->nodes + o + 1, block->nodes + o, (block->count - o) * sizeof(TParaNodeHandle));
  std::memmove(block->lineCounts + o + 1, block->lineCounts + o, (block->count - o) * sizeof(uint32_t));
  block->nodes[o] = node;
  block->lineCounts[o] = lines;
  ++block->count;
  block->lines += lines;
  ++size_;
  totalLines_ += lines;
  AddToTrees(b, 1, lines);
}

void TParaIndex::Erase(uint32_t index) {
  if (index >= size_) return;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  Block* block = blocks_[b].get();
  const uint32_t lines = block->lineCounts[o];
  std::memmove(block->nodes + o, block->nodes + o + 1, (block->count - o - 1) * sizeof(TParaNodeHandle));
  std::memmove(block->lineCounts + o, block->lineCounts + o + 1, (block->count - o - 1) * sizeof(uint32_t));
  --block->count;
  block->lines -= lines;
  --size_;
  totalLines_ -= lines;
  if (block->count == 0) {
    blocks_.erase(blocks_.begin() + b);
    treesValid_ = false;
  } else {
    AddToTrees(b, -1, -int64_t{lines});
  }
}

void TParaIndex::SetLines(uint32_t index, uint32_t lines) {
  if (index >= size_) return;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  Block* block = blocks_[b].get();
  const int64_t delta = int64_t{lines} - int64_t{block->lineCounts[o]};
  if (delta == 0) return;
  block->lineCounts[o] = lines;
  block->lines = static_cast<uint64_t>(static_cast<int64_t>(block->lines) + delta);
  totalLines_ = static_cast<uint64_t>(static_cast<int64_t>(totalLines_) + delta);
  AddToTrees(b, 0, delta);
}

uint64_t TParaIndex::LinesBefore(uint32_t index) const {
  if (index >= size_) return totalLines_;
  uint64_t linesBefore = 0;
  Entry(index, linesBefore);
  return linesBefore;
}

TParaNodeHandle TParaIndex::Entry(uint32_t index, uint64_t& linesBefore) const {
  if (index >= size_) {
    linesBefore = totalLines_;
    return 0;
  }
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  uint64_t sum = LinesBeforeBlock(b);
  const Block* block = blocks_[b].get();
  for (uint32_t i = 0; i < o; ++i) sum += block->lineCounts[i];
  linesBefore = sum;
  return block->nodes[o];
}

uint32_t TParaIndex::FindLine(uint64_t line, uint64_t& linesBefore, TParaNodeHandle* node) const {
  if (size_ == 0) {
    linesBefore = 0;
    if (node != nullptr) *node = 0;
    return 0;
  }
  if (line >= totalLines_) line = totalLines_ - 1;
  EnsureTrees();
  const size_t n = blocks_.size();
  size_t pos = 0;
  uint64_t rest = line;
  uint32_t before = 0;
  for (size_t step = std::bit_floor(n); step > 0; step >>= 1) {
    if (pos + step <= n && lineTree_[pos + step] <= rest) {
      pos += step;
      rest -= lineTree_[pos];
      before += countTree_[pos];
    }
  }
  const Block* block = blocks_[pos].get();
  uint32_t o = 0;
  uint64_t skipped = line - rest;
  while (o + 1 < block->count && block->lineCounts[o] <= rest) {
    rest -= block->lineCounts[o];
    skipped += block->lineCounts[o];
    ++o;
  }
  linesBefore = skipped;
  if (node != nullptr) *node = block->nodes[o];
  return before + o;
}

void TParaIndex::RecountLines(const std::function<uint32_t(TParaNodeHandle)>& linesOf) {
  totalLines_ = 0;
  for (auto& block : blocks_) {
    block->lines = 0;
    for (uint32_t i = 0; i < block->count; ++i) {
      block->lineCounts[i] = linesOf(block->nodes[i]);
      block->lines += block->lineCounts[i];
    }
    totalLines_ += block->lines;
  }
  treesValid_ = false;
}

}  // namespace nuvel
