#include "editor/block_sum_tree.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace nuvel {
namespace {

struct Totals {
  uint32_t count;
  uint32_t lines;
};

// Every lookup of the tree against a plain walk over the block totals.
void ExpectMatches(const TBlockSumTree& tree, const std::vector<Totals>& blocks, const char* what) {
  ASSERT_EQ(tree.Size(), blocks.size()) << what;
  uint32_t entries = 0;
  uint64_t lines = 0;
  for (size_t b = 0; b < blocks.size(); ++b) {
    ASSERT_EQ(tree.LinesBefore(b), lines) << what << " block " << b;
    for (uint32_t k : {0u, blocks[b].count / 2, blocks[b].count - 1}) {
      if (k >= blocks[b].count) continue;
      uint32_t rest = entries + k;
      uint64_t linesBefore = 7;  // the lookup adds to what is there
      ASSERT_EQ(tree.FindEntry(rest, linesBefore), b) << what << " entry in block " << b;
      ASSERT_EQ(rest, k);
      ASSERT_EQ(linesBefore, lines + 7);
      rest = entries + k;
      ASSERT_EQ(tree.FindEntry(rest), b);
    }
    for (uint32_t k : {0u, blocks[b].lines - 1}) {
      if (blocks[b].lines == 0) break;
      auto rest = static_cast<uint32_t>(lines + k);
      uint32_t entriesBefore = 0;
      ASSERT_EQ(tree.FindLine(rest, entriesBefore), b) << what << " line in block " << b;
      ASSERT_EQ(rest, k);
      ASSERT_EQ(entriesBefore, entries);
    }
    entries += blocks[b].count;
    lines += blocks[b].lines;
  }
}

// Block counts at and around the sizes where the tree grows a level (16,
// 256, 4096 blocks), with blocks of no lines among them (skipped by line
// lookups) and totals changed afterwards.
TEST(BlockSumTree, LookupsMatchAPlainWalkAcrossLevelBoundaries) {
  for (size_t n : {size_t{1}, size_t{15}, size_t{16}, size_t{17}, size_t{255}, size_t{256}, size_t{257},
                   size_t{4097}}) {
    std::mt19937 rng(static_cast<uint32_t>(n));
    TBlockSumTree tree;
    std::vector<Totals> blocks;
    for (size_t b = 0; b < n; ++b) {
      const Totals t{static_cast<uint32_t>(1 + rng() % 64), rng() % 5 == 0 ? 0u : static_cast<uint32_t>(rng() % 300)};
      tree.Append(t.count, t.lines);
      blocks.push_back(t);
    }
    ExpectMatches(tree, blocks, "appended");
    for (int i = 0; i < 50; ++i) {
      const size_t b = rng() % n;
      const int64_t dc = blocks[b].count > 1 && rng() % 2 ? -1 : 3;
      const int64_t dl = blocks[b].lines > 10 && rng() % 2 ? -10 : 40;
      tree.Add(b, dc, dl);
      blocks[b].count = static_cast<uint32_t>(blocks[b].count + dc);
      blocks[b].lines = static_cast<uint32_t>(int64_t{blocks[b].lines} + dl);
    }
    ExpectMatches(tree, blocks, "changed");
  }
}

TEST(BlockSumTree, ClearStartsAfresh) {
  TBlockSumTree tree;
  for (int i = 0; i < 40; ++i) tree.Append(5, 9);
  tree.Clear();
  EXPECT_EQ(tree.Size(), 0u);
  tree.Append(2, 3);
  tree.Append(4, 1);
  ExpectMatches(tree, {{2, 3}, {4, 1}}, "after clear");
}

}  // namespace
}  // namespace nuvel
