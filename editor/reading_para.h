#pragma once
// A paragraph as the tools that read words see it (the speller, Compare,
// the word at the caret, Reformat, capitalising): in reading order for a
// document read through the border or a new one, whose English inside
// Hebrew (or Hebrew inside English) is stored reversed; as stored for the
// system's visual forms, whose tools work on the stored order. Places in
// the reading text are found back in the stored cells, and a change made to
// the reading text is written back through the same turn as the stretch of
// stored bytes it changes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "core/border_map.h"

namespace nuvel {

// The stored bytes [From, To) become Bytes.
struct TStoredEdit {
  std::size_t From = 0;
  std::size_t To = 0;
  std::vector<uint8_t> Bytes;
};

class TReadingPara {
 public:
  // `logicalFor`: the document's direction (true: English) when it keeps
  // its text in reading order; nullopt for a visual form.
  TReadingPara(std::span<const uint8_t> stored, std::optional<bool> logicalFor);

  std::span<const uint8_t> Text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  bool Turned() const { return map_.has_value(); }
  // True when this is the reading of `stored` for `logicalFor`.
  bool Reads(std::span<const uint8_t> stored, std::optional<bool> logicalFor) const {
    return english_ == logicalFor && std::equal(stored.begin(), stored.end(), stored_.begin(), stored_.end());
  }

  // The reading index of stored cell `stored` and the inverse (0-based).
  std::size_t ReadingOf(std::size_t stored) const;
  std::size_t StoredOf(std::size_t reading) const;
  // The smallest stored stretch [first, second) holding the reading stretch
  // [from, to), and the other way.
  std::pair<std::size_t, std::size_t> StoredStretch(std::size_t from, std::size_t to) const;
  std::pair<std::size_t, std::size_t> ReadingStretch(std::size_t from, std::size_t to) const;

  // The change of the stored bytes that puts `bytes` (in reading order) in
  // the place of the reading stretch [from, to): the paragraph is turned
  // back whole, and the edit covers only the bytes that differ.
  TStoredEdit Replace(std::size_t from, std::size_t to, std::span<const uint8_t> bytes) const;

 private:
  std::vector<uint8_t> stored_;
  std::vector<uint8_t> text_;
  std::optional<bool> english_;
  std::optional<BorderMap> map_;
};

}  // namespace nuvel
