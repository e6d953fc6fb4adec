#include "editor/para_index.h"

#include <gtest/gtest.h>

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
        index.Insert(at, next, lines);
        model.insert(model.begin() + at, {next, lines});
        ++next;
      } else if (op < 7) {
        const auto at = static_cast<uint32_t>(rng() % model.size());
        index.Erase(at);
        model.erase(model.begin() + at);
      } else {
        const auto at = static_cast<uint32_t>(rng() % model.size());
        const uint32_t lines = 1 + rng() % 6;
        index.SetLines(at, lines);
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

}  // namespace
}  // namespace nuvel
