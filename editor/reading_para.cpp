#include "editor/reading_para.h"

#include <algorithm>

#include "core/border_order.h"

namespace nuvel {

TReadingPara::TReadingPara(std::span<const uint8_t> stored, std::optional<bool> logicalFor)
    : stored_(stored.begin(), stored.end()), english_(logicalFor) {
  if (logicalFor) {
    map_ = BorderMap::OfStored(*logicalFor, stored, &text_);
  } else {
    text_ = stored_;
  }
}

std::size_t TReadingPara::ReadingOf(std::size_t stored) const {
  if (!map_ || stored >= size()) return stored;
  return map_->LogicalOf(stored);
}

std::size_t TReadingPara::StoredOf(std::size_t reading) const {
  if (!map_ || reading >= size()) return reading;
  return map_->StoredOf(reading);
}

std::pair<std::size_t, std::size_t> TReadingPara::StoredStretch(std::size_t from, std::size_t to) const {
  if (!map_ || from >= size()) return {from, std::max(from, to)};
  return map_->StoredStretch(from, to);
}

std::pair<std::size_t, std::size_t> TReadingPara::ReadingStretch(std::size_t from, std::size_t to) const {
  if (!map_ || from >= size()) return {from, std::max(from, to)};
  return map_->LogicalStretch(from, to);
}

TStoredEdit TReadingPara::Replace(std::size_t from, std::size_t to, std::span<const uint8_t> bytes) const {
  from = std::min(from, size());
  to = std::clamp(to, from, size());
  if (!map_) return {from, to, {bytes.begin(), bytes.end()}};
  std::vector<uint8_t> turned;
  turned.reserve(size() - (to - from) + bytes.size());
  turned.insert(turned.end(), text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(from));
  turned.insert(turned.end(), bytes.begin(), bytes.end());
  turned.insert(turned.end(), text_.begin() + static_cast<std::ptrdiff_t>(to), text_.end());
  LogicalToStorage(*english_, turned);
  // Only the stretch between the first and the last byte that differ.
  const std::size_t head = static_cast<std::size_t>(
      std::mismatch(stored_.begin(), stored_.end(), turned.begin(), turned.end()).first - stored_.begin());
  std::size_t tail = 0;
  while (tail < stored_.size() - head && tail < turned.size() - head &&
         stored_[stored_.size() - 1 - tail] == turned[turned.size() - 1 - tail]) {
    ++tail;
  }
  return {head, stored_.size() - tail,
          {turned.begin() + static_cast<std::ptrdiff_t>(head), turned.end() - static_cast<std::ptrdiff_t>(tail)}};
}

}  // namespace nuvel
