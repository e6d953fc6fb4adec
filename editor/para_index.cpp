#include "editor/para_index.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "editor/prefetch.h"
#include "platform/large_pages.h"

namespace nuvel {

namespace {

#if defined(__SSE2__)
// Each lane of `v` greater than `r`'s, both read as unsigned.
inline __m128i Above(__m128i v, __m128i r) {
  const __m128i bias = _mm_set1_epi32(INT32_MIN);
  return _mm_cmpgt_epi32(_mm_xor_si128(v, bias), _mm_xor_si128(r, bias));
}
// One bit per lane of two comparison results, lanes 0..7.
inline uint32_t LaneBits(__m128i low, __m128i high) {
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(_mm_packs_epi32(low, high), _mm_setzero_si128())));
}
#else
// 1 when a <= b, else 0, as arithmetic.
inline uint32_t AtMost(uint32_t a, uint32_t b) { return static_cast<uint32_t>((uint64_t{b} - a) >> 63) ^ 1u; }
#endif

// How many of N rising running totals stay within `rest`, when the last of
// them does not.
template <size_t N>
inline uint32_t CountWithin(const uint32_t (&ends)[N], uint32_t rest) {
  static_assert(N % 8 == 0 && N <= 32);
#if defined(__SSE2__)
  const __m128i r = _mm_set1_epi32(static_cast<int32_t>(rest));
  const auto* v = reinterpret_cast<const __m128i*>(ends);
  uint32_t above = 1u << (N - 1);
#pragma GCC unroll 4
  for (size_t i = 0; i < N / 8; ++i) {
    above |= LaneBits(Above(_mm_load_si128(v + 2 * i), r), Above(_mm_load_si128(v + 2 * i + 1), r)) << (8 * i);
  }
  return static_cast<uint32_t>(std::countr_zero(above));
#else
  uint32_t n = 0;
  for (size_t step = N / 2; step > 0; step /= 2) n += AtMost(ends[n + step - 1], rest) * step;
  return n;
#endif
}

}  // namespace

TParaIndex::TParaIndex() { Clear(); }
TParaIndex::~TParaIndex() = default;

TParaIndex::Block* TParaIndex::NewBlock() {
  Block* block = nullptr;
  if (!freeBlocks_.empty()) {
    block = freeBlocks_.back();
    freeBlocks_.pop_back();
  } else {
    if (chunkUsed_ == chunkBlocks_) {
      if (blockChunks_.empty()) {
        void* chunk = ::operator new(kFirstChunkBlocks * sizeof(Block), std::align_val_t{alignof(Block)});
        blockChunks_.emplace_back(static_cast<Block*>(chunk), ChunkRelease{false});
        chunkBlocks_ = kFirstChunkBlocks;
      } else {
        blockChunks_.reserve(blockChunks_.size() + 1);
        // Large pages from the third chunk on: the second is touched a small
        // page at a time, as a text of middle size uses little of it.
        void* chunk = platform::MapLargeBlock(kLargeChunkBlocks * sizeof(Block), blockChunks_.size() >= 2);
        if (chunk == nullptr) throw std::bad_alloc();
        blockChunks_.emplace_back(static_cast<Block*>(chunk), ChunkRelease{true});
        chunkBlocks_ = kLargeChunkBlocks;
      }
      chunkUsed_ = 0;
    }
    block = new (blockChunks_.back().get() + chunkUsed_++) Block;
  }
  block->count = 0;
  return block;
}

uint32_t TParaIndex::TextHint(const void* text) {
  if (text == nullptr) return 0;
  const auto place = reinterpret_cast<uintptr_t>(text);
  constexpr uintptr_t kHalfSpan = uintptr_t{1} << 34;  // 16 GB either side of the first text
  if (hintBase_ == 0) hintBase_ = place > kHalfSpan ? place - kHalfSpan : 8;
  if (place < hintBase_) return 0;
  const uintptr_t steps = (place - hintBase_) >> 3;
  return steps <= UINT32_MAX ? static_cast<uint32_t>(steps) : 0;
}

void TParaIndex::FreeBlock(Block* block) { freeBlocks_.push_back(block); }

void TParaIndex::ChunkRelease::operator()(Block* blocks) const {
  // Blocks hold plain values only: the memory goes without destroying them.
  static_assert(std::is_trivially_destructible_v<Block>);
  if (mapped) {
    platform::UnmapLargeBlock(blocks, kLargeChunkBlocks * sizeof(Block));
  } else {
    ::operator delete(blocks, std::align_val_t{alignof(Block)});
  }
}

void TParaIndex::Clear() {
  blocks_.clear();
  groupEnds_.clear();
  blockChunks_.clear();
  freeBlocks_.clear();
  chunkUsed_ = 0;
  chunkBlocks_ = 0;
  tree_.Clear();
  treesValid_ = true;
  fullRun_ = 0;
  LinesOrEntriesChanged();
  size_ = 0;
  totalLines_ = 0;
  hintBase_ = 0;
}

void TParaIndex::RebuildTrees() const {
  tree_.Clear();
  for (size_t b = 0; b < blocks_.size(); ++b) tree_.Append(blocks_[b]->count, groupEnds_[b].Lines());
  treesValid_ = true;
  fullRun_ = 0;
  NoteCountsChanged(0, static_cast<uint32_t>(blocks_.size()));
}

bool TParaIndex::BuildLineTable() const {
  // Built only once lookups come without changes between them, so that
  // edits each followed by a lookup do not build it every time.
  if (++lookupsSinceChange_ < kLookupsBeforeLineTable) return false;
  lineTable_.Start();
  lineMap_.Start(totalLines_, size_);
  for (size_t b = 0; b < blocks_.size(); ++b) {
    const Block& block = *blocks_[b];
    lineTable_.AddBlock(groupEnds_[b].Lines(), block.count);
    for (uint32_t i = 0; i < block.count; ++i) lineMap_.AddPara(block.entries[i].lines);
  }
  lineTable_.Finish();
  lineMap_.Finish();
  return true;
}

void TParaIndex::NoteCountsChanged(uint32_t first, uint32_t last) const {
  fullRun_ = std::min(fullRun_, first);
  while (fullRun_ <= last && fullRun_ < blocks_.size() && blocks_[fullRun_]->count == kBlockSize) ++fullRun_;
}

void TParaIndex::RecountGroups(uint32_t b, uint32_t fromGroup) {
  const Block& block = *blocks_[b];
  uint32_t* ends = groupEnds_[b].end;
  uint32_t sum = fromGroup == 0 ? 0 : ends[fromGroup - 1];
  for (uint32_t g = fromGroup; g < kGroups; ++g) {
    const uint32_t end = std::min(block.count, (g + 1) * kGroupSize);
    for (uint32_t i = g * kGroupSize; i < end; ++i) sum += block.entries[i].lines;
    ends[g] = sum;
  }
}

uint32_t TParaIndex::LinesInBlockBefore(uint32_t b, uint32_t offset) const {
  const uint32_t group = offset / kGroupSize;
  uint32_t sum = group == 0 ? 0 : groupEnds_[b].end[group - 1];
  for (uint32_t i = group * kGroupSize; i < offset; ++i) sum += blocks_[b]->entries[i].lines;
  return sum;
}

void TParaIndex::Locate(uint32_t index, uint32_t& block, uint32_t& offset) const {
  offset = index;
  block = BlockOf(offset);
}

uint32_t TParaIndex::LinesAt(uint32_t index) const {
  if (index >= size_) return 0;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  return blocks_[b]->entries[o].lines;
}

void TParaIndex::Insert(uint32_t index, TParaNodeHandle node, uint32_t lines, const void* text) {
  LinesOrEntriesChanged();
  index = std::min(index, size_);
  if (index + 1 >= size_ && !blocks_.empty() && blocks_.back()->count < kBlockSize) {
    InsertAtEnd(index + 1 == size_, node, lines, text);
    return;
  }
  uint32_t b = 0, o = 0;
  if (blocks_.empty()) {
    blocks_.push_back(NewBlock());
    groupEnds_.push_back({});
    treesValid_ = false;
  } else if (index + blocks_.back()->count >= size_) {
    // In the last block (where loading appends): no tree walk needed.
    b = static_cast<uint32_t>(blocks_.size() - 1);
    o = index - (size_ - blocks_[b]->count);
  } else {
    Locate(index, b, o);
  }
  const uint32_t first = b;
  Block* block = blocks_[b];
  if (block->count == kBlockSize) {
    // Split. Insertions at or next to the end keep the block full, so a
    // text built by appending fills its blocks.
    uint32_t keep = kBlockSize / 2;
    if (o >= kBlockSize - 1) keep = o;
    Block* fresh = NewBlock();
    fresh->count = block->count - keep;
    std::memcpy(fresh->entries, block->entries + keep, fresh->count * sizeof(Slot));
    std::memcpy(fresh->textHints, block->textHints + keep, fresh->count * sizeof(uint32_t));
    block->count = keep;
    blocks_.insert(blocks_.begin() + b + 1, fresh);
    groupEnds_.insert(groupEnds_.begin() + b + 1, GroupEnds{});
    RecountGroups(b, keep / kGroupSize);
    RecountGroups(b + 1, 0);
    const uint32_t freshLines = groupEnds_[b + 1].Lines();
    // A block added at the end extends the tree; one in the middle makes it
    // rebuild on the next lookup.
    const bool atEnd = b + 2 == blocks_.size() && treesValid_;
    if (atEnd) {
      tree_.Add(b, -int64_t{fresh->count}, -int64_t{freshLines});
      tree_.Append(fresh->count, freshLines);
    } else {
      treesValid_ = false;
    }
    if (o > keep || (o == keep && keep == kBlockSize)) {
      ++b;
      o -= keep;
    }
    block = blocks_[b];
  }
  std::memmove(block->entries + o + 1, block->entries + o, (block->count - o) * sizeof(Slot));
  std::memmove(block->textHints + o + 1, block->textHints + o, (block->count - o) * sizeof(uint32_t));
  block->entries[o] = Slot{node, lines};
  block->textHints[o] = TextHint(text);
  ++block->count;
  RecountGroups(b, o / kGroupSize);
  ++size_;
  totalLines_ += lines;
  if (treesValid_) tree_.Add(b, 1, lines);
  NoteCountsChanged(first, b + 1);
}

void TParaIndex::InsertAtEnd(bool beforeLast, TParaNodeHandle node, uint32_t lines, const void* text) {
  const auto b = static_cast<uint32_t>(blocks_.size() - 1);
  Block& block = *blocks_[b];
  const uint32_t count = block.count++;
  const uint32_t o = beforeLast ? count - 1 : count;
  if (beforeLast) {
    block.entries[count] = block.entries[o];
    block.textHints[count] = block.textHints[o];
  }
  block.entries[o] = Slot{node, lines};
  block.textHints[o] = TextHint(text);
  // The running totals from the new entry's group on take its lines (those
  // of the groups past the count hold the block's whole); an entry moved on
  // into the next group leaves its group's total.
  uint32_t* ends = groupEnds_[b].end;
  for (uint32_t g = o / kGroupSize; g < kGroups; ++g) ends[g] += lines;
  if (beforeLast && count % kGroupSize == 0) ends[o / kGroupSize] -= block.entries[count].lines;
  ++size_;
  totalLines_ += lines;
  if (treesValid_) tree_.Add(b, 1, lines);
  if (block.count == kBlockSize) NoteCountsChanged(b, b);
}

void TParaIndex::Erase(uint32_t index) {
  if (index >= size_) return;
  LinesOrEntriesChanged();
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  Block* block = blocks_[b];
  const uint32_t lines = block->entries[o].lines;
  std::memmove(block->entries + o, block->entries + o + 1, (block->count - o - 1) * sizeof(Slot));
  std::memmove(block->textHints + o, block->textHints + o + 1, (block->count - o - 1) * sizeof(uint32_t));
  --block->count;
  RecountGroups(b, o / kGroupSize);
  --size_;
  totalLines_ -= lines;
  if (block->count == 0) {
    FreeBlock(block);
    blocks_.erase(blocks_.begin() + b);
    groupEnds_.erase(groupEnds_.begin() + b);
    treesValid_ = false;
  } else if (treesValid_) {
    tree_.Add(b, -1, -int64_t{lines});
  }
  NoteCountsChanged(b, b);
}

void TParaIndex::SetLinesAndText(uint32_t index, uint32_t lines, const void* text) {
  if (index >= size_) return;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  blocks_[b]->textHints[o] = TextHint(text);
  SetLinesAt(b, o, lines);
}

void TParaIndex::SetLines(uint32_t index, uint32_t lines) {
  if (index >= size_) return;
  uint32_t b = 0, o = 0;
  Locate(index, b, o);
  SetLinesAt(b, o, lines);
}

void TParaIndex::SetLinesAt(uint32_t b, uint32_t o, uint32_t lines) {
  Block* block = blocks_[b];
  const int64_t delta = int64_t{lines} - int64_t{block->entries[o].lines};
  if (delta == 0) return;
  LinesOrEntriesChanged();
  block->entries[o].lines = lines;
  uint32_t* ends = groupEnds_[b].end;
  for (uint32_t g = o / kGroupSize; g < kGroups; ++g) ends[g] = static_cast<uint32_t>(int64_t{ends[g]} + delta);
  totalLines_ = static_cast<uint64_t>(static_cast<int64_t>(totalLines_) + delta);
  if (treesValid_) tree_.Add(b, 0, delta);
}

uint64_t TParaIndex::LinesBefore(uint32_t index) const {
  if (index >= size_) return totalLines_;
  uint64_t linesBefore = 0;
  Entry(index, linesBefore);
  return linesBefore;
}

TParaNodeHandle TParaIndex::Entry(uint32_t index, uint64_t& linesBefore) const {
  if (index >= size_) {
    linesBefore = totalLines_;
    return 0;
  }
  // One walk down the tree by entries gathers the lines of the blocks before.
  EnsureTrees();
  uint32_t rest = index;
  uint64_t sum = 0;
  const size_t b = tree_.FindEntry(rest, sum);
  linesBefore = sum + LinesInBlockBefore(static_cast<uint32_t>(b), rest);
  return blocks_[b]->entries[rest].node;
}

inline void TParaIndex::EntryWithin(const Slot* slots, uint32_t rest, uint32_t& entry, uint32_t& linesBefore) {
#if defined(__SSE2__)
  // The eight line counts (every second lane of the group's line), their
  // running totals by shifting and adding, and all eight compared at once.
  const auto* v = reinterpret_cast<const float*>(slots);
  const __m128i low = _mm_castps_si128(_mm_shuffle_ps(_mm_load_ps(v), _mm_load_ps(v + 4), 0xDD));
  const __m128i high = _mm_castps_si128(_mm_shuffle_ps(_mm_load_ps(v + 8), _mm_load_ps(v + 12), 0xDD));
  __m128i runLow = _mm_add_epi32(low, _mm_slli_si128(low, 4));
  runLow = _mm_add_epi32(runLow, _mm_slli_si128(runLow, 8));
  __m128i runHigh = _mm_add_epi32(high, _mm_slli_si128(high, 4));
  runHigh = _mm_add_epi32(runHigh, _mm_slli_si128(runHigh, 8));
  runHigh = _mm_add_epi32(runHigh, _mm_shuffle_epi32(runLow, 0xFF));
  const __m128i r = _mm_set1_epi32(static_cast<int32_t>(rest));
  const __m128i aboveLow = Above(runLow, r), aboveHigh = Above(runHigh, r);
  entry = static_cast<uint32_t>(std::countr_zero(LaneBits(aboveLow, aboveHigh) | 0x100u));
  // The lines of the entries within: the sum of those not above.
  __m128i sum = _mm_add_epi32(_mm_andnot_si128(aboveLow, low), _mm_andnot_si128(aboveHigh, high));
  sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0x4E));
  sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0xB1));
  linesBefore = static_cast<uint32_t>(_mm_cvtsi128_si32(sum));
#else
  uint32_t run = 0, within = 0, n = 0;
  for (uint32_t i = 0; i < kGroupSize; ++i) {
    run += slots[i].lines;
    const uint32_t in = AtMost(run, rest);
    n += in;
    within += slots[i].lines & (0u - in);
  }
  entry = n;
  linesBefore = within;
#endif
}

uint32_t TParaIndex::FindLine(uint64_t line, uint64_t& linesBefore, TParaNodeHandle* node) const {
  if (size_ == 0 || totalLines_ == 0) {
    linesBefore = 0;
    if (node != nullptr) *node = size_ == 0 ? 0 : At(0);
    return 0;
  }
  if (line >= totalLines_) line = totalLines_ - 1;
  EnsureTrees();
  auto rest = static_cast<uint32_t>(line);
  uint32_t before = 0;
  const bool tableReady = LineTableReady();
  if (tableReady) {
    uint32_t index = 0, lineInPara = 0;
    TParaNodeHandle found = 0;
    if (FindLineInMap(rest, index, lineInPara, found)) {
      linesBefore = line - lineInPara;
      if (node != nullptr) *node = found;
      return index;
    }
  }
  uint32_t b = tableReady ? lineTable_.Find(rest, before) : TBlockLineTable::kNotFound;
  const bool fromTable = b != TBlockLineTable::kNotFound;
  if (!fromTable) b = static_cast<uint32_t>(tree_.FindLine(rest, before));
  const Block& block = *blocks_[b];
  if (fromTable) {
    // The group the line lies in were the block's lines spread evenly over
    // full groups: its entries (and those on either side) and their text
    // places are asked for now, beside the group totals that tell the group
    // for sure, instead of after them.
    const uint32_t lines = lineTable_.LinesOf(b);
    const uint32_t guess = lines == 0 ? 0 : static_cast<uint32_t>(uint64_t{rest} * kBlockSize / lines) / kGroupSize;
    const uint32_t low = guess == 0 ? 0 : guess - 1;
    const uint32_t high = guess + 1 < kGroups ? guess + 1 : kGroups - 1;
    PrefetchForRead(block.entries + low * kGroupSize);
    PrefetchForRead(block.entries + guess * kGroupSize);
    PrefetchForRead(block.entries + high * kGroupSize);
    PrefetchForRead(block.textHints + guess * kGroupSize);
  }
  // The group holding the line: the number of running group totals within
  // `rest` (the last, the block's whole, lies above it). Then the entry
  // within the group: the number of its entries' running lines within what
  // is left. All by arithmetic on the comparisons, not branches: the entries
  // come from memory, and a branch on them that goes wrong would throw away
  // the work after it.
  static_assert(kGroupSize == 8);
  const uint32_t* ends = groupEnds_[b].end;
  const uint32_t group = CountWithin(groupEnds_[b].end, rest);
  const uint32_t skipped = ends[(group - 1) & (kGroups - 1)] & (0u - static_cast<uint32_t>(group != 0));
  const uint32_t inGroupRest = rest - skipped;
  // The group's text places lie on another cache line than its entries:
  // both are asked for now, before the entries are read.
  PrefetchForRead(block.textHints + group * kGroupSize);
  uint32_t o = 0, inSkipped = 0;
  EntryWithin(block.entries + group * kGroupSize, inGroupRest, o, inSkipped);
  o += group * kGroupSize;
  // Entries with no lines at the end of the block: the last entry holds it.
  o = std::min(o, block.count - 1);
  linesBefore = line - inGroupRest + inSkipped;
  if (node != nullptr) {
    // The paragraph's first bytes, and about where the line lies in it when
    // it is not the first: a screen line takes about a cache line.
    const uint32_t lineInPara = std::min<uint32_t>(inGroupRest - inSkipped, 64);
    FetchText(block.textHints[o], lineInPara * 64);
    *node = block.entries[o].node;
  }
  return before + o;
}


void TParaIndex::RecountLines(const std::function<uint32_t(TParaNodeHandle)>& linesOf) {
  totalLines_ = 0;
  LinesOrEntriesChanged();
  for (uint32_t b = 0; b < blocks_.size(); ++b) {
    Block* block = blocks_[b];
    for (uint32_t i = 0; i < block->count; ++i) block->entries[i].lines = linesOf(block->entries[i].node);
    RecountGroups(b, 0);
    totalLines_ += groupEnds_[b].Lines();
  }
  treesValid_ = false;
}

}  // namespace nuvel
