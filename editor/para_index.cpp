#include "editor/para_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace nuvel {

namespace {

// One walk down a 1-based Fenwick tree over `n` blocks: the number of whole
// leading blocks whose `key` total stays within `rest`. `rest` is left with
// what remains past them and `sum` gains their `summed` total.
template <class Node, class Key, class Sum>
size_t DescendTree(const std::vector<Node>& tree, size_t n, Key Node::*key, Key& rest, Sum Node::*summed,
                   Sum& sum) {
  size_t pos = 0;
  for (size_t step = std::bit_floor(n); step > 0; step >>= 1) {
    if (pos + step <= n && tree[pos + step].*key <= rest) {
      pos += step;
      rest -= tree[pos].*key;
      sum += tree[pos].*summed;
    }
  }
  return pos;
}

}  // namespace

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
  tree_.assign(1, TreeNode{0, 0});
  treesValid_ = true;
  size_ = 0;
  totalLines_ = 0;
}

void TParaIndex::EnsureTrees() const {
  if (treesValid_) return;
  const size_t n = blocks_.size();
  tree_.assign(n + 1, TreeNode{0, 0});
  for (size_t i = 1; i <= n; ++i) {
    tree_[i].count += blocks_[i - 1]->count;
    tree_[i].lines += blocks_[i - 1]->lines;
    const size_t parent = i + (i & (~i + 1));
    if (parent <= n) {
      tree_[parent].count += tree_[i].count;
      tree_[parent].lines += tree_[i].lines;
    }
  }
  treesValid_ = true;
}

void TParaIndex::AddToTrees(uint32_t block, int64_t count, int64_t lines) {
  if (!treesValid_) return;
  const size_t n = blocks_.size();
  for (size_t i = size_t{block} + 1; i <= n; i += i & (~i + 1)) {
    tree_[i].count = static_cast<uint32_t>(int64_t{tree_[i].count} + count);
    tree_[i].lines = static_cast<uint64_t>(static_cast<int64_t>(tree_[i].lines) + lines);
  }
}

// Grows the trees by the last block, which was just added.
void TParaIndex::AppendToTrees() {
  const size_t i = blocks_.size();
  const Block& block = *blocks_.back();
  // Node i covers blocks (i - lowbit(i), i]: the new block plus the nodes of
  // the blocks before it in that range.
  uint32_t count = block.count;
  uint64_t lines = block.lines;
  const size_t low = i & (~i + 1);
  for (size_t j = i - 1; j > i - low; j -= j & (~j + 1)) {
    count += tree_[j].count;
    lines += tree_[j].lines;
  }
  tree_.push_back(TreeNode{count, lines});
}

uint64_t TParaIndex::LinesBeforeBlock(uint32_t block) const {
  EnsureTrees();
  uint64_t sum = 0;
  for (size_t i = block; i > 0; i -= i & (~i + 1)) sum += tree_[i].lines;
  return sum;
}

void TParaIndex::Locate(uint32_t index, uint32_t& block, uint32_t& offset) const {
  EnsureTrees();
  uint32_t rest = index;
  uint64_t lines = 0;
  const size_t pos = DescendTree(tree_, blocks_.size(), &TreeNode::count, rest, &TreeNode::lines, lines);
  block = static_cast<uint32_t>(pos);
  offset = rest;
}

TParaNodeHandle TParaIndex::At(uint32_t index) const {
  if (index >= size_) return 0;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  return blocks_[b]->entries[o].node;
}

uint32_t TParaIndex::LinesAt(uint32_t index) const {
  if (index >= size_) return 0;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  return blocks_[b]->entries[o].lines;
}

void TParaIndex::Insert(uint32_t index, TParaNodeHandle node, uint32_t lines) {
  index = std::min(index, size_);
  uint32_t b = 0, o = 0;
  if (blocks_.empty()) {
    blocks_.push_back(NewBlock());
    treesValid_ = false;
  } else if (index + blocks_.back()->count >= size_) {
    // In the last block (where loading appends): no tree walk needed.
    b = static_cast<uint32_t>(blocks_.size() - 1);
    o = index - (size_ - blocks_[b]->count);
  } else {
    Locate(index, b, o);
  }
  Block* block = blocks_[b];
  if (block->count == kBlockSize) {
    // Split. Insertions at or next to the end keep the block full, so a
    // text built by appending fills its blocks.
    uint32_t keep = kBlockSize / 2;
    if (o >= kBlockSize - 1) keep = o;
    Block* fresh = NewBlock();
    fresh->count = block->count - keep;
    std::memcpy(fresh->entries, block->entries + keep, fresh->count * sizeof(Slot));
    for (uint32_t i = 0; i < fresh->count; ++i) fresh->lines += fresh->entries[i].lines;
    block->count = keep;
    block->lines -= fresh->lines;
    // A block added at the end extends the trees; one in the middle makes
    // them rebuild on the next lookup.
    const bool atEnd = b + 1 == blocks_.size() && treesValid_;
    if (atEnd) AddToTrees(b, -int64_t{fresh->count}, -static_cast<int64_t>(fresh->lines));
    blocks_.insert(blocks_.begin() + b + 1, fresh);
    if (atEnd) {
      AppendToTrees();
    } else {
      treesValid_ = false;
    }
    if (o > keep || (o == keep && keep == kBlockSize)) {
      ++b;
      o -= keep;
    }
    block = blocks_[b];
  }
  std::memmove(block->entries + o + 1, block->entries + o, (block->count - o) * sizeof(Slot));
  block->entries[o] = Slot{node, lines};
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
  Block* block = blocks_[b];
  const uint32_t lines = block->entries[o].lines;
  std::memmove(block->entries + o, block->entries + o + 1, (block->count - o - 1) * sizeof(Slot));
  --block->count;
  block->lines -= lines;
  --size_;
  totalLines_ -= lines;
  if (block->count == 0) {
    FreeBlock(block);
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
  Block* block = blocks_[b];
  const int64_t delta = int64_t{lines} - int64_t{block->entries[o].lines};
  if (delta == 0) return;
  block->entries[o].lines = lines;
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
  // One walk down the count tree; the line tree's nodes on the same path add
  // up to the lines before the block found.
  EnsureTrees();
  uint32_t rest = index;
  uint64_t sum = 0;
  const size_t pos = DescendTree(tree_, blocks_.size(), &TreeNode::count, rest, &TreeNode::lines, sum);
  const uint32_t o = rest;
  const Block* block = blocks_[pos];
  for (uint32_t i = 0; i < o; ++i) sum += block->entries[i].lines;
  linesBefore = sum;
  return block->entries[o].node;
}

uint32_t TParaIndex::FindLine(uint64_t line, uint64_t& linesBefore, TParaNodeHandle* node) const {
  if (size_ == 0) {
    linesBefore = 0;
    if (node != nullptr) *node = 0;
    return 0;
  }
  if (line >= totalLines_) line = totalLines_ - 1;
  EnsureTrees();
  uint64_t rest = line;
  uint32_t before = 0;
  const size_t pos = DescendTree(tree_, blocks_.size(), &TreeNode::lines, rest, &TreeNode::count, before);
  const Block* block = blocks_[pos];
  uint32_t o = 0;
  uint64_t skipped = line - rest;
  while (o + 1 < block->count && block->entries[o].lines <= rest) {
    rest -= block->entries[o].lines;
    skipped += block->entries[o].lines;
    ++o;
  }
  linesBefore = skipped;
  if (node != nullptr) *node = block->entries[o].node;
  return before + o;
}

void TParaIndex::RecountLines(const std::function<uint32_t(TParaNodeHandle)>& linesOf) {
  totalLines_ = 0;
  for (auto& block : blocks_) {
    block->lines = 0;
    for (uint32_t i = 0; i < block->count; ++i) {
      block->entries[i].lines = linesOf(block->entries[i].node);
      block->lines += block->entries[i].lines;
    }
    totalLines_ += block->lines;
  }
  treesValid_ = false;
}

}  // namespace nuvel
