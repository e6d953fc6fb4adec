#include "editor/counter_markers.h"

#include <algorithm>
#include <charconv>

#include "core/hebrew_numerals.h"
#include "core/text_reversal.h"

namespace nuvel {

namespace {
constexpr std::size_t kMarkerReach = 255;
constexpr uint8_t kAyin = 0xF2;
}  // namespace

std::optional<TCounterMarker> FindCounterMarker(std::span<const uint8_t> text, std::size_t from, uint8_t digit,
                                                bool english) {
  const uint8_t open = english ? '<' : '>';
  const uint8_t close = english ? '>' : '<';
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] != open) continue;
    auto at = [&](std::size_t k) -> int { return i + k < text.size() ? text[i + k] : -1; };
    bool hebrew = false;
    std::size_t body = 0;  // bytes of the head: bracket, kind letters, digit
    if (at(1) == '#' && at(2) == digit) {
      body = 3;
    } else if (at(1) >= 0 && (english ? (at(2) == 'H' || at(2) == 'h') : at(2) == kAyin) && at(3) == digit) {
      hebrew = true;
      body = 4;
    } else {
      continue;
    }
    const std::size_t limit = std::min(text.size(), i + kMarkerReach);
    for (std::size_t k = i + body; k < limit; ++k) {
      if (text[k] == close) return TCounterMarker{i, k - i + 1, hebrew};
    }
  }
  return std::nullopt;
}

std::string CounterText(int32_t n, uint8_t digit, bool hebrewNumeral, bool english, uint8_t mode) {
  std::string number;
  if (hebrewNumeral) {
    number = IntToHebNum(n);
  } else {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    number.assign(buf, r.ptr);
  }
  if (!english) ReverseStr(number);
  if (mode == 0) return number;
  std::string marker(1, english ? '<' : '>');
  marker += '#';
  if (hebrewNumeral) marker += english ? 'H' : static_cast<char>(kAyin);
  marker += static_cast<char>(digit);
  marker += " :";
  marker += number;
  marker += english ? '>' : '<';
  return marker;
}

}  // namespace nuvel
