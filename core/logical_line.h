#pragma once
// A paragraph as the keys that change text see it: in reading order. A key
// turns the paragraph to logical order (core/border_order.h), acts at the
// logical caret, and the paragraph is turned back; what changed in storage
// comes out as one stretch, so the editor replaces only that. Where typed
// text of the other direction, a number or a blank at the edge of a run
// ends up in the cells follows from the turn alone.
//
// The caret the screen shows is a stored place, and one stored place can
// stand for two logical ones (the end of a run and the start of the next).
// While the writer types, the editor keeps the logical caret beside the
// stored one; CaretFor only chooses one when the caret was put somewhere by
// a cursor key or the mouse.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/border_map.h"

namespace nuvel {

// A change of stored bytes: `count` bytes from `from` become `bytes`.
struct StoredChange {
  std::size_t from = 0;
  std::size_t count = 0;
  std::vector<uint8_t> bytes;
  bool None() const { return count == 0 && bytes.empty(); }
};

// The smallest stretch that turns `before` into `after`.
StoredChange ChangeBetween(std::span<const uint8_t> before, std::span<const uint8_t> after);

class LogicalLine {
 public:
  // A paragraph as stored.
  LogicalLine(bool englishDocument, std::span<const uint8_t> stored);
  // A paragraph given in reading order.
  static LogicalLine OfLogical(bool englishDocument, std::span<const uint8_t> logical);

  const std::vector<uint8_t>& Text() const { return logical_; }  // reading order
  const std::vector<uint8_t>& Stored() const { return stored_; }
  std::size_t size() const { return logical_.size(); }
  // The logical place of the byte stored at `cell`.
  std::size_t LogicalOf(std::size_t cell) const { return map_.LogicalOf(cell); }

  // The logical caret for the caret shown at stored place `caret` (0 to
  // size), for typing `typed` (0: no character, as for Enter or a paste).
  // Where the place stands for two (between two runs, or at a paragraph's
  // end beside a run kept reversed), the one at which `typed` shows where
  // the caret is; else, and for no character, the paragraph's logical end
  // at its ends and the end of the run before the caret inside.
  std::size_t CaretFor(std::size_t caret, uint8_t typed) const;
  // The stored place the caret is shown at for logical caret `at`: where a
  // further `probe` typed there would show (0: a copy of the byte before
  // the caret), else beside the cell of the byte before it.
  std::size_t StoredCaret(std::size_t at, uint8_t probe = 0) const;

  // Replaces the logical bytes [from, from + count) by `bytes` and turns
  // the paragraph back: the change of the stored bytes.
  StoredChange Replace(std::size_t from, std::size_t count, std::span<const uint8_t> bytes);

 private:
  // Whether the cell at stored place `cell` lies in a run kept reversed.
  bool Reversed(std::size_t cell) const;
  void Turn();
  LogicalLine() = default;

  bool english_ = true;
  std::vector<uint8_t> logical_;
  std::vector<uint8_t> stored_;
  BorderMap map_;
};

}  // namespace nuvel
