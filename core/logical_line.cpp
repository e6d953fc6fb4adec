#include "core/logical_line.h"

#include <algorithm>

#include "core/border_classes.h"
#include "core/border_order.h"
#include "core/nikud.h"

namespace nuvel {

StoredChange ChangeBetween(std::span<const uint8_t> before, std::span<const uint8_t> after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  StoredChange change;
  change.from = head;
  change.count = before.size() - head - tail;
  change.bytes.assign(after.begin() + static_cast<std::ptrdiff_t>(head),
                      after.end() - static_cast<std::ptrdiff_t>(tail));
  return change;
}

LogicalLine::LogicalLine(bool englishDocument, std::span<const uint8_t> stored)
    : english_(englishDocument), stored_(stored.begin(), stored.end()) {
  map_ = BorderMap::OfStored(english_, stored_, &logical_);
}

LogicalLine LogicalLine::OfLogical(bool englishDocument, std::span<const uint8_t> logical) {
  LogicalLine line;
  line.english_ = englishDocument;
  line.logical_.assign(logical.begin(), logical.end());
  line.Turn();
  return line;
}

void LogicalLine::Turn() { map_ = BorderMap::OfLogical(english_, logical_, &stored_); }

bool LogicalLine::Reversed(std::size_t cell) const {
  const std::size_t n = size();
  const std::size_t at = map_.LogicalOf(cell);
  if (cell + 1 < n && map_.LogicalOf(cell + 1) + 1 == at) return true;
  if (cell > 0 && map_.LogicalOf(cell - 1) == at + 1) return true;
  if (cell + 1 < n && map_.LogicalOf(cell + 1) == at + 1) return false;
  if (cell > 0 && map_.LogicalOf(cell - 1) + 1 == at) return false;
  // A run of one byte: kept reversed when it reads against the document.
  const border::Raw raw = border::RawClass(stored_[cell]);
  return english_ ? raw == border::Raw::R : raw == border::Raw::L || raw == border::Raw::EN;
}

std::size_t LogicalLine::CaretFor(std::size_t caret, uint8_t typed) const {
  const std::size_t n = size();
  caret = std::min(caret, n);
  if (n == 0) return 0;
  // The two logical places the stored place stands for: at the paragraph's
  // ends its logical end and the edge of the run there, inside the ends of
  // the runs on either side.
  std::size_t first = caret == 0 ? 0 : map_.LogicalOf(caret - 1) + (Reversed(caret - 1) ? 0 : 1);
  std::size_t second = caret == n ? n : map_.LogicalOf(caret) + (Reversed(caret) ? 1 : 0);
  if (caret == n) std::swap(first, second);
  if (first == second || typed == 0) return first;
  // The one at which the typed byte takes the caret's cell and moves
  // nothing else.
  for (const std::size_t at : {first, second}) {
    std::vector<uint8_t> text = logical_;
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), typed);
    std::vector<uint8_t> stored;
    BorderMap::OfLogical(english_, text, &stored);
    if (std::equal(stored_.begin(), stored_.begin() + static_cast<std::ptrdiff_t>(caret), stored.begin()) &&
        std::equal(stored_.begin() + static_cast<std::ptrdiff_t>(caret), stored_.end(),
                   stored.begin() + static_cast<std::ptrdiff_t>(caret) + 1)) {
      return at;
    }
  }
  return first;
}

std::size_t LogicalLine::StoredCaret(std::size_t at, uint8_t probe) const {
  const std::size_t n = size();
  at = std::min(at, n);
  if (probe == 0 && n > 0) {
    // The byte before the caret, its letter where that is a point.
    std::size_t before = at;
    while (before > 0 && IsLetterPoint(logical_[before - 1])) --before;
    probe = before > 0 ? logical_[before - 1] : logical_[0];
  }
  if (probe != 0) {
    std::vector<uint8_t> text = logical_;
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), probe);
    std::vector<uint8_t> stored;
    const BorderMap probed = BorderMap::OfLogical(english_, text, &stored);
    const std::size_t cell = probed.StoredOf(at);
    stored.erase(stored.begin() + static_cast<std::ptrdiff_t>(cell));
    if (stored == stored_) return cell;
  }
  if (at > 0) {
    const std::size_t cell = map_.StoredOf(at - 1);
    return Reversed(cell) ? cell : cell + 1;
  }
  if (n > 0) {
    const std::size_t cell = map_.StoredOf(0);
    return Reversed(cell) ? cell + 1 : cell;
  }
  return 0;
}

StoredChange LogicalLine::Replace(std::size_t from, std::size_t count, std::span<const uint8_t> bytes) {
  from = std::min(from, size());
  count = std::min(count, size() - from);
  const std::vector<uint8_t> before = stored_;
  logical_.erase(logical_.begin() + static_cast<std::ptrdiff_t>(from),
                 logical_.begin() + static_cast<std::ptrdiff_t>(from + count));
  logical_.insert(logical_.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin(), bytes.end());
  Turn();
  return ChangeBetween(before, stored_);
}

}  // namespace nuvel
