#include "editor/line_para_map.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace nuvel {
namespace {

// Every line of the map against a plain walk over the paragraphs: the
// paragraph holding it (paragraphs without lines passed over) and its place
// there, or no answer, with nothing set, for a line the map leaves to its
// caller. `answered` is how many lines must have an answer at least.
void ExpectMatches(const std::vector<uint32_t>& paraLines, const char* what, double answered) {
  uint64_t total = 0;
  for (uint32_t lines : paraLines) total += lines;
  TLineParaMap map;
  map.Start(total, paraLines.size());
  for (uint32_t lines : paraLines) map.AddPara(lines);
  map.Finish();
  ASSERT_TRUE(map.Valid()) << what;
  uint32_t line = 0, found = 0;
  for (uint32_t p = 0; p < paraLines.size(); ++p) {
    for (uint32_t k = 0; k < paraLines[p]; ++k, ++line) {
      uint32_t para = 777, place = 777;
      if (!map.Find(line, para, place)) {
        ASSERT_EQ(para, 777u) << what;
        ASSERT_EQ(place, 777u) << what;
        continue;
      }
      ++found;
      ASSERT_EQ(para, p) << what << ", line " << line;
      ASSERT_EQ(place, k) << what << ", line " << line;
    }
  }
  EXPECT_GE(found, answered * line) << what;
}

TEST(LineParaMap, FindsTheParagraphOfEveryLine) {
  std::mt19937 rng(9);
  std::vector<uint32_t> shortParas, withEmpty, longParas, emptyRuns;
  for (int p = 0; p < 50000; ++p) shortParas.push_back(1 + rng() % 3);
  for (int p = 0; p < 50000; ++p) withEmpty.push_back(rng() % 5 == 0 ? 0 : 1 + rng() % 4);
  // Paragraphs of more lines than a line's place can tell: their later
  // lines are left to the caller, the earlier ones answered.
  for (int p = 0; p < 2000; ++p) longParas.push_back(p % 3 == 0 ? 200 : 2);
  // Thousands of paragraphs without lines between two lines: the step from
  // the run's first paragraph no longer fits.
  for (int p = 0; p < 30000; ++p) emptyRuns.push_back(p % 5000 == 0 ? 3 : p % 5000 < 2500 ? 1 : 0);
  ExpectMatches({1}, "one line", 1);
  ExpectMatches(shortParas, "short paragraphs", 1);
  ExpectMatches(withEmpty, "paragraphs without lines among them", 1);
  ExpectMatches(longParas, "long paragraphs", 0.3);
  ExpectMatches(emptyRuns, "long runs of paragraphs without lines", 0.5);
}

TEST(LineParaMap, StaysInvalidWhenTheLinesDoNotAddUp) {
  TLineParaMap map;
  map.Start(5, 2);
  map.AddPara(2);
  map.AddPara(4);  // one line more than the map was started with
  map.Finish();
  EXPECT_FALSE(map.Valid());
  map.Start(5, 2);
  map.AddPara(2);
  map.Finish();
  EXPECT_FALSE(map.Valid());
  map.Start(3, 2);
  map.AddPara(2);
  map.AddPara(1);
  map.Finish();
  ASSERT_TRUE(map.Valid());
  uint32_t para = 0, place = 0;
  ASSERT_TRUE(map.Find(2, para, place));
  EXPECT_EQ(para, 1u);
  EXPECT_EQ(place, 0u);
  map.Invalidate();
  EXPECT_FALSE(map.Valid());
}

}  // namespace
}  // namespace nuvel
