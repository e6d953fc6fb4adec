#include "editor/block_sum_tree.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nuvel {

namespace {

// Totals are kept with their top bit flipped (the same as adding 2^31), so
// that a signed comparison of two kept totals orders them as unsigned ones.
// Adding a change to a kept total keeps it kept.
constexpr uint32_t kBias = 0x80000000u;

// How many of a node's running totals stay within `rest` (both as kept):
// the child holding `rest`. The last total (the node's whole) always lies
// above `rest`, so the answer is below 16. The totals rise, so those above
// `rest` are a run at the end of the node: the first of them is the child.
uint32_t ChildWithin(const uint32_t (&sum)[16], uint32_t rest) {
#if defined(__SSE2__)
  // All 16 comparisons at once, within the one cache line of the node.
  const __m128i r = _mm_set1_epi32(static_cast<int32_t>(rest));
  const auto* v = reinterpret_cast<const __m128i*>(sum);
  const __m128i a = _mm_cmpgt_epi32(_mm_load_si128(v), r);
  const __m128i b = _mm_cmpgt_epi32(_mm_load_si128(v + 1), r);
  const __m128i c = _mm_cmpgt_epi32(_mm_load_si128(v + 2), r);
  const __m128i d = _mm_cmpgt_epi32(_mm_load_si128(v + 3), r);
  const __m128i above = _mm_packs_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
  // The top bit stands in for the whole should `rest` lie past it.
  return static_cast<uint32_t>(std::countr_zero(static_cast<uint32_t>(_mm_movemask_epi8(above)) | 0x8000u));
#else
  // Four halvings, each comparing one total and adding without a branch.
  const auto within = [&](uint32_t i) { return static_cast<int32_t>(sum[i]) <= static_cast<int32_t>(rest); };
  uint32_t child = within(7) ? 8u : 0u;
  child += within(child + 3) ? 4u : 0u;
  child += within(child + 1) ? 2u : 0u;
  child += within(child) ? 1u : 0u;
  return child;
#endif
}

// The running total before `child` (0 for the first), without a branch.
template <size_t N>
uint32_t TotalBefore(const uint32_t (&sum)[N], uint32_t child) {
  const uint32_t mask = 0u - static_cast<uint32_t>(child != 0);
  return (sum[(child - 1) & (N - 1)] ^ kBias) & mask;
}

}  // namespace

TBlockSumTree::SumNode TBlockSumTree::EmptyNode() {
  SumNode node;
  for (uint32_t& total : node.sum) total = kBias;
  return node;
}

void TBlockSumTree::Clear() {
  levels_.clear();
  size_ = 0;
  bases_ = {};
}

void TBlockSumTree::RefreshBases() {
  for (size_t k = 0; k < levels_.size(); ++k) bases_[k] = {levels_[k].counts.data(), levels_[k].lines.data()};
}

void TBlockSumTree::Append(uint32_t count, uint32_t lines) {
  const size_t block = size_++;
  for (size_t k = 0;; ++k) {
    if (k == levels_.size()) {
      // A new top: its first child is the whole level below, whose node
      // count just reached two.
      Level top;
      top.counts.assign(1, EmptyNode());
      top.lines.assign(1, EmptyNode());
      if (k > 0) {
        const uint32_t countWhole = levels_[k - 1].counts[0].sum[kFan - 1];
        const uint32_t linesWhole = levels_[k - 1].lines[0].sum[kFan - 1];
        for (size_t i = 0; i < kFan; ++i) {
          top.counts[0].sum[i] = countWhole;
          top.lines[0].sum[i] = linesWhole;
        }
      }
      levels_.push_back(std::move(top));
    }
    Level& level = levels_[k];
    const size_t node = block >> (kFanBits * (k + 1));
    if (node >= level.counts.size()) {
      level.counts.push_back(EmptyNode());
      level.lines.push_back(EmptyNode());
    }
    if (level.counts.size() == 1 && k + 1 == levels_.size()) break;
  }
  RefreshBases();
  Add(block, count, lines);
}

void TBlockSumTree::Add(size_t block, int64_t count, int64_t lines) {
  for (size_t k = 0; k < levels_.size(); ++k) {
    const size_t slot = block >> (kFanBits * k);
    SumNode& counts = levels_[k].counts[slot >> kFanBits];
    SumNode& lineSums = levels_[k].lines[slot >> kFanBits];
    for (size_t i = slot & (kFan - 1); i < kFan; ++i) {
      counts.sum[i] = static_cast<uint32_t>(int64_t{counts.sum[i]} + count);
      lineSums.sum[i] = static_cast<uint32_t>(int64_t{lineSums.sum[i]} + lines);
    }
  }
}

size_t TBlockSumTree::FindEntry(uint32_t& rest, uint64_t& linesBefore) const {
  size_t node = 0;
  uint32_t r = rest, lines = 0;
  for (size_t k = levels_.size(); k-- > 0;) {
    const SumNode& counts = bases_[k].counts[node];
    const uint32_t child = ChildWithin(counts.sum, r ^ kBias);
    r -= TotalBefore(counts.sum, child);
    lines += TotalBefore(bases_[k].lines[node].sum, child);
    node = node * kFan + child;
  }
  rest = r;
  linesBefore += lines;
  return node;
}

size_t TBlockSumTree::FindEntry(uint32_t& rest) const {
  size_t node = 0;
  uint32_t r = rest;
  for (size_t k = levels_.size(); k-- > 0;) {
    const SumNode& counts = bases_[k].counts[node];
    const uint32_t child = ChildWithin(counts.sum, r ^ kBias);
    r -= TotalBefore(counts.sum, child);
    node = node * kFan + child;
  }
  rest = r;
  return node;
}

size_t TBlockSumTree::FindLine(uint32_t& rest, uint32_t& entriesBefore) const {
  size_t node = 0;
  uint32_t r = rest, entries = 0;
  for (size_t k = levels_.size(); k-- > 0;) {
    const SumNode& lineSums = bases_[k].lines[node];
    const uint32_t child = ChildWithin(lineSums.sum, r ^ kBias);
    r -= TotalBefore(lineSums.sum, child);
    entries += TotalBefore(bases_[k].counts[node].sum, child);
    node = node * kFan + child;
  }
  rest = r;
  entriesBefore += entries;
  return node;
}

uint64_t TBlockSumTree::LinesBefore(size_t block) const {
  uint64_t sum = 0;
  for (size_t k = 0; k < levels_.size(); ++k) {
    const size_t slot = block >> (kFanBits * k);
    sum += TotalBefore(levels_[k].lines[slot >> kFanBits].sum, static_cast<uint32_t>(slot & (kFan - 1)));
  }
  return sum;
}

}  // namespace nuvel
