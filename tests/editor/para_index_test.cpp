#include "editor/para_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace nuvel {
namespace {

// Random insertions, removals and line changes against a plain vector.
TEST(ParaIndex, MatchesAPlainSequence) {
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    std::mt19937 rng(seed);
    TParaIndex index;
    std::vector<std::pair<TParaNodeHandle, uint32_t>> model;
    TParaNodeHandle next = 1;
    for (int step = 0; step < 6000; ++step) {
      const uint32_t op = rng() % 10;
      if (op < 5 || model.empty()) {
        // Mostly appends before the last entry, as loading does, else anywhere.
        uint32_t at = model.empty() ? 0 : (rng() % 2 ? static_cast<uint32_t>(model.size() - 1)
                                                      : static_cast<uint32_t>(rng() % (model.size() + 1)));
        const uint32_t lines = 1 + rng() % 4;
        index.Insert(at, next, lines, rng() % 3 == 0 ? nullptr : &model);
        model.insert(model.begin() + at, {next, lines});
        ++next;
      } else if (op < 7) {
        const auto at = static_cast<uint32_t>(rng() % model.size());
        index.Erase(at);
        model.erase(model.begin() + at);
      } else {
        const auto at = static_cast<uint32_t>(rng() % model.size());
        const uint32_t lines = 1 + rng() % 6;
        if (rng() % 2) {
          index.SetLines(at, lines);
        } else {
          // Where the text lies only guides fetching: any place, even none
          // or one far from every other, leaves the answers alone.
          static const char kNear[16] = {};
          const void* places[] = {nullptr, kNear + rng() % 16, reinterpret_cast<const void*>(uintptr_t{1} << 46),
                                  &model};
          index.SetLinesAndText(at, lines, places[rng() % 4]);
        }
        model[at].second = lines;
      }
      if (step % 97 != 0) continue;
      ASSERT_EQ(index.Size(), model.size());
      uint64_t lines = 0;
      for (uint32_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(index.At(i), model[i].first) << "seed " << seed << " step " << step;
        ASSERT_EQ(index.LinesBefore(i), lines);
        for (uint32_t k = 0; k < model[i].second; ++k) {
          uint64_t before = 0;
          ASSERT_EQ(index.FindLine(lines + k, before), i);
          ASSERT_EQ(before, lines);
        }
        lines += model[i].second;
      }
      ASSERT_EQ(index.TotalLines(), lines);
    }
  }
}


// A long text, loaded by appending as the editor does, whose block totals
// span three levels of the index's tree, with paragraphs of no lines among
// them; then edits in the middle. Lookups are sampled against a vector.
TEST(ParaIndex, LongTextWithEmptyLineCountsMatchesAPlainSequence) {
  std::mt19937 rng(33);
  TParaIndex index;
  std::vector<std::pair<TParaNodeHandle, uint32_t>> model;
  for (TParaNodeHandle h = 1; h <= 70000; ++h) {
    const uint32_t lines = rng() % 7 == 0 ? 0 : 1 + rng() % 5;
    index.Insert(index.Size(), h, lines);
    model.emplace_back(h, lines);
  }
  auto check = [&](const char* what) {
    ASSERT_EQ(index.Size(), model.size()) << what;
    std::vector<uint64_t> before(model.size() + 1, 0);
    for (size_t i = 0; i < model.size(); ++i) before[i + 1] = before[i] + model[i].second;
    ASSERT_EQ(index.TotalLines(), before.back()) << what;
    for (int n = 0; n < 3000; ++n) {
      const auto i = static_cast<uint32_t>(rng() % model.size());
      ASSERT_EQ(index.At(i), model[i].first) << what << " at " << i;
      ASSERT_EQ(index.LinesAt(i), model[i].second) << what;
      uint64_t linesBefore = 0;
      ASSERT_EQ(index.Entry(i, linesBefore), model[i].first) << what;
      ASSERT_EQ(linesBefore, before[i]) << what << " lines before " << i;
      // The paragraph holding a line is the last one starting at or before
      // it that has lines.
      const uint64_t line = rng() % before.back();
      const auto holder = static_cast<uint32_t>(std::upper_bound(before.begin(), before.end(), line) - before.begin() - 1);
      uint64_t found = 0;
      TParaNodeHandle node = 0;
      ASSERT_EQ(index.FindLine(line, found, &node), holder) << what << " line " << line;
      ASSERT_EQ(found, before[holder]);
      ASSERT_EQ(node, model[holder].first);
    }
  };
  check("loaded");
  TParaNodeHandle next = 100000;
  for (int n = 0; n < 3000; ++n) {
    const auto at = static_cast<uint32_t>(rng() % model.size());
    switch (rng() % 3) {
      case 0: {
        const uint32_t lines = rng() % 4;
        index.Insert(at, next, lines);
        model.insert(model.begin() + at, {next++, lines});
        break;
      }
      case 1:
        index.Erase(at);
        model.erase(model.begin() + at);
        break;
      default: {
        const uint32_t lines = rng() % 9;
        index.SetLines(at, lines);
        model[at].second = lines;
      }
    }
  }
  check("edited");
  // Past the last line: the last paragraph with lines.
  uint64_t found = 0;
  const uint32_t last = index.FindLine(index.TotalLines() + 5, found);
  EXPECT_EQ(found + index.LinesAt(last), index.TotalLines());
  EXPECT_GT(index.LinesAt(last), 0u);
}


// A text loaded by appending fills its blocks, and paragraphs in the run of
// full blocks are found by arithmetic. Edits that empty, refill, split and
// drop blocks inside and at the end of that run must leave every lookup
// right: each step is checked against a vector.
TEST(ParaIndex, EditsAroundTheRunOfFullBlocksMatchAPlainSequence) {
  constexpr uint32_t kBlock = 256;  // entries of a full block
  struct Edit {
    const char* what;
    bool insert;
    uint32_t at;
  };
  const Edit edits[] = {
      {"remove from the first block", false, 3},
      {"refill the first block", true, 3},
      {"insert at the end of a full block", true, 2 * kBlock},
      {"insert in the middle of a full block", true, 3 * kBlock + 100},
      {"remove the entry added alone", false, 2 * kBlock},
      {"insert before the last entry", true, 8 * kBlock - 1},
      {"remove from the last full block", false, 7 * kBlock + 5},
  };
  TParaIndex index;
  std::vector<TParaNodeHandle> model;
  for (TParaNodeHandle h = 1; h <= 8 * kBlock; ++h) {
    index.Insert(index.Size(), h, 1);
    model.push_back(h);
  }
  TParaNodeHandle next = 10000;
  for (const Edit& edit : edits) {
    if (edit.insert) {
      index.Insert(edit.at, next, 1);
      model.insert(model.begin() + edit.at, next++);
    } else {
      index.Erase(edit.at);
      model.erase(model.begin() + edit.at);
    }
    ASSERT_EQ(index.Size(), model.size()) << edit.what;
    for (uint32_t i = 0; i < model.size(); ++i) {
      ASSERT_EQ(index.At(i), model[i]) << edit.what << ", entry " << i;
      uint64_t before = 0;
      ASSERT_EQ(index.FindLine(i, before), i) << edit.what;
    }
  }
  // A block emptied to nothing goes, and the blocks after it move up.
  for (uint32_t n = 0; n < kBlock / 2; ++n) {
    index.Erase(kBlock);
    model.erase(model.begin() + kBlock);
  }
  for (uint32_t i = 0; i < model.size(); ++i) ASSERT_EQ(index.At(i), model[i]) << "after emptying, entry " << i;
}

}  // namespace
}  // namespace nuvel
