#pragma once
// The byte search of the editor's find and replace: one pattern searched
// paragraph by paragraph, exact or without regard to ASCII case. Candidates
// are filtered sixteen or eight bytes at a time by the pattern's first and last byte;
// where words cannot be read that way the skip-table search is used. Only ASCII letters fold: a wider rule would turn Hebrew
// letters (0xE0-0xFA in the system's set) into vowel points.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/bm_search.h"

namespace nuvel {

class TTextSearcher {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  // Without `matchCase` the pattern is upper-cased first, as typed case
  // does not matter.
  TTextSearcher(std::string_view pattern, bool matchCase);

  size_t Length() const { return pattern_.size(); }
  std::span<const uint8_t> Pattern() const {
    return {reinterpret_cast<const uint8_t*>(pattern_.data()), pattern_.size()};
  }
  // The first match starting at or after `from`, as a 0-based offset; npos
  // when none.
  size_t FindFirst(std::span<const uint8_t> text, size_t from = 0) const;
  // The last match lying wholly inside text[0, end); npos when none. It is
  // the last of the forward matches in that part.
  size_t FindLast(std::span<const uint8_t> text, size_t end) const;

 private:
  bool MatchesAt(const uint8_t* text) const;

  std::string pattern_;
  bool matchCase_;
  SkipTable table_{};
};

}  // namespace nuvel
