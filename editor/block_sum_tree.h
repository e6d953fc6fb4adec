#pragma once
// Entry and line totals of a sequence of blocks, kept as a tree of 16-way
// nodes stored level by level. Each node holds the running totals of its 16
// children in one cache line for entries and one for lines, so a lookup reads
// one line per level and picks the child by comparing all 16 totals at once,
// without a branch that depends on the data. A million paragraphs in blocks
// of 256 need three levels, which stay in the cache. Totals
// are 32-bit: a text holds fewer than 2^32 paragraphs and screen lines.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace nuvel {

class TBlockSumTree {
 public:
  void Clear();
  size_t Size() const { return size_; }
  // Adds a block after the last one.
  void Append(uint32_t count, uint32_t lines);
  // Changes the totals of an existing block by the given amounts.
  void Add(size_t block, int64_t count, int64_t lines);

  // The block holding entry `rest` (below the total of entries): `rest` is
  // left as the entry's place in that block and `linesBefore` gains the lines
  // of the blocks before it.
  size_t FindEntry(uint32_t& rest, uint64_t& linesBefore) const;
  size_t FindEntry(uint32_t& rest) const;
  // The block holding line `rest` (below the total of lines): `rest` is left
  // as the line's place in that block and `entriesBefore` gains the entries
  // of the blocks before it.
  size_t FindLine(uint32_t& rest, uint32_t& entriesBefore) const;
  // Lines of the blocks before `block`.
  uint64_t LinesBefore(size_t block) const;

 private:
  static constexpr size_t kFan = 16;
  static constexpr unsigned kFanBits = 4;
  // Running totals over a node's children: slot i holds the children 0..i
  // together; slots past the last child repeat the node's whole. Each is kept
  // with its top bit flipped, so that signed comparisons order them.
  struct alignas(64) SumNode {
    uint32_t sum[kFan];
  };
  struct Level {
    std::vector<SumNode> counts;
    std::vector<SumNode> lines;
  };

  // A node whose totals are all 0.
  static SumNode EmptyNode();
  // Takes the levels' node arrays into bases_ after they may have moved.
  void RefreshBases();

  std::vector<Level> levels_;  // levels_[0] has one slot per block; the last is a single node
  size_t size_ = 0;
  // The first node of each level's counts and lines, so a lookup reads one
  // pointer a level instead of walking the vectors.
  static constexpr size_t kMaxLevels = 9;  // 16^8 blocks hold every 32-bit count
  struct Bases {
    const SumNode* counts;
    const SumNode* lines;
  };
  std::array<Bases, kMaxLevels> bases_{};
};

}  // namespace nuvel
