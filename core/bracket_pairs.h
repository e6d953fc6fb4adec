#pragma once
// The bracket pairs of a line as the Unicode bidirectional algorithm finds
// them: each closing bracket pairs with the nearest open bracket of its kind
// that is still open, closing every bracket opened after it; a closing
// bracket with no such opener pairs with nothing.
#include <cstdint>
#include <span>
#include <vector>

namespace nuvel {

struct TBracketPair {
  uint32_t open;   // position of the opening bracket
  uint32_t close;  // and of the closing one
};

// The paired brackets: ( ), [ ] and { }.
constexpr bool IsPairedBracket(uint8_t b) {
  return b == '(' || b == ')' || b == '[' || b == ']' || b == '{' || b == '}';
}

// The pairs of `line` into `pairs`, in the order of their opening brackets.
// As in the algorithm, pairing stops at an opening bracket found while 63
// are open; the pairs found before it are kept.
void FindBracketPairs(std::span<const uint8_t> line, std::vector<TBracketPair>& pairs);
// How many pairs `line` holds; with `backward`, of a closing bracket before
// its opening one (")...("), as the line read with every bracket the other
// way round pairs them.
std::size_t CountBracketPairs(std::span<const uint8_t> line, bool backward);

}  // namespace nuvel
