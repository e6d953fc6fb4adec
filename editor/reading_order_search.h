#pragma once
// Pieces of the search through a paragraph's logical view, for documents
// kept in logical order (core/border_order.h): a quick test on the stored
// bytes of whether a paragraph can hold a match at all, so that only those
// paragraphs are turned into reading order, and the smallest change of the
// stored bytes that gives a paragraph a new logical text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

class BorderMap;

// A stretch of a pattern whose bytes are all ASCII letters, all Hebrew
// letters or all digits stays together when a line is turned into storage
// order, in its order or the other way round. The longest such stretch of
// the pattern is looked for in the stored bytes both ways in one pass: a
// paragraph that holds it neither way cannot hold the pattern in reading
// order.
class TStoredPrefilter {
 public:
  TStoredPrefilter(std::string_view logicalPattern, bool matchCase);
  // False only when the paragraph's logical text cannot hold the pattern.
  bool MayHold(std::span<const uint8_t> stored) const;

 private:
  bool HoldsAt(const uint8_t* at) const;

  std::string pivot_;     // upper-cased without matchCase
  std::string reversed_;  // the pivot the other way round
  bool matchCase_ = true;
};

// The change of stored bytes from `before` to `after`: bytes [first, last)
// of `before` become `fresh`. Equal texts give first == last.
struct TStoredChange {
  std::size_t first = 0;
  std::size_t last = 0;
  std::span<const uint8_t> fresh;
};
TStoredChange StoredChange(std::span<const uint8_t> before, std::span<const uint8_t> after);

// Where a caret between stored bytes `caret - 1` and `caret` (0-based) of a
// paragraph stands in its logical text: for a search forwards the first
// logical place of the bytes from the caret on, for one backwards the end
// of the logical places of the bytes before it, so that no byte on the
// search's side of the caret is passed over.
// The stored cells [from, to) of a paragraph as they read: their bytes in
// logical order (a bracket as the reader sees it).
std::vector<uint8_t> CellsInReadingOrder(bool englishDocument, std::span<const uint8_t> stored, std::size_t from,
                                         std::size_t to);

std::size_t LogicalStartForwards(const BorderMap& map, std::size_t caret);
std::size_t LogicalEndBackwards(const BorderMap& map, std::size_t caret);

}  // namespace nuvel
