#pragma once
// Entry and line totals of a sequence of blocks, kept as a tree of 16-way
// nodes stored level by level. Each node holds, for each of its 16 children,
// the totals of the children before it, in one cache line for entries and one
// for lines, so a lookup reads one line per level and picks the child by
// comparing all 16 totals at once, without a branch that depends on the data.
// A million paragraphs in blocks of 256 need three levels, which stay in the
// cache. Totals are 32-bit: a text holds fewer than 2^32 paragraphs and
// screen lines. The lookups are inline: they lie on the path of every jump,
// whose reads from memory wait for them.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  size_t FindEntry(uint32_t& rest, uint64_t& linesBefore) const {
    uint32_t lines = 0;
    const size_t block = Find<true>(rest, lines);
    linesBefore += lines;
    return block;
  }
  size_t FindEntry(uint32_t& rest) const {
    uint32_t unused = 0;
    return Find<false>(rest, unused);
  }
  // The block holding line `rest` (below the total of lines): `rest` is left
  // as the line's place in that block and `entriesBefore` gains the entries
  // of the blocks before it.
  size_t FindLine(uint32_t& rest, uint32_t& entriesBefore) const {
    uint32_t entries = 0;
    const size_t block = Find<true, true>(rest, entries);
    entriesBefore += entries;
    return block;
  }
  // Lines of the blocks before `block`.
  uint64_t LinesBefore(size_t block) const;

 private:
  static constexpr size_t kFan = 16;
  static constexpr unsigned kFanBits = 4;
  // Slot i holds the totals of the children before child i (slot 0 holds
  // 0); slots past the last child hold the node's whole.
  struct alignas(64) SumNode {
    uint32_t sum[kFan];
  };
  struct Level {
    std::vector<SumNode> counts;
    std::vector<SumNode> lines;
  };

  // The child of `node` holding `rest`: the last slot whose total is within
  // `rest`. Slot 0 always is, and a slot past the child holding `rest` never.
  static uint32_t ChildWithin(const SumNode& node, uint32_t rest) {
#if defined(__SSE2__)
    // Unsigned order by signed comparison after flipping the top bits.
    const __m128i bias = _mm_set1_epi32(INT32_MIN);
    const __m128i r = _mm_set1_epi32(static_cast<int32_t>(rest ^ 0x80000000u));
    const auto* v = reinterpret_cast<const __m128i*>(node.sum);
    const auto above = [&](int i) { return _mm_cmpgt_epi32(_mm_xor_si128(_mm_load_si128(v + i), bias), r); };
    const __m128i bits = _mm_packs_epi16(_mm_packs_epi32(above(0), above(1)), _mm_packs_epi32(above(2), above(3)));
    // The first slot above `rest` follows the child; bit 16 stands in for
    // the slot after the last.
    return static_cast<uint32_t>(std::countr_zero(static_cast<uint32_t>(_mm_movemask_epi8(bits)) | 0x10000u)) - 1;
#else
    // Four halvings, each comparing one total and adding without a branch.
    uint32_t child = node.sum[8] <= rest ? 8u : 0u;
    child += node.sum[child + 4] <= rest ? 4u : 0u;
    child += node.sum[child + 2] <= rest ? 2u : 0u;
    child += node.sum[child + 1] <= rest ? 1u : 0u;
    return child;
#endif
  }

  // One walk down by entries (or by lines), gathering the other totals of
  // the blocks passed when `gather`.
  template <bool gather, bool byLines = false>
  size_t Find(uint32_t& rest, uint32_t& other) const {
    size_t node = 0;
    uint32_t r = rest, sum = 0;
    for (size_t k = levelCount_; k-- > 0;) {
      const SumNode& by = (byLines ? bases_[k].lines : bases_[k].counts)[node];
      const uint32_t child = ChildWithin(by, r);
      r -= by.sum[child];
      if constexpr (gather) sum += (byLines ? bases_[k].counts : bases_[k].lines)[node].sum[child];
      node = node * kFan + child;
    }
    rest = r;
    other = sum;
    return node;
  }

  // Takes the levels' node arrays into bases_ after they may have moved.
  void RefreshBases();

  std::vector<Level> levels_;  // levels_[0] has one slot per block; the last is a single node
  size_t levelCount_ = 0;
  size_t size_ = 0;
  uint32_t countWhole_ = 0;
  uint32_t linesWhole_ = 0;
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
