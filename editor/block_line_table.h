#pragma once
// Where each block of the paragraph index starts, in screen lines and in
// entries, and for each run of 2^k lines the block its first line lies in.
// The block holding a line is then found by reading one bucket and comparing
// the starts of the 16 blocks from there at once, instead of walking down the
// index's tree level by level: a jump to a line has fewer instructions before
// its reads from memory, so more jumps are under way at once. The table is
// built whole, so any change of a block's lines or entries makes it stale
// until it is built again.
#include <bit>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {

class TBlockLineTable {
 public:
  // Starts a new table; blocks are then added in order and Finish seals it.
  void Start();
  void AddBlock(uint32_t lines, uint32_t entries);
  void Finish();
  void Invalidate() { valid_ = false; }
  bool Valid() const { return valid_; }

  // The block holding line `rest` (below the total of lines) of a valid
  // table: `rest` is left as the line's place in that block and
  // `entriesBefore` is set to the entries of the blocks before it. A block
  // with no lines is passed over for the next. kNotFound, with nothing
  // changed, when the line lies past the 16 blocks from its bucket's first.
  static constexpr uint32_t kNotFound = UINT32_MAX;
  // Lines of block `block` of a valid table.
  uint32_t LinesOf(uint32_t block) const {
    const uint32_t next = lineStarts_[block + 1];
    return (next < lines_ ? next : lines_) - lineStarts_[block];
  }
  // Inline: it lies on the path of every jump to a line.
  uint32_t Find(uint32_t& rest, uint32_t& entriesBefore) const {
    const uint32_t first = bucketBlock_[rest >> bucketBits_];
    const uint32_t* starts = lineStarts_.data() + first;
    // How many of the 16 starts lie within `rest` (the first always does).
#if defined(__SSE2__)
    const __m128i bias = _mm_set1_epi32(INT32_MIN);
    const __m128i r = _mm_set1_epi32(static_cast<int32_t>(rest ^ 0x80000000u));
    const auto* v = reinterpret_cast<const __m128i*>(starts);
    const auto above = [&](int i) { return _mm_cmpgt_epi32(_mm_xor_si128(_mm_loadu_si128(v + i), bias), r); };
    const __m128i bits = _mm_packs_epi16(_mm_packs_epi32(above(0), above(1)), _mm_packs_epi32(above(2), above(3)));
    const auto within =
        static_cast<uint32_t>(std::countr_zero(static_cast<uint32_t>(_mm_movemask_epi8(bits)) | (1u << kSpan)));
#else
    uint32_t within = 0;
    while (within < kSpan && starts[within] <= rest) ++within;
#endif
    if (within == kSpan) return kNotFound;
    const uint32_t block = first + within - 1;
    rest -= lineStarts_[block];
    entriesBefore = entryStarts_[block];
    return block;
  }

 private:
  static constexpr uint32_t kSpan = 16;  // blocks compared at once
  std::vector<uint32_t> lineStarts_;     // per block, then kSpan copies of "past every line"
  std::vector<uint32_t> entryStarts_;    // per block
  std::vector<uint32_t> bucketBlock_;    // per 2^bucketBits_ lines
  uint32_t bucketBits_ = 0;
  uint32_t lines_ = 0;
  uint32_t entries_ = 0;
  bool valid_ = false;
};

}  // namespace nuvel
