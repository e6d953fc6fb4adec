#include "editor/block_line_table.h"

#include <bit>

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


}  // namespace nuvel
