#include "editor/para_index.h"

#include <algorithm>
#include <cstring>

namespace nuvel {

TParaIndex::TParaIndex() { Clear(); }
TParaIndex::~TParaIndex() = default;

TParaIndex::Block* TParaIndex::NewBlock() {
  Block* block = nullptr;
  if (!freeBlocks_.empty()) {
    block = freeBlocks_.back();
    freeBlocks_.pop_back();
  } else {
    if (chunkUsed_ == kBlocksPerChunk) {
      blockChunks_.push_back(std::make_unique<Block[]>(kBlocksPerChunk));
      chunkUsed_ = 0;
    }
    block = &blockChunks_.back()[chunkUsed_++];
  }
  block->count = 0;
  block->lines = 0;
  return block;
}

void TParaIndex::FreeBlock(Block* block) { freeBlocks_.push_back(block); }

void TParaIndex::Clear() {
  blocks_.clear();
  blockChunks_.clear();
  freeBlocks_.clear();
  chunkUsed_ = kBlocksPerChunk;
  tree_.Clear();
  treesValid_ = true;
  size_ = 0;
  totalLines_ = 0;
}

void TParaIndex::EnsureTrees() const {
  if (treesValid_) return;
  tree_.Clear();
  for (const BlockRef& ref : blocks_) tree_.Append(ref.block->count, ref.block->lines);
  treesValid_ = true;
}

void TParaIndex::RecountGroups(BlockRef& ref, uint32_t fromGroup) {
  const Block& block = *ref.block;
  for (uint32_t g = fromGroup; g < kGroups; ++g) {
    uint32_t sum = 0;
    const uint32_t end = std::min(block.count, (g + 1) * kGroupSize);
    for (uint32_t i = g * kGroupSize; i < end; ++i) sum += block.entries[i].lines;
    ref.groupLines[g] = sum;
  }
}

uint64_t TParaIndex::LinesInBlockBefore(const BlockRef& ref, uint32_t offset) {
  uint64_t sum = 0;
  const uint32_t group = offset / kGroupSize;
  for (uint32_t g = 0; g < group; ++g) sum += ref.groupLines[g];
  for (uint32_t i = group * kGroupSize; i < offset; ++i) sum += ref.block->entries[i].lines;
  return sum;
}

void TParaIndex::Locate(uint32_t index, uint32_t& block, uint32_t& offset) const {
  EnsureTrees();
  uint32_t rest = index;
  block = static_cast<uint32_t>(tree_.FindEntry(rest));
  offset = rest;
}

TParaNodeHandle TParaIndex::At(uint32_t index) const {
  if (index >= size_) return 0;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  return blocks_[b].block->entries[o].node;
}

uint32_t TParaIndex::LinesAt(uint32_t index) const {
  if (index >= size_) return 0;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  return blocks_[b].block->entries[o].lines;
}

void TParaIndex::Insert(uint32_t index, TParaNodeHandle node, uint32_t lines) {
  index = std::min(index, size_);
  uint32_t b = 0, o = 0;
  if (blocks_.empty()) {
    blocks_.push_back(BlockRef{NewBlock(), {}});
    treesValid_ = false;
  } else if (index + blocks_.back().block->count >= size_) {
    // In the last block (where loading appends): no tree walk needed.
    b = static_cast<uint32_t>(blocks_.size() - 1);
    o = index - (size_ - blocks_[b].block->count);
  } else {
    Locate(index, b, o);
  }
  Block* block = blocks_[b].block;
  if (block->count == kBlockSize) {
    // Split. Insertions at or next to the end keep the block full, so a
    // text built by appending fills its blocks.
    uint32_t keep = kBlockSize / 2;
    if (o >= kBlockSize - 1) keep = o;
    Block* fresh = NewBlock();
    fresh->count = block->count - keep;
    std::memcpy(fresh->entries, block->entries + keep, fresh->count * sizeof(Slot));
    for (uint32_t i = 0; i < fresh->count; ++i) fresh->lines += fresh->entries[i].lines;
    BlockRef freshRef{fresh, {}};
    RecountGroups(freshRef, 0);
    block->count = keep;
    block->lines -= fresh->lines;
    RecountGroups(blocks_[b], keep / kGroupSize);
    // A block added at the end extends the tree; one in the middle makes it
    // rebuild on the next lookup.
    const bool atEnd = b + 1 == blocks_.size() && treesValid_;
    if (atEnd) tree_.Add(b, -int64_t{fresh->count}, -static_cast<int64_t>(fresh->lines));
    blocks_.insert(blocks_.begin() + b + 1, freshRef);
    if (atEnd) {
      tree_.Append(fresh->count, fresh->lines);
    } else {
      treesValid_ = false;
    }
    if (o > keep || (o == keep && keep == kBlockSize)) {
      ++b;
      o -= keep;
    }
    block = blocks_[b].block;
  }
  std::memmove(block->entries + o + 1, block->entries + o, (block->count - o) * sizeof(Slot));
  block->entries[o] = Slot{node, lines};
  ++block->count;
  block->lines += lines;
  RecountGroups(blocks_[b], o / kGroupSize);
  ++size_;
  totalLines_ += lines;
  if (treesValid_) tree_.Add(b, 1, lines);
}

void TParaIndex::Erase(uint32_t index) {
  if (index >= size_) return;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  Block* block = blocks_[b].block;
  const uint32_t lines = block->entries[o].lines;
  std::memmove(block->entries + o, block->entries + o + 1, (block->count - o - 1) * sizeof(Slot));
  --block->count;
  block->lines -= lines;
  RecountGroups(blocks_[b], o / kGroupSize);
  --size_;
  totalLines_ -= lines;
  if (block->count == 0) {
    FreeBlock(block);
    blocks_.erase(blocks_.begin() + b);
    treesValid_ = false;
  } else if (treesValid_) {
    tree_.Add(b, -1, -int64_t{lines});
  }
}

void TParaIndex::SetLines(uint32_t index, uint32_t lines) {
  if (index >= size_) return;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  Block* block = blocks_[b].block;
  const int64_t delta = int64_t{lines} - int64_t{block->entries[o].lines};
  if (delta == 0) return;
  block->entries[o].lines = lines;
  uint32_t& group = blocks_[b].groupLines[o / kGroupSize];
  group = static_cast<uint32_t>(int64_t{group} + delta);
  block->lines = static_cast<uint64_t>(static_cast<int64_t>(block->lines) + delta);
  totalLines_ = static_cast<uint64_t>(static_cast<int64_t>(totalLines_) + delta);
  if (treesValid_) tree_.Add(b, 0, delta);
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
  // One walk down the tree by entries gathers the lines of the blocks before.
  EnsureTrees();
  uint32_t rest = index;
  uint64_t sum = 0;
  const size_t b = tree_.FindEntry(rest, sum);
  linesBefore = sum + LinesInBlockBefore(blocks_[b], rest);
  return blocks_[b].block->entries[rest].node;
}

uint32_t TParaIndex::FindLine(uint64_t line, uint64_t& linesBefore, TParaNodeHandle* node) const {
  if (size_ == 0 || totalLines_ == 0) {
    linesBefore = 0;
    if (node != nullptr) *node = size_ == 0 ? 0 : At(0);
    return 0;
  }
  if (line >= totalLines_) line = totalLines_ - 1;
  EnsureTrees();
  uint64_t rest = line;
  uint32_t before = 0;
  const size_t b = tree_.FindLine(rest, before);
  const BlockRef& ref = blocks_[b];
  const Block& block = *ref.block;
  // The group holding the line, then the entry within it; both by counting
  // the running totals that stay within `rest`, without data-dependent
  // branches. Totals past the block's entries only grow, so they never count.
  uint64_t total = 0, skipped = 0;
  uint32_t group = 0;
  for (uint32_t g = 0; g < kGroups; ++g) {
    total += ref.groupLines[g];
    const bool within = total <= rest;
    group += within ? 1u : 0u;
    skipped = within ? total : skipped;
  }
  rest -= skipped;
  const Slot* slots = block.entries + group * kGroupSize;
  uint64_t inGroup = 0, inSkipped = 0;
  uint32_t o = 0;
  for (uint32_t i = 0; i < kGroupSize; ++i) {
    inGroup += slots[i].lines;
    const bool within = inGroup <= rest;
    o += within ? 1u : 0u;
    inSkipped = within ? inGroup : inSkipped;
  }
  o += group * kGroupSize;
  // Entries with no lines at the end of the block: the last entry holds it.
  o = std::min(o, block.count - 1);
  linesBefore = line - rest + inSkipped;
  if (node != nullptr) *node = block.entries[o].node;
  return before + o;
}

void TParaIndex::RecountLines(const std::function<uint32_t(TParaNodeHandle)>& linesOf) {
  totalLines_ = 0;
  for (auto& ref : blocks_) {
    Block* block = ref.block;
    block->lines = 0;
    for (uint32_t i = 0; i < block->count; ++i) {
      block->entries[i].lines = linesOf(block->entries[i].node);
      block->lines += block->entries[i].lines;
    }
    RecountGroups(ref, 0);
    totalLines_ += block->lines;
  }
  treesValid_ = false;
}

}  // namespace nuvel
