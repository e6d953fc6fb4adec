#include "editor/text_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace nuvel {
namespace {

uint8_t Upper(uint8_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 0x20) : c; }

// Every match found by comparing at each place, first and last.
size_t NaiveFirst(const std::string& text, const std::string& pattern, bool matchCase, size_t from) {
  for (size_t at = from; at + pattern.size() <= text.size(); ++at) {
    bool same = true;
    for (size_t k = 0; k < pattern.size() && same; ++k) {
      const auto a = static_cast<uint8_t>(text[at + k]), b = static_cast<uint8_t>(pattern[k]);
      same = matchCase ? a == b : Upper(a) == Upper(b);
    }
    if (same) return at;
  }
  return TTextSearcher::npos;
}

// Random texts of every length up to past two of the sixteen-byte steps,
// over bytes that sit at the edges of the ASCII letters and of the Hebrew
// range, against a plain search: matches at every place, near the end, and
// none, with and without case.
TEST(TextSearcher, FindsWhatAPlainSearchFinds) {
  const std::string alphabet = "aAzZ`{@[\xE0\xFA\xC0\x80\x7F ";
  std::mt19937 rng(21);
  auto random = [&](size_t length) {
    std::string s;
    for (size_t i = 0; i < length; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 4000; ++round) {
    const std::string text = random(rng() % 70);
    // Half the patterns are taken from the text, so that they are found.
    std::string pattern = random(1 + rng() % 6);
    if (round % 2 == 0 && text.size() > 2) {
      const size_t at = rng() % (text.size() - 1);
      pattern = text.substr(at, 1 + rng() % std::min<size_t>(text.size() - at, 20));
    }
    for (const bool matchCase : {true, false}) {
      const TTextSearcher searcher(pattern, matchCase);
      const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
      const size_t from = text.empty() ? 0 : rng() % text.size();
      ASSERT_EQ(searcher.FindFirst(bytes, from), NaiveFirst(text, pattern, matchCase, from))
          << "text " << testing::PrintToString(text) << " pattern " << testing::PrintToString(pattern)
          << " case " << matchCase << " from " << from;
      size_t last = TTextSearcher::npos;
      for (size_t at = NaiveFirst(text, pattern, matchCase, 0); at != TTextSearcher::npos;
           at = NaiveFirst(text, pattern, matchCase, at + 1)) {
        last = at;
      }
      ASSERT_EQ(searcher.FindLast(bytes, text.size()), last) << testing::PrintToString(text);
    }
  }
}

}  // namespace
}  // namespace nuvel
