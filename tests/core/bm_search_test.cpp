#include "core/bm_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/ascii_case.h"

namespace nuvel {
namespace {

using Bytes = std::vector<uint8_t>;

// The plain search the Boyer-Moore routines must agree with.
bool PlainSearch(const Bytes& buffer, const Bytes& pattern, bool ignore_case, size_t& pos) {
  if (pattern.empty() || pattern.size() > buffer.size()) return false;
  auto fold = [&](uint8_t c) { return ignore_case ? platform::AsciiUpper(c) : c; };
  for (size_t i = 0; i + pattern.size() <= buffer.size(); ++i) {
    size_t j = 0;
    while (j < pattern.size() && fold(buffer[i + j]) == fold(pattern[j])) ++j;
    if (j == pattern.size()) {
      pos = i;
      return true;
    }
  }
  return false;
}

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST(BMSearch, AgreesWithAPlainSearchOnRandomBuffers) {
  std::mt19937 rng(1234);
  // Small alphabets make matches and near-matches common; mixed case letters
  // and high bytes test the case folding.
  const std::vector<Bytes> alphabets = {B("ab"), B("abAB"), B("aAbBcC\xE0\xE1"), B("xyzXYZ0 \xF9")};
  for (int round = 0; round < 20000; ++round) {
    const Bytes& alphabet = alphabets[static_cast<size_t>(round) % alphabets.size()];
    auto pick = [&] { return alphabet[rng() % alphabet.size()]; };
    Bytes buffer(rng() % 60), pattern(1 + rng() % 6);
    std::generate(buffer.begin(), buffer.end(), pick);
    std::generate(pattern.begin(), pattern.end(), pick);
    if (round % 3 == 0 && buffer.size() >= pattern.size()) {
      // Plant the pattern, in another case half the time.
      size_t at = rng() % (buffer.size() - pattern.size() + 1);
      for (size_t i = 0; i < pattern.size(); ++i) {
        uint8_t c = pattern[i];
        buffer[at + i] = (rng() & 1) ? platform::AsciiLower(c) : platform::AsciiUpper(c);
      }
    }
    SkipTable table;
    MakeSkipTable(pattern, table);
    for (bool ignore_case : {false, true}) {
      size_t expected_pos = 0, pos = 0;
      bool expected = PlainSearch(buffer, pattern, ignore_case, expected_pos);
      bool found = ignore_case ? BMSearchUC(buffer, table, pattern, pos) : BMSearch(buffer, table, pattern, pos);
      ASSERT_EQ(found, expected) << "round " << round << " ignore_case " << ignore_case;
      if (found) {
        ASSERT_EQ(pos, expected_pos) << "round " << round;
      }
    }
    // A table made from the upper-cased pattern serves the case-blind search as well.
    Bytes upper = pattern;
    for (auto& c : upper) c = platform::AsciiUpper(c);
    MakeSkipTable(upper, table);
    size_t expected_pos = 0, pos = 0;
    bool expected = PlainSearch(buffer, pattern, true, expected_pos);
    ASSERT_EQ(BMSearchUC(buffer, table, upper, pos), expected) << "round " << round;
    if (expected) {
      ASSERT_EQ(pos, expected_pos);
    }
  }
}

TEST(BMSearch, SkipTableAndEdges) {
  SkipTable table;
  MakeSkipTable(B("abcab"), table);
  EXPECT_EQ(table['a'], 1u);
  EXPECT_EQ(table['b'], 3u);  // the final "b" is not counted
  EXPECT_EQ(table['c'], 2u);
  EXPECT_EQ(table['z'], 5u);
  size_t pos = 99;
  Bytes empty;
  MakeSkipTable(empty, table);
  EXPECT_FALSE(BMSearch(B("abc"), table, empty, pos));
  MakeSkipTable(B("abcd"), table);
  EXPECT_FALSE(BMSearch(B("abc"), table, B("abcd"), pos));
  EXPECT_EQ(pos, 99u);
  // Patterns longer than 255 bytes are found too.
  Bytes long_pattern(300, 'q');
  long_pattern.back() = 'r';
  Bytes buffer(1000, 'q');
  std::copy(long_pattern.begin(), long_pattern.end(), buffer.begin() + 600);
  MakeSkipTable(long_pattern, table);
  ASSERT_TRUE(BMSearch(buffer, table, long_pattern, pos));
  EXPECT_EQ(pos, 600u);
}

}  // namespace
}  // namespace nuvel
