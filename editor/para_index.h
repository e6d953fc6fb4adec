#pragma once
// The order of a text's paragraphs with the screen-line count of each, kept
// in blocks of up to 256 entries under a 16-way tree of block totals
// (entries and lines). It answers "which node is paragraph n" and "which
// paragraph holds screen line l" in a few cache-line reads, so a jump anywhere
// in a long text costs little more than a step. Blocks this large keep the
// tree at three levels up to a million paragraphs: each level is work that
// stands between a jump and its first read from memory. The lines of each
// group of eight entries of a block are kept too, and a group's entries fill
// one cache line, so finding a line reads one line of the block. Insertion and
// removal touch one block; the tree is rebuilt lazily after a block is split
// or dropped.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "editor/block_line_table.h"
#include "editor/block_sum_tree.h"
#include "editor/line_para_map.h"
#include "editor/para_node.h"
#include "editor/prefetch.h"

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
  // Inline: a jump to a paragraph goes through here, and the fewer the
  // instructions before its reads from memory, the more jumps the processor
  // keeps under way at once.
  TParaNodeHandle At(uint32_t index) const {
    if (index >= size_) return 0;
    uint32_t rest = index;
    const Block& block = *blocks_[BlockOf(rest)];
    FetchText(block.textHints[rest]);
    return block.entries[rest].node;
  }
  uint32_t LinesAt(uint32_t index) const;
  // `text` is where the entry's bytes lie (null when it has none): lookups
  // start fetching them together with the node. It is only a guide, so a
  // text that has moved since costs a wasted fetch, never a wrong answer.
  void Insert(uint32_t index, TParaNodeHandle node, uint32_t lines, const void* text = nullptr);
  void Erase(uint32_t index);
  void SetLines(uint32_t index, uint32_t lines);
  // Sets the line count and the place of the text together.
  void SetLinesAndText(uint32_t index, uint32_t lines, const void* text);
  // Lines of the paragraphs before `index`.
  uint64_t LinesBefore(uint32_t index) const;
  // The node at `index` and the lines of the paragraphs before it.
  TParaNodeHandle Entry(uint32_t index, uint64_t& linesBefore) const;
  // The paragraph holding 0-based screen line `line` (below TotalLines) and
  // the number of lines before that paragraph.
  uint32_t FindLine(uint64_t line, uint64_t& linesBefore, TParaNodeHandle* node = nullptr) const;
  // The same from the line map alone, for a jump to a line with as little
  // work as can be before its reads from memory: the paragraph holding
  // `line`, its node and the line's place there (from 0), with the
  // paragraph's text asked for. False, with nothing set, when the map is not
  // built or leaves the line to FindLine.
  bool FindLineInMap(uint32_t line, uint32_t& index, uint32_t& lineInPara, TParaNodeHandle& node) const {
    if (!lineMap_.Valid() || line >= totalLines_) return false;
    uint32_t para = 0, place = 0;
    if (!lineMap_.Find(line, para, place) || para >= fullRun_ * kBlockSize) return false;
    const Block& block = *blocks_[para / kBlockSize];
    const uint32_t offset = para % kBlockSize;
    FetchText(block.textHints[offset], place * 64);
    node = block.entries[offset].node;
    index = para;
    lineInPara = place;
    return true;
  }
  // Takes every entry's line count anew from `linesOf`.
  void RecountLines(const std::function<uint32_t(TParaNodeHandle)>& linesOf);

 private:
  static constexpr uint32_t kBlockSize = 256;
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
    alignas(64) Slot entries[kBlockSize];
    // Where each entry's text lay when last told (see TextHint).
    uint32_t textHints[kBlockSize];
  };
  // The running totals of a block's entries' lines by groups of eight:
  // end[g] holds the lines of entries 0..8g+7 (only those below the count),
  // so the last is the block's whole. They lie in a table of their own beside
  // the block pointers, dense enough to stay in the cache, so finding a line
  // in a block reads one line of its entries, and finding a paragraph reads
  // only the pointers.
  struct alignas(64) GroupEnds {
    uint32_t end[kGroups];
    uint32_t Lines() const { return end[kGroups - 1]; }
  };

  // The number of entries among eight from `slots` whose running lines stay
  // within `rest`, and their lines.
  static void EntryWithin(const Slot* slots, uint32_t rest, uint32_t& entry, uint32_t& linesBefore);
  void EnsureTrees() const {
    if (!treesValid_) RebuildTrees();
  }
  void RebuildTrees() const;
  // A text's place as 8-byte steps from hintBase_, in 32 bits; 0 when unknown
  // or too far from the base. The base is taken from the first text told.
  uint32_t TextHint(const void* text);
  // Starts fetching the text at `hint`.
  void FetchText(uint32_t hint) const { PrefetchForRead(reinterpret_cast<const void*>(TextPlace(hint))); }
  // The same and the bytes `ahead` of its start. Without a condition: a fetch
  // inside one may be dropped by the compiler, and fetching the base for an
  // unknown place costs next to nothing.
  void FetchText(uint32_t hint, uint32_t ahead) const {
    PrefetchForRead(reinterpret_cast<const void*>(TextPlace(hint)));
    PrefetchForRead(reinterpret_cast<const void*>(TextPlace(hint) + ahead));
  }
  uintptr_t TextPlace(uint32_t hint) const { return hintBase_ + (uintptr_t{hint} << 3); }
  // Insert at the end, or before the last entry, when the last block has
  // room: the way a text being loaded grows (before the text's own last
  // paragraph), with at most one entry to move and no groups to count again.
  void InsertAtEnd(bool beforeLast, TParaNodeHandle node, uint32_t lines, const void* text);
  // Sets the running group totals of block `b` from group `fromGroup` on.
  void RecountGroups(uint32_t b, uint32_t fromGroup);
  // Lines of the entries before `offset` in block `b`.
  uint32_t LinesInBlockBefore(uint32_t b, uint32_t offset) const;
  void SetLinesAt(uint32_t block, uint32_t offset, uint32_t lines);
  // Block and offset of an existing entry.
  void Locate(uint32_t index, uint32_t& block, uint32_t& offset) const;
  // The block of existing entry `rest`, leaving `rest` as its place there.
  // In the run of full blocks at the start (all of a text as loaded) that
  // is arithmetic; past it, a walk down the tree.
  uint32_t BlockOf(uint32_t& rest) const {
    if (rest < fullRun_ * kBlockSize) {
      const uint32_t block = rest / kBlockSize;
      rest %= kBlockSize;
      return block;
    }
    EnsureTrees();
    return static_cast<uint32_t>(tree_.FindEntry(rest));
  }
  // Blocks `first` to `last` (and the blocks after them, by their place)
  // have changed: the run of full blocks ends before them at most, or grows
  // over those of them that are full now.
  void NoteCountsChanged(uint32_t first, uint32_t last) const;
  // Whether lineTable_ may answer, building it when lookups have come
  // without changes for a while.
  bool LineTableReady() const { return lineTable_.Valid() || BuildLineTable(); }
  bool BuildLineTable() const;
  void LinesOrEntriesChanged() {
    lineTable_.Invalidate();
    lineMap_.Invalidate();
    lookupsSinceChange_ = 0;
  }

  // Blocks come from chunks of neighbouring memory, so blocks made one after
  // the other (as loading does) lie together. The first chunk is small, for
  // the many short texts; the later ones are as large as a large page, and
  // from the third on they are given large pages, as a long text being
  // loaded would otherwise take a fault every few blocks.
  Block* NewBlock();
  void FreeBlock(Block* block);
  static constexpr uint32_t kFirstChunkBlocks = 32;
  static constexpr uint32_t kLargeChunkBlocks = 2u * 1024 * 1024 / sizeof(Block);
  struct ChunkRelease {
    bool mapped = false;  // from MapLargeBlock, else from the heap
    void operator()(Block* blocks) const;
  };
  std::vector<std::unique_ptr<Block, ChunkRelease>> blockChunks_;
  std::vector<Block*> freeBlocks_;
  uint32_t chunkUsed_ = 0;
  uint32_t chunkBlocks_ = 0;  // of the last chunk

  std::vector<Block*> blocks_;          // in text order
  std::vector<GroupEnds> groupEnds_;   // of blocks_, by the same number
  mutable TBlockSumTree tree_;  // totals of blocks_, in order
  mutable bool treesValid_ = true;
  // How many blocks from the first hold kBlockSize entries each; a block
  // further on may be full too (counted again when the tree is rebuilt).
  mutable uint32_t fullRun_ = 0;
  // The block starts by lines, for finding lines without the tree; built
  // after kLookupsBeforeLineTable lookups in a row without a change.
  static constexpr uint32_t kLookupsBeforeLineTable = 256;
  mutable TBlockLineTable lineTable_;
  // The paragraph of every line, built with lineTable_: a line is then found
  // without reading its block's group totals.
  mutable TLineParaMap lineMap_;
  mutable uint32_t lookupsSinceChange_ = 0;
  uint32_t size_ = 0;
  uint64_t totalLines_ = 0;
  uintptr_t hintBase_ = 0;
};

}  // namespace nuvel
