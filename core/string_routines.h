#pragma once
// Small routines on byte strings shared by the painting and the dialogs'
// number fields. Positions are 0-based.
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel {

// `src` with each tab widened with blanks to the next multiple of `tab_size`;
// empty when `tab_size` is 0.
std::string StrExpandTabs(std::string_view src, size_t tab_size);
// Reads a 32-bit decimal number (optional blanks and sign before it), or a
// hexadecimal one after "0x" (up to eight digits). Trailing characters of code
// 32 or less are ignored. False when it is no number, with `value` the
// 0-based position of the first wrong character; false with -1 when `s` is
// longer than 255 characters.
bool ParseLongInt(std::string_view s, int32_t& value);

}  // namespace nuvel
