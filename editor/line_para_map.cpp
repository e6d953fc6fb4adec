#include "editor/line_para_map.h"

#include <algorithm>

namespace nuvel {

void TLineParaMap::Start(uint64_t lines, uint64_t paragraphs) {
  valid_ = false;
  entries_.clear();
  runFirst_.clear();
  lines_ = 0;
  para_ = 0;
  building_ = lines < UINT32_MAX && paragraphs < UINT32_MAX;
  if (!building_) {
    entries_.shrink_to_fit();
    runFirst_.shrink_to_fit();
    return;
  }
  entries_.resize(lines);
  runFirst_.resize((lines + kRunLines - 1) / kRunLines);
}

void TLineParaMap::AddPara(uint32_t lines) {
  if (!building_) return;
  const auto end = static_cast<uint32_t>(std::min<uint64_t>(lines_ + lines, entries_.size()));
  uint32_t place = 0;
  for (auto line = static_cast<uint32_t>(std::min<uint64_t>(lines_, end)); line < end; ++line, ++place) {
    if (line % kRunLines == 0) runFirst_[line / kRunLines] = para_;
    const uint32_t step = para_ - runFirst_[line / kRunLines];
    entries_[line] = static_cast<uint16_t>(
        step <= kMaxStep && place < kMarked ? (step << kPlaceBits) | place : kMarked);
  }
  lines_ += lines;
  ++para_;
}

void TLineParaMap::Finish() {
  // A map whose lines do not add up to the count it was started with stays
  // invalid rather than answer wrongly.
  valid_ = building_ && lines_ == entries_.size();
  building_ = false;
}

}  // namespace nuvel
