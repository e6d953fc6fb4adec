#pragma once
// The form of a plain-text file's bytes: bytes of an 8-bit character set, or
// Unicode text as UTF-16 little-endian or UTF-8, with or without the
// byte-order mark, or UTF-16 big-endian with its mark. A document remembers
// the form it was read in and is saved back in it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace nuvel {

enum class TTextForm : uint8_t { Bytes, Utf16, Utf16Mark, Utf8, Utf8Mark, Utf16BigMark };

constexpr bool IsUnicodeForm(TTextForm f) { return f != TTextForm::Bytes; }
constexpr bool IsUtf8Form(TTextForm f) { return f == TTextForm::Utf8 || f == TTextForm::Utf8Mark; }

// The form the bytes show by themselves: the UTF-16 marks FF FE and FE FF,
// the UTF-8 mark EF BB BF; UTF-16 little-endian without a mark when the
// length is even and every character read so is one of text (tab to CR,
// printable ASCII, Latin-1 letters and signs, Hebrew, and the punctuation of
// U+2000-U+20FF); valid UTF-8 holding at least one multi-byte sequence;
// anything else is Bytes (plain ASCII included).
TTextForm SniffTextForm(std::span<const uint8_t> bytes);

// Decodes the UTF-8 sequence at `i`: its length, with the code point in `cp`;
// 0 for a sequence that is not valid UTF-8 (overlong, a surrogate, past
// U+10FFFF, cut short).
std::size_t DecodeUtf8(std::span<const uint8_t> s, std::size_t i, char32_t& cp);
// Appends the UTF-8 bytes of `cp`.
void AppendUtf8(std::vector<uint8_t>& out, char32_t cp);

}  // namespace nuvel
