#include "core/bracket_pairs.h"

#include <algorithm>

namespace nuvel {

namespace {

constexpr std::size_t kMaxOpen = 63;

// The pairing of the algorithm, with `open` and `close` the bytes that open
// and close (swapped to find pairs the other way round); `found` is called
// with each pair's positions as its closing bracket is met.
template <class Found>
void Pair(std::span<const uint8_t> line, bool backward, Found&& found) {
  const uint8_t opens[3] = {static_cast<uint8_t>(backward ? ')' : '('), static_cast<uint8_t>(backward ? ']' : '['),
                            static_cast<uint8_t>(backward ? '}' : '{')};
  const uint8_t closes[3] = {static_cast<uint8_t>(backward ? '(' : ')'), static_cast<uint8_t>(backward ? '[' : ']'),
                             static_cast<uint8_t>(backward ? '{' : '}')};
  // The kinds (0-2) and places of the open brackets, innermost last.
  uint8_t kind[kMaxOpen];
  uint32_t at[kMaxOpen];
  std::size_t depth = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const uint8_t b = line[i];
    if (!IsPairedBracket(b)) continue;
    for (uint8_t k = 0; k < 3; ++k) {
      if (b == opens[k]) {
        if (depth == kMaxOpen) return;
        kind[depth] = k;
        at[depth++] = static_cast<uint32_t>(i);
      } else if (b == closes[k]) {
        for (std::size_t d = depth; d > 0; --d) {
          if (kind[d - 1] == k) {
            found(at[d - 1], static_cast<uint32_t>(i));
            depth = d - 1;
            break;
          }
        }
      }
    }
  }
}

}  // namespace

void FindBracketPairs(std::span<const uint8_t> line, std::vector<TBracketPair>& pairs) {
  pairs.clear();
  Pair(line, false, [&pairs](uint32_t open, uint32_t close) { pairs.push_back({open, close}); });
  std::sort(pairs.begin(), pairs.end(), [](const TBracketPair& a, const TBracketPair& b) { return a.open < b.open; });
}

std::size_t CountBracketPairs(std::span<const uint8_t> line, bool backward) {
  std::size_t count = 0;
  Pair(line, backward, [&count](uint32_t, uint32_t) { ++count; });
  return count;
}

}  // namespace nuvel
