#include "tools/record_compare.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii_case.h"

namespace nuvel::tools {

namespace {

constexpr std::array<uint8_t, 256> MakeCompareTable() {
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = c < 0x80 ? platform::AsciiUpper(uint8_t(c)) : uint8_t(c);
  // Pointed letters 0x81-0x9B collate with their base letters; vowel points
  // keep their own codes.
  constexpr uint8_t kBase[] = {
      0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6,  // 0x81-0x86
      0xEA,                                // 0x87
      0xE8, 0xE9, 0xEA, 0xEB, 0xEC,        // 0x88-0x8C
      0xE6,                                // 0x8D
      0xEE,                                // 0x8E
      0xEC,                                // 0x8F
      0xF0, 0xF1,                          // 0x90, 0x91
      0xEA,                                // 0x92
      0xEC,                                // 0x93
      0xF4,                                // 0x94
      0xF9,                                // 0x95
      0xF6, 0xF7,                          // 0x96, 0x97
      0xF9,                                // 0x98
      0xF9, 0xFA,                          // 0x99, 0x9A
      0xF9,                                // 0x9B
  };
  for (int i = 0; i < int(sizeof kBase); ++i) table[0x81 + i] = kBase[i];
  return table;
}

// The part of start .. start + len - 1 (from 1) that lies inside both records.
bool Stretch(std::size_t sizeA, std::size_t sizeB, std::size_t start, std::size_t len, std::size_t& from,
             std::size_t& count) {
  if (start == 0) {
    if (len == 0) return false;
    start = 1;
    --len;
  }
  from = start - 1;
  const std::size_t size = std::min(sizeA, sizeB);
  if (from >= size) return false;
  count = std::min(len, size - from);
  return count > 0;
}

}  // namespace

const std::array<uint8_t, 256> CompareTable = MakeCompareTable();

int CompareBytesFrom(std::span<const uint8_t> a, std::span<const uint8_t> b, std::size_t start, std::size_t len) {
  std::size_t from = 0;
  std::size_t count = 0;
  if (!Stretch(a.size(), b.size(), start, len, from, count)) return 0;
  return std::memcmp(a.data() + from, b.data() + from, count);
}

int CompareCollatedFrom(std::span<const uint8_t> a, std::span<const uint8_t> b, std::size_t start,
                        std::size_t len) {
  std::size_t from = 0;
  std::size_t count = 0;
  if (!Stretch(a.size(), b.size(), start, len, from, count)) return 0;
  for (std::size_t i = from; i < from + count; ++i) {
    const int d = int(CompareTable[a[i]]) - int(CompareTable[b[i]]);
    if (d != 0) return d;
  }
  return 0;
}

}  // namespace nuvel::tools
