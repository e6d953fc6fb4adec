#pragma once
// One line of the viewer's hex view: 16 bytes of the file, the offset in
// upper-case hex digits, the bytes in hex, and the bytes as characters. The
// offset takes eight digits, more for a file beyond 4 GB, and the columns
// after it move right by as many.
#include <cstdint>
#include <span>
#include <string>

namespace nuvel {

inline constexpr int kHexLineBytes = 16;

// Digits of the offset column for a file of `size` bytes: 8 or more.
int HexOffsetDigits(int64_t size);
// Column of byte i's hex digits and of its character, and the line's width.
constexpr int HexDigitColumn(int i, int digits = 8) { return digits + 2 + 3 * i; }
constexpr int HexCharColumn(int i, int digits = 8) { return digits + 51 + i; }
constexpr int HexLineWidth(int digits = 8) { return digits + 67; }

// `bytes` (at most 16) start at file offset `offset`. The character part
// shows "." for a NUL, for a tab when tabs are expanded, and for bytes below
// 32 or above 127 when `filterChars` is set; columns without a byte are
// blanks.
std::string FormatHexLine(int64_t offset, std::span<const uint8_t> bytes, bool expandTabs, bool filterChars,
                          int digits = 8);

// Lines of the hex view of a file of `size` bytes.
constexpr int64_t HexLineCount(int64_t size) { return (size + kHexLineBytes - 1) / kHexLineBytes; }

}  // namespace nuvel
