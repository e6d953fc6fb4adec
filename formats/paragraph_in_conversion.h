#pragma once
// The conversion of a load, one paragraph at a time: what ConvertText(text,
// false) does to a whole document, for a reader whose paragraphs are
// converted (and turned into storage order) before they enter the document,
// so that each is stored once, already in its final form.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/conv_engine.h"
#include "core/conv_context.h"
#include "formats/text_conversion.h"

namespace nuvel {

class TParagraphInConversion {
 public:
  // Prepares the tables of `mode` (its own, both ways). With `turnFor`,
  // converted paragraphs are turned from logical order into the storage
  // order of a document of that direction (true: English).
  TParagraphInConversion(int mode, std::optional<bool> turnFor);
  TParagraphInConversion(const TParagraphInConversion&) = delete;
  TParagraphInConversion& operator=(const TParagraphInConversion&) = delete;

  // False when the mode leaves the bytes as they are: nothing to do.
  bool Converts() const { return converts_; }
  // `para` (not empty) converted in and turned, into `out`; notes in the
  // report what the text could not keep.
  void Convert(std::span<const uint8_t> para, std::vector<uint8_t>& out);
  // What the paragraphs converted so far could not keep; `turned` once the
  // conversion converts.
  const TConvertReport& Report() const { return report_; }

 private:
  std::optional<PreparedConv> in_;
  std::optional<PreparedConv> back_;
  std::array<uint8_t, 256> unproven_{};  // 0: a byte that comes back unchanged whatever stands around it
  std::array<uint8_t, 256> lost_{};      // 1: a character the system's set has no byte for
  bool anyProven_ = false;
  bool countBytes_ = false;
  bool converts_ = false;
  std::optional<bool> turnFor_;
  TConvertReport report_;
  std::vector<uint8_t> again_;
  std::vector<uint8_t> expanded_;  // the paragraph with the look-alike texts
};

}  // namespace nuvel
