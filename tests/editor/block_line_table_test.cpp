#include "editor/block_line_table.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace nuvel {
namespace {

struct Block {
  uint32_t lines;
  uint32_t entries;
};

// Every line of the table against a plain walk over the blocks: the block
// holding it (blocks without lines passed over), the line's place there and
// the entries before, or no answer, with nothing changed, when the line lies
// past the 16 blocks from its bucket's first.
void ExpectMatches(const std::vector<Block>& blocks, const char* what, bool everyLineAnswered = true) {
  TBlockLineTable table;
  table.Start();
  for (const Block& b : blocks) table.AddBlock(b.lines, b.entries);
  table.Finish();
  ASSERT_TRUE(table.Valid());
  uint32_t lineStart = 0, entryStart = 0, answered = 0, total = 0;
  for (size_t b = 0; b < blocks.size(); ++b) {
    for (uint32_t k = 0; k < blocks[b].lines; ++k, ++total) {
      uint32_t rest = lineStart + k, entries = 12345;
      const uint32_t found = table.Find(rest, entries);
      if (found == TBlockLineTable::kNotFound) {
        ASSERT_EQ(rest, lineStart + k) << what;
        ASSERT_EQ(entries, 12345u) << what;
        continue;
      }
      ++answered;
      ASSERT_EQ(found, b) << what << ", line " << lineStart + k;
      ASSERT_EQ(rest, k) << what;
      ASSERT_EQ(entries, entryStart) << what;
    }
    lineStart += blocks[b].lines;
    entryStart += blocks[b].entries;
  }
  if (everyLineAnswered) {
    EXPECT_EQ(answered, total) << what;
  } else {
    EXPECT_LT(answered, total) << what;
  }
}

TEST(BlockLineTable, FindsTheBlockOfEveryLine) {
  std::mt19937 rng(5);
  std::vector<Block> even, uneven, sparse;
  for (int b = 0; b < 300; ++b) even.push_back({300, 256});
  for (int b = 0; b < 300; ++b) uneven.push_back({static_cast<uint32_t>(1 + rng() % 600), static_cast<uint32_t>(1 + rng() % 256)});
  // Runs of 30 blocks with no lines among others: a line after such a run
  // lies past the 16 blocks compared and is left to the caller.
  for (int b = 0; b < 300; ++b) sparse.push_back({b % 40 < 30 ? 0u : 200u, 100});
  ExpectMatches({{7, 3}}, "one block");
  ExpectMatches(even, "even blocks");
  ExpectMatches(uneven, "uneven blocks");
  ExpectMatches(sparse, "many blocks of no lines", false);
}

TEST(BlockLineTable, StartingAgainForgetsTheOldBlocks) {
  TBlockLineTable table;
  table.Start();
  table.AddBlock(5, 5);
  table.Finish();
  table.Invalidate();
  EXPECT_FALSE(table.Valid());
  table.Start();
  table.AddBlock(2, 1);
  table.AddBlock(3, 4);
  table.Finish();
  uint32_t rest = 4, entries = 0;
  EXPECT_EQ(table.Find(rest, entries), 1u);
  EXPECT_EQ(rest, 2u);
  EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace nuvel
