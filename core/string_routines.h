#pragma once
// Small routines of the control framework on byte strings. Positions are
// 0-based. Case mapping is ASCII-only: Hebrew letters have no case.
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel {

// `count` copies of `ch`.
std::string FillCharStr(uint8_t ch, size_t count);
// `src` with each tab widened with blanks to the next multiple of `tab_size`;
// empty when `tab_size` is 0.
std::string StrExpandTabs(std::string_view src, size_t tab_size);
// Eight upper-case hexadecimal digits, high word first.
std::string HexLongStr(uint32_t value);
// Removes the character at `pos` (nothing when `pos` is past the end).
void DeleteCharAt(std::string& s, size_t pos);
// Inserts `ch` before `pos` (at the end when `pos` is past it).
void InsertCharAt(std::string& s, uint8_t ch, size_t pos);
// First position of `ch` / `sub`; false when absent (an empty `sub` is absent).
bool CharPosZ(std::string_view s, uint8_t ch, size_t& pos);
bool StrPosZ(std::string_view s, std::string_view sub, size_t& pos);
// At most `count` characters from `pos`; empty when `pos` is past the end.
std::string CopySubStr(std::string_view s, size_t pos, size_t count);
// Removes up to `count` characters at `pos`.
void DeleteSubStr(std::string& s, size_t pos, size_t count);
// Reads a 32-bit decimal number (optional blanks and sign before it), or a
// hexadecimal one after "0x" (up to eight digits). Trailing characters of code
// 32 or less are ignored. False when it is no number, with `value` the
// 0-based position of the first wrong character; false with -1 when `s` is
// longer than 255 characters.
bool ParseLongInt(std::string_view s, int32_t& value);
// Removes leading and trailing blanks.
void TrimBlanksZ(std::string& s);
// Removes trailing characters of code 32 or less.
void StrTrimTail(std::string& s);
// ASCII upper case; other bytes unchanged.
uint8_t UpCaseChar(uint8_t ch);

}  // namespace nuvel
