// Word wrap of mixed paragraphs kept in logical order: a run stored against
// the direction (English or a number inside Hebrew, Hebrew inside English)
// that fits on a screen line is never cut, so every screen line reads in
// order and shows what fribidi shows of that line's logical text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/border_map.h"
#include "core/border_order.h"
#include "editor/para_node.h"
#include "editor/wrap_routines.h"
#include "tests/editor/fribidi_visual.h"
#include "tests/editor/mixed_logical_text.h"

namespace nuvel {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> Stored(bool english, const std::string& logical) {
  std::vector<uint8_t> b = Bytes(logical);
  LogicalToStorage(english, b);
  return b;
}

TWrapRuns RunsOf(bool english) { return english ? TWrapRuns::EnglishDocument : TWrapRuns::HebrewDocument; }

// The words of a text, split at blanks.
std::vector<std::string> WordsOf(std::span<const uint8_t> text) {
  std::vector<std::string> out;
  std::string word;
  for (uint8_t b : text) {
    if (b == ' ') {
      if (!word.empty()) out.push_back(word);
      word.clear();
    } else {
      word.push_back(static_cast<char>(b));
    }
  }
  if (!word.empty()) out.push_back(word);
  return out;
}

TEST(WrapRuns, RunsStoredAgainstTheDirection) {
  struct Case {
    const char* name;
    bool english;
    std::string logical;
    std::vector<std::pair<uint32_t, uint32_t>> runs;  // stored offsets
  };
  const std::string shalom = "\xF9\xEC\xE5\xED", olam = "\xF2\xE5\xEC\xED";
  const Case cases[] = {
      {"English inside Hebrew", false, shalom + " Hello world " + olam, {{5, 16}}},
      {"numbers with separators", false, shalom + " 12.5 " + olam + " 2024/05/12", {{5, 9}, {15, 25}}},
      {"English with a number", false, shalom + " page 12 of 30", {{5, 18}}},
      {"Hebrew alone", false, shalom + " " + olam, {}},
      {"one letter", false, shalom + " x " + olam, {}},
      {"Hebrew inside English", true, "Say " + shalom + " " + olam + " now", {{4, 13}}},
      {"English alone", true, "The quick (brown) fox", {}},
  };
  for (const Case& c : cases) {
    std::vector<TTextRun> runs;
    FindAgainstRuns(Stored(c.english, c.logical), RunsOf(c.english), runs);
    std::vector<std::pair<uint32_t, uint32_t>> got;
    for (const TTextRun& r : runs) got.emplace_back(r.From, r.To);
    EXPECT_EQ(got, c.runs) << c.name;
    FindAgainstRuns(Stored(c.english, c.logical), TWrapRuns::None, runs);
    EXPECT_TRUE(runs.empty()) << c.name;
  }
}

// Paragraphs long enough to wrap: the mixed lines joined in pairs, and a
// few of their own.
std::vector<std::string> WrappedParagraphs() {
  const std::vector<std::string>& lines = test::MixedLogicalLines();
  std::vector<std::string> out;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) out.push_back(lines[i] + " " + lines[i + 1]);
  const std::string shalom = "\xF9\xEC\xE5\xED", olam = "\xF2\xE5\xEC\xED";
  out.push_back(shalom + " " + olam + " and some English words " + shalom + " " + olam + " " + shalom);
  out.push_back("A line in English " + shalom + " " + olam + " " + shalom + " with Hebrew words inside it");
  out.push_back(shalom + " 03-1234567 " + olam + " 1,234.50 " + shalom + " (see page 12) " + olam);
  return out;
}

TEST(WrapRuns, EveryScreenLineReadsInOrderAndShowsAsFribidiShowsIt) {
  // Each screen line holds the next stretch of the logical text, and shows
  // as fribidi shows that stretch alone. Paragraphs the border turn itself
  // cannot show as fribidi does (see core/border_order.h) are left to its
  // own tests: no break mends them.
  int tried = 0;
  for (const bool english : {false, true}) {
    for (const std::string& logical : WrappedParagraphs()) {
      std::u32string whole;
      for (uint8_t b : logical) whole.push_back(HebUnicodeTable[b]);
      std::vector<uint8_t> stored;
      const BorderMap map = BorderMap::OfLogical(english, Bytes(logical), &stored);
      if (test::CellPlanVisual(stored, english) != test::FribidiVisual(whole, english)) continue;
      ++tried;
      std::size_t longest = 0;
      for (const std::string& w : WordsOf(Bytes(logical))) longest = std::max(longest, w.size());
      std::vector<TTextRun> runs;
      FindAgainstRuns(stored, RunsOf(english), runs);
      for (uint32_t width = 16; width <= 40; width += 3) {
        bool fits = longest <= width;
        for (const TTextRun& r : runs) fits = fits && r.To - r.From <= width;
        if (!fits) continue;  // a run longer than a line is cut as any text is
        TParaNode node;
        node.Create(stored, static_cast<int32_t>(width), 8, nullptr, RunsOf(english));
        std::size_t next = 0;  // where the next line's logical stretch starts
        for (uint32_t k = 1; k <= node.LineCount(); ++k) {
          const std::span<const uint8_t> line = node.GetLine(k);
          const std::size_t from = static_cast<std::size_t>(line.data() - node.Bytes().data());
          const auto [first, last] = map.LogicalStretch(from, from + line.size());
          const std::string where = "english " + std::to_string(english) + " width " + std::to_string(width) +
                                    " line " + std::to_string(k) + " of " + logical;
          EXPECT_EQ(first, next) << where;
          EXPECT_EQ(last - first, line.size()) << where;
          next = last;
          EXPECT_EQ(test::CellPlanVisual({line.begin(), line.end()}, english),
                    test::FribidiVisual(whole.substr(first, last - first), english))
              << where;
        }
        EXPECT_EQ(next, logical.size());
      }
    }
  }
  EXPECT_GE(tried, 12) << "too few paragraphs show as fribidi shows them";
}

TEST(WrapRuns, ARunLongerThanALineIsBrokenAsBefore) {
  const std::string logical = "\xF9\xEC\xE5\xED one two three four five six seven \xF9\xEC\xE5\xED";
  const std::vector<uint8_t> stored = Stored(false, logical);
  TParaNode kept, plain;
  kept.Create(stored, 12, 8, nullptr, TWrapRuns::HebrewDocument);
  plain.Create(stored, 12, 8);
  EXPECT_EQ(std::vector<uint32_t>(kept.LineStarts().begin(), kept.LineStarts().end()),
            std::vector<uint32_t>(plain.LineStarts().begin(), plain.LineStarts().end()));
}

TEST(WrapRuns, EditsKeepTheLinesAWholeWrapGives) {
  // Typing a Hebrew letter into an English run splits it in two, which may
  // move breaks before the edit; deleting it joins them again.
  const std::string shalom = "\xF9\xEC\xE5\xED";
  const std::string logical = shalom + " " + shalom + " abc defgh ijklmno pq " + shalom + " rs tuv " + shalom;
  for (const bool english : {false, true}) {
    const std::vector<uint8_t> stored = Stored(english, logical);
    for (uint32_t at = 1; at <= stored.size() + 1; ++at) {
      for (const std::string& typed : {std::string("\xE0"), std::string(" "), std::string("x1")}) {
        TParaNode node;
        node.Create(stored, 14, 8, nullptr, RunsOf(english));
        uint32_t first = 0, last = 0;
        ASSERT_EQ(node.InsertText(Bytes(typed), at, 14, 8, first, last, RunsOf(english)), 0);
        TParaNode whole;
        whole.Create(node.Bytes(), 14, 8, nullptr, RunsOf(english));
        EXPECT_EQ(std::vector<uint32_t>(node.LineStarts().begin(), node.LineStarts().end()),
                  std::vector<uint32_t>(whole.LineStarts().begin(), whole.LineStarts().end()))
            << english << " at " << at;
        EXPECT_GE(first, 1u);
        EXPECT_EQ(last, node.LineCount());
        node.DeleteText(at, static_cast<uint32_t>(typed.size()), 14, 8, first, last, RunsOf(english));
        EXPECT_EQ(std::vector<uint8_t>(node.Bytes().begin(), node.Bytes().end()), stored);
        whole.Create(stored, 14, 8, nullptr, RunsOf(english));
        EXPECT_EQ(std::vector<uint32_t>(node.LineStarts().begin(), node.LineStarts().end()),
                  std::vector<uint32_t>(whole.LineStarts().begin(), whole.LineStarts().end()))
            << english << " at " << at;
      }
    }
  }
}

}  // namespace
}  // namespace nuvel
