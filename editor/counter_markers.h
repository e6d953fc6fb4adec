#pragma once
// Numbering counters stored in the text. With d a digit 1-9 and the
// document's brackets ("<" opens and ">" closes in an English document, the
// other way round in a Hebrew one):
//   decimal:        open "#" d ... close
//   Hebrew numeral: open <any byte> "H"/"h" d ... close
//                   (ayin 0xF2 in place of the H in a Hebrew document)
// A marker counts only when it closes within 255 bytes of its start and
// inside its paragraph.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace nuvel {

struct TCounterMarker {
  std::size_t Start = 0;   // 0-based index of the opening bracket
  std::size_t Length = 0;  // up to and including the closing bracket
  bool Hebrew = false;     // a Hebrew-numeral marker
};

// The first closed marker of digit `digit` ('1'..'9') at or after `from`.
std::optional<TCounterMarker> FindCounterMarker(std::span<const uint8_t> text, std::size_t from, uint8_t digit,
                                                bool english);

// The text that takes a marker's place for counter value `n`: the number
// alone (mode 0) or the marker rebuilt around it (mode 1), with the number
// in decimal or in Hebrew numeral letters and reversed in a Hebrew document.
std::string CounterText(int32_t n, uint8_t digit, bool hebrewNumeral, bool english, uint8_t mode);

}  // namespace nuvel
