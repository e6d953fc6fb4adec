#include "editor/block_line_table.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {

void TBlockLineTable::Start() {
  valid_ = false;
  lineStarts_.clear();
  entryStarts_.clear();
  bucketBlock_.clear();
  lines_ = 0;
  entries_ = 0;
}

void TBlockLineTable::AddBlock(uint32_t lines, uint32_t entries) {
  lineStarts_.push_back(lines_);
  entryStarts_.push_back(entries_);
  lines_ += lines;
  entries_ += entries;
}

void TBlockLineTable::Finish() {
  const auto blocks = static_cast<uint32_t>(lineStarts_.size());
  lineStarts_.insert(lineStarts_.end(), kSpan, UINT32_MAX);
  // Buckets of about a block's lines each, so that a bucket's line lies in
  // the bucket's first block or one of the next few.
  bucketBits_ = blocks == 0 || lines_ / blocks < 2 ? 0 : static_cast<uint32_t>(std::bit_width(lines_ / blocks)) - 1;
  const uint32_t buckets = lines_ == 0 ? 0 : ((lines_ - 1) >> bucketBits_) + 1;
  bucketBlock_.resize(buckets);
  uint32_t block = 0;
  for (uint32_t j = 0; j < buckets; ++j) {
    const uint32_t line = j << bucketBits_;
    while (block + 1 < blocks && lineStarts_[block + 1] <= line) ++block;
    bucketBlock_[j] = block;
  }
  valid_ = true;
}

uint32_t TBlockLineTable::Find(uint32_t& rest, uint32_t& entriesBefore) const {
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

}  // namespace nuvel
