#pragma once
// The conversion of a save, one paragraph at a time: what ConvertText(text,
// true) does to a whole document, for a writer that converts each paragraph
// just before it writes it, so that no converted copy of the whole text is
// ever held.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/conv_engine.h"
#include "core/conv_context.h"

namespace nuvel {

class TParagraphOutConversion {
 public:
  // Prepares a table of its own for `mode`.
  explicit TParagraphOutConversion(int mode);
  TParagraphOutConversion(const TParagraphOutConversion&) = delete;
  TParagraphOutConversion& operator=(const TParagraphOutConversion&) = delete;

  // False when the mode leaves the bytes as they are (modes 0, 7 and those
  // that convert no bytes).
  bool Converts() const { return converts_; }
  // `para` converted out into `out`; an empty paragraph stays empty.
  void Convert(std::span<const uint8_t> para, std::vector<uint8_t>& out) const;

 private:
  std::optional<PreparedConv> prepared_;
  bool converts_ = false;
};

}  // namespace nuvel
