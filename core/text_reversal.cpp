#include "core/text_reversal.h"

#include <algorithm>

namespace nuvel {

std::string ReverseShortStr(std::string_view src) { return std::string(src.rbegin(), src.rend()); }

void ReverseStr(std::string& s) { std::reverse(s.begin(), s.end()); }

void ReverseBytes(std::span<uint8_t> buf) { std::reverse(buf.begin(), buf.end()); }

void ReverseBufRef(uint8_t* p, std::size_t len) {
  if (p != nullptr) std::reverse(p, p + len);
}

std::string ReversePadLeft(std::string_view s, std::size_t width) {
  std::string reversed(s.rbegin(), s.rend());
  if (width > reversed.size()) return std::string(width - reversed.size(), ' ') + reversed;
  return reversed.substr(reversed.size() - width);
}

void ReverseScriptRuns(bool hebrew, std::string& s) {
  if (s.size() < 2) return;
  auto in_run = [hebrew](uint8_t b) { return hebrew ? IsHebrewRunByte(b) : IsLatinRunByte(b); };
  auto joins = [](uint8_t b) { return b == ' ' || IsRunJoiner(b); };
  std::size_t i = 0;
  while (i < s.size()) {
    if (!in_run(static_cast<uint8_t>(s[i]))) {
      ++i;
      continue;
    }
    std::size_t start = i;
    while (start > 0 && joins(static_cast<uint8_t>(s[start - 1]))) --start;
    std::size_t end = start + 1;
    while (end < s.size()) {
      const auto b = static_cast<uint8_t>(s[end]);
      if (!joins(b) && !in_run(b)) break;
      ++end;
    }
    std::reverse(s.begin() + static_cast<std::ptrdiff_t>(start), s.begin() + static_cast<std::ptrdiff_t>(end));
    i = end;
  }
}

}  // namespace nuvel
