#pragma once
// The order of a text's paragraphs with the screen-line count of each, kept
// in blocks of up to 64 entries under a 16-way tree of block totals (entries
// and lines). It answers "which node is paragraph n" and "which paragraph
// holds screen line l" in a few cache-line reads, so a jump anywhere in a long
// text costs little more than a step. The lines of each group of eight entries
// of a block are kept too, and a group's entries fill one cache line, so
// finding a line reads one line of the block. Insertion
// and removal touch one block; the tree is rebuilt lazily after a block is
// split or dropped.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "editor/block_sum_tree.h"
#include "editor/para_node.h"

namespace nuvel {

class TParaIndex {
 public:
  TParaIndex();
  ~TParaIndex();
  TParaIndex(const TParaIndex&) = delete;
  TParaIndex& operator=(const TParaIndex&) = delete;

  void Clear();
  uint32_t Size() const { return size_; }
  uint64_t TotalLines() const { return totalLines_; }

  // All positions are 0-based paragraph indexes.
  TParaNodeHandle At(uint32_t index) const;
  uint32_t LinesAt(uint32_t index) const;
  void Insert(uint32_t index, TParaNodeHandle node, uint32_t lines);
  void Erase(uint32_t index);
  void SetLines(uint32_t index, uint32_t lines);
  // Lines of the paragraphs before `index`.
  uint64_t LinesBefore(uint32_t index) const;
  // The node at `index` and the lines of the paragraphs before it.
  TParaNodeHandle Entry(uint32_t index, uint64_t& linesBefore) const;
  // The paragraph holding 0-based screen line `line` (below TotalLines) and
  // the number of lines before that paragraph.
  uint32_t FindLine(uint64_t line, uint64_t& linesBefore, TParaNodeHandle* node = nullptr) const;
  // Takes every entry's line count anew from `linesOf`.
  void RecountLines(const std::function<uint32_t(TParaNodeHandle)>& linesOf);

 private:
  static constexpr uint32_t kBlockSize = 64;
  static constexpr uint32_t kGroupSize = 8;
  static constexpr uint32_t kGroups = kBlockSize / kGroupSize;
  // A paragraph's node and line count side by side, so a lookup reads one
  // place of the block.
  struct Slot {
    TParaNodeHandle node;
    uint32_t lines;
  };
  struct Block {
    uint32_t count = 0;
    uint64_t lines = 0;
    alignas(64) Slot entries[kBlockSize];
  };
  // A block in text order with the lines of its entries 8g..8g+7 (only those
  // below its count; 0 past them). The group totals lie beside the pointer,
  // in a table dense enough to stay in the cache, so finding a line in a
  // block reads one line of its entries.
  struct BlockRef {
    Block* block;
    uint32_t groupLines[kGroups];
  };

  void EnsureTrees() const;
  // Sets the group totals of a block from group `fromGroup` on.
  static void RecountGroups(BlockRef& ref, uint32_t fromGroup);
  // Lines of the entries before `offset` in a block.
  static uint64_t LinesInBlockBefore(const BlockRef& ref, uint32_t offset);
  // Block and offset of an existing entry.
  void Locate(uint32_t index, uint32_t& block, uint32_t& offset) const;

  // Blocks come from chunks of neighbouring memory, so blocks made one after
  // the other (as loading does) lie together.
  Block* NewBlock();
  void FreeBlock(Block* block);
  static constexpr uint32_t kBlocksPerChunk = 256;
  std::vector<std::unique_ptr<Block[]>> blockChunks_;
  std::vector<Block*> freeBlocks_;
  uint32_t chunkUsed_ = kBlocksPerChunk;

  std::vector<BlockRef> blocks_;
  mutable TBlockSumTree tree_;  // totals of blocks_, in order
  mutable bool treesValid_ = true;
  uint32_t size_ = 0;
  uint64_t totalLines_ = 0;
};

}  // namespace nuvel
