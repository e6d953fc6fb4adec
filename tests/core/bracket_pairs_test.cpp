// Bracket pairs as the bidirectional algorithm finds them: the nearest open
// bracket of the same kind, closing those opened inside it; a closing
// bracket without one pairs with nothing; at most 63 open at once.
#include "core/bracket_pairs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace nuvel {
namespace {

std::vector<std::pair<uint32_t, uint32_t>> Pairs(const std::string& text) {
  const std::span<const uint8_t> line(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  std::vector<TBracketPair> pairs;
  FindBracketPairs(line, pairs);
  std::vector<std::pair<uint32_t, uint32_t>> out;
  for (const auto& p : pairs) out.emplace_back(p.open, p.close);
  EXPECT_EQ(CountBracketPairs(line, false), out.size()) << text;
  return out;
}

TEST(BracketPairs, AsTheAlgorithmPairsThem) {
  using P = std::vector<std::pair<uint32_t, uint32_t>>;
  struct Case {
    const char* text;
    P pairs;
  } cases[] = {
      {"a (b) c", {{2, 4}}},
      {"[a] {b}", {{0, 2}, {4, 6}}},
      {"([{x}])", {{0, 6}, {1, 5}, {2, 4}}},  // in the order of their opening brackets
      {"(a [b) c]", {{0, 5}}},                // the closing ")" closes the "[" opened inside it
      {"a) (b", {}},
      {"((a)", {{1, 3}}},
      {"(a))", {{0, 2}}},
      {"(]", {}},
      {"<a> \xAB" "b\xBB", {}},  // mirrored, but no pairs
  };
  for (const auto& c : cases) EXPECT_EQ(Pairs(c.text), c.pairs) << c.text;
}

TEST(BracketPairs, PairingStopsAtTheSixtyFourthOpenBracket) {
  EXPECT_EQ(Pairs(std::string(63, '(') + std::string(63, ')')).size(), 63u);
  // The 64th "(" stops the pairing: the ")" after it pair with nothing.
  EXPECT_EQ(Pairs("(x)" + std::string(64, '(') + std::string(64, ')')), (std::vector<std::pair<uint32_t, uint32_t>>{{0, 2}}));
}

TEST(BracketPairs, TheOtherWayRound) {
  const std::string text = ")a( ]b[ (c)";
  const std::span<const uint8_t> line(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  EXPECT_EQ(CountBracketPairs(line, true), 2u);
  EXPECT_EQ(CountBracketPairs(line, false), 1u);
}

}  // namespace
}  // namespace nuvel
