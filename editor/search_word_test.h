#pragma once
// The word tests of the search option word over one candidate match: a
// delimiter (or the paragraph's edge) before it, after it, or both.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "editor/custom_editor.h"
#include "editor/search_options.h"

namespace nuvel {

class TWordTest {
 public:
  TWordTest(const TNvcCustomEditor& editor, uint16_t options)
      : editor_(editor),
        needBefore_((options & (kSearchWholeWord | kSearchWordStart)) != 0),
        needAfter_((options & (kSearchWholeWord | kSearchWordEnd)) != 0) {}

  bool Any() const { return needBefore_ || needAfter_; }
  // `before` and `after` are the bytes next to the match, absent at the
  // paragraph's edges.
  bool Passes(std::optional<uint8_t> before, std::optional<uint8_t> after) const {
    if (needBefore_ && before && !editor_.IsDelimiter(*before)) return false;
    if (needAfter_ && after && !editor_.IsDelimiter(*after)) return false;
    return true;
  }
  // The same for text[at, at + length).
  bool PassesAt(std::span<const uint8_t> text, std::size_t at, std::size_t length) const {
    return Passes(at > 0 ? std::optional<uint8_t>(text[at - 1]) : std::nullopt,
                  at + length < text.size() ? std::optional<uint8_t>(text[at + length]) : std::nullopt);
  }

 private:
  const TNvcCustomEditor& editor_;
  bool needBefore_;
  bool needAfter_;
};

}  // namespace nuvel
