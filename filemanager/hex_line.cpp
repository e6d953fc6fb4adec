#include "filemanager/hex_line.h"

namespace nuvel {

int HexOffsetDigits(int64_t size) {
  int digits = 8;
  const int64_t last = size > 0 ? size - 1 : 0;
  while (digits < 16 && (static_cast<uint64_t>(last) >> (4 * digits)) != 0) ++digits;
  return digits;
}

std::string FormatHexLine(int64_t offset, std::span<const uint8_t> bytes, bool expandTabs, bool filterChars,
                          int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string line(static_cast<size_t>(HexLineWidth(digits)), ' ');
  const auto value = static_cast<uint64_t>(offset);
  for (int d = 0; d < digits; ++d)
    line[static_cast<size_t>(d)] = kDigits[(value >> (4 * (digits - 1 - d))) & 15];
  const size_t count = bytes.size() < kHexLineBytes ? bytes.size() : kHexLineBytes;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t b = bytes[i];
    const auto col = static_cast<size_t>(HexDigitColumn(static_cast<int>(i), digits));
    line[col] = kDigits[b >> 4];
    line[col + 1] = kDigits[b & 15];
    const bool dot = b == 0 || (b == 9 && expandTabs) || (filterChars && (b < 32 || b > 127));
    line[static_cast<size_t>(HexCharColumn(static_cast<int>(i), digits))] = dot ? '.' : static_cast<char>(b);
  }
  return line;
}

}  // namespace nuvel
