#pragma once
// Reversal of strings and buffers, and of runs of one script inside a line,
// between visual and logical order.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nuvel {

// `src` with its characters in reverse order.
std::string ReverseShortStr(std::string_view src);
// Reverses `s` in place.
void ReverseStr(std::string& s);
// Reverses the bytes of `buf` in place.
void ReverseBytes(std::span<uint8_t> buf);
// The same, for a buffer given by its start and length.
void ReverseBufRef(uint8_t* p, std::size_t len);
// `s` reversed; with blanks before it up to `width` characters when it is
// shorter, else its last `width` characters.
std::string ReversePadLeft(std::string_view s, std::size_t width);

// True for the ASCII punctuation and digits that join a run of either script:
// 0x21-0x40, 0x5B-0x60 and 0x7B-0x7E.
constexpr bool IsRunJoiner(uint8_t b) {
  return (b >= 0x21 && b <= 0x40) || (b >= 0x5B && b <= 0x60) || (b >= 0x7B && b <= 0x7E);
}
// Hebrew run set: pointed letters, points and marks, letters.
constexpr bool IsHebrewRunByte(uint8_t b) {
  return (b >= 0x81 && b <= 0x9B) || (b >= 0xC0 && b <= 0xD3) || (b >= 0xE0 && b <= 0xFA);
}
// Latin run set: 'A'-'Z' and 'a'-'z'.
constexpr bool IsLatinRunByte(uint8_t b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

// Reverses, in place, every run of the chosen script (Hebrew when `hebrew`,
// else Latin) together with the blanks, digits and punctuation around and
// inside it; text of the other script stays where it is.
void ReverseScriptRuns(bool hebrew, std::string& s);

}  // namespace nuvel
