#pragma once
// The map between a paragraph's places in storage order (its cells, as the
// document keeps and shows them) and in logical order (as it is read, saved
// and searched), by the very turn of core/border_order.h: the logical text
// is StorageToLogical of the stored one, and byte `l` of it is the byte
// kept at StoredOf(l) (a bracket in a right-to-left run shown the other way
// round). Tools that work on the logical text use it to find their way back
// to the cells: a match in the logical text covers the cells of
// StoredStretch, a word read in reading order is the logical stretch of its
// cells. Where bytes are alike (a repeated digit, a bracket shown the other
// way round) the map is the one by which the turn from logical order moves
// them, whichever order it is built from.
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace nuvel {

class BorderMap {
 public:
  // The map of a paragraph as stored; `logical`, when given, receives its
  // logical text.
  static BorderMap OfStored(bool englishDocument, std::span<const uint8_t> stored,
                            std::vector<uint8_t>* logical = nullptr);
  // The map of a paragraph given in logical order; `stored`, when given,
  // receives its storage.
  static BorderMap OfLogical(bool englishDocument, std::span<const uint8_t> logical,
                             std::vector<uint8_t>* stored = nullptr);

  std::size_t size() const { return logicalOf_.size(); }
  // The logical index of the byte stored at `stored`, and the inverse.
  std::size_t LogicalOf(std::size_t stored) const { return logicalOf_[stored]; }
  std::size_t StoredOf(std::size_t logical) const { return storedOf_[logical]; }

  // The smallest stored stretch [first, second) that holds every byte of
  // the logical stretch [from, to); an empty stretch gives an empty one at
  // `from`'s cell. The stretch may hold other bytes too where the logical
  // one crosses a run's edge.
  std::pair<std::size_t, std::size_t> StoredStretch(std::size_t from, std::size_t to) const;
  // The smallest logical stretch that holds every byte of the stored
  // stretch [from, to).
  std::pair<std::size_t, std::size_t> LogicalStretch(std::size_t from, std::size_t to) const;

 private:
  std::vector<uint32_t> logicalOf_;  // by stored index
  std::vector<uint32_t> storedOf_;   // by logical index
};

}  // namespace nuvel
