#pragma once
// Small word and string helpers on byte strings of the system's own set.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel {

// 1-based start of the n-th word of `s` (words separated by any byte of
// `delims`); 0 when there is no such word.
std::size_t WordPositionN(std::size_t n, std::string_view s, std::string_view delims);
// The n-th word of `s`; empty when there is none.
std::string ExtractWordN(std::size_t n, std::string_view s, std::string_view delims);

// `s` without leading and trailing bytes of code 32 or less.
std::string TrimString(std::string_view s);
// `s` followed by `ch` repeated up to `len` characters (unchanged when it is
// already that long).
std::string PadRightChar(std::string_view s, char ch, std::size_t len);
// Appends the folder separator "/" unless `s` already ends with one.
void AddBackslash(std::string& s);
// Makes `s` exactly `len` characters long, cutting it or padding with blanks.
void SetStrLength(std::string& s, std::size_t len);

// The two bytes of a 16-bit number exchanged.
constexpr uint16_t SwapByte(uint16_t v) { return static_cast<uint16_t>((v >> 8) | (v << 8)); }
// The four bytes of a 32-bit number in reverse order.
constexpr uint32_t SwapLong(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
}
template <typename T>
constexpr T MaxOfTwo(T a, T b) {
  return std::max(a, b);
}

}  // namespace nuvel
