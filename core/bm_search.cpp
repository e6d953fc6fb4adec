#include "core/bm_search.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace nuvel {
namespace {

struct Exact {
  static uint8_t Fold(uint8_t c) { return c; }
  static size_t Skip(const SkipTable& table, uint8_t c) { return table[c]; }
};

struct NoCase {
  static uint8_t Fold(uint8_t c) { return platform::AsciiUpper(c); }
  static size_t Skip(const SkipTable& table, uint8_t c) {
    return std::min(table[platform::AsciiUpper(c)], table[platform::AsciiLower(c)]);
  }
};

template <typename Compare>
bool Search(std::span<const uint8_t> buffer, const SkipTable& table, std::span<const uint8_t> pattern, size_t& pos) {
  const size_t n = pattern.size();
  if (n == 0 || n > buffer.size()) return false;
  const uint8_t last = Compare::Fold(pattern[n - 1]);
  // `end` is the buffer index under the pattern's last character.
  size_t end = n - 1;
  while (end < buffer.size()) {
    uint8_t c = Compare::Fold(buffer[end]);
    if (c != last) {
      end += std::max<size_t>(1, Compare::Skip(table, buffer[end]));
      continue;
    }
    size_t i = n - 1;
    while (i > 0 && Compare::Fold(buffer[end - n + i]) == Compare::Fold(pattern[i - 1])) --i;
    if (i == 0) {
      pos = end - (n - 1);
      return true;
    }
    // Realign by the skip of the last character (at least one place).
    end += std::max<size_t>(1, Compare::Skip(table, pattern[n - 1]));
  }
  return false;
}

}  // namespace

void MakeSkipTable(std::span<const uint8_t> pattern, SkipTable& table) {
  const size_t n = pattern.size();
  table.fill(n);
  for (size_t i = 0; i + 1 < n; ++i) table[pattern[i]] = n - 1 - i;
}

bool BMSearch(std::span<const uint8_t> buffer, const SkipTable& table, std::span<const uint8_t> pattern,
              size_t& pos) {
  return Search<Exact>(buffer, table, pattern, pos);
}

bool BMSearchUC(std::span<const uint8_t> buffer, const SkipTable& table, std::span<const uint8_t> pattern,
                size_t& pos) {
  return Search<NoCase>(buffer, table, pattern, pos);
}

}  // namespace nuvel
