#include "editor/wrap_routines.h"

#include <algorithm>

namespace nuvel {

namespace {
constexpr uint8_t kTab = 9;
constexpr uint8_t kHyphen = 45;

uint32_t NextColumnAfter(uint32_t column, uint8_t b, uint32_t tabSize) {
  // `column` is the last column taken so far; the byte occupies column + 1.
  if (b != kTab) return column + 1;
  return (column / tabSize + 1) * tabSize;
}
}  // namespace

bool HasTab(std::span<const uint8_t> bytes) {
  return std::find(bytes.begin(), bytes.end(), kTab) != bytes.end();
}

uint32_t ExpandedWidth(std::span<const uint8_t> bytes, uint32_t tabSize) {
  const uint32_t t = std::max<uint32_t>(tabSize, 1);
  uint32_t column = 0;
  for (uint8_t b : bytes) {
    if (b == 0) break;
    column = NextColumnAfter(column, b, t);
  }
  return column;
}

uint32_t OffsetForColumn(std::span<const uint8_t> bytes, uint32_t wrapColumn, uint32_t tabSize) {
  const uint32_t t = std::max<uint32_t>(tabSize, 1);
  uint32_t column = 0;
  uint32_t i = 0;
  for (; i < bytes.size(); ++i) {
    if (bytes[i] == 0) break;
    column = NextColumnAfter(column, bytes[i], t);
    if (column >= wrapColumn) return i + 1;
  }
  return i + 1;
}

uint32_t FindBreak(std::span<const uint8_t> rest, uint32_t n) {
  const uint32_t size = static_cast<uint32_t>(rest.size());
  if (n >= size) return size;  // the rest fits on this line
  if (rest[n] == 0) return n;
  for (uint32_t k = n + 1; k-- > 0;) {
    const uint8_t b = rest[k];
    if (IsBlank(b)) {
      uint32_t q = k;
      while (q < size && IsBlank(rest[q])) ++q;
      return q;
    }
    if (b == kHyphen) {
      uint32_t q = k + 1;
      while (q < size && IsBlank(rest[q])) ++q;
      return q;
    }
  }
  return n == 0 ? 1 : n;  // hard break; a line always takes at least a byte
}

uint32_t WordStartBefore(std::span<const uint8_t> bytes, uint32_t n) {
  uint32_t k = std::min<uint32_t>(n, static_cast<uint32_t>(bytes.size()));
  while (k > 0 && !IsBlank(bytes[k - 1])) --k;
  return k == 0 ? n : k;
}

uint32_t FindLineEnd(std::span<const uint8_t> bytes) {
  auto it = std::find(bytes.begin(), bytes.end(), uint8_t{10});
  if (it == bytes.end()) return static_cast<uint32_t>(bytes.size());
  return static_cast<uint32_t>(it - bytes.begin()) + 1;
}

uint32_t PadBlanks(std::span<uint8_t> buffer, uint32_t length, uint32_t n) {
  if (length >= n) return length;
  const uint32_t end = std::min<uint32_t>(n, static_cast<uint32_t>(buffer.size()));
  for (uint32_t i = length; i < end; ++i) buffer[i] = 32;
  if (end < buffer.size()) buffer[end] = 0;
  return end;
}

uint32_t LineIndexOf(std::span<const uint32_t> lineStarts, uint32_t p) {
  if (lineStarts.empty() || p < 1) return 1;
  auto it = std::upper_bound(lineStarts.begin(), lineStarts.end(), p - 1);
  const auto index = static_cast<uint32_t>(it - lineStarts.begin());
  return index == 0 ? 1 : index;
}

}  // namespace nuvel
