#pragma once
// The Windows-1255 code page, the outside character set of the clipboard's
// byte text and of RTF files: its bytes to UTF-16 and back. The system's
// pointed letters have no byte of their own there; they are written as their
// letter and points, which the mode 2 conversion composes again.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

// The UTF-16 code of a Windows-1255 byte. Bytes the code page leaves
// undefined give the control code of the same value (0x81 gives U+0081).
char16_t Windows1255ToUnicode(uint8_t b);
std::u16string DecodeWindows1255(std::span<const uint8_t> bytes);

// Appends the Windows-1255 bytes of `code` to `out`: one byte, or a letter
// and its points for a precomposed pointed letter. False, with nothing
// appended, when the code page cannot show the character.
bool EncodeWindows1255Char(char16_t code, std::vector<uint8_t>& out);
// The whole text; a character the code page cannot show becomes `replacement`.
std::vector<uint8_t> EncodeWindows1255(std::u16string_view text, uint8_t replacement = '?');

}  // namespace nuvel
