#pragma once
// The conversion engine: turns bytes of the system's own set into an outside
// character set ("out") or back ("in") by one conversion mode, with explicit
// settings and no global state (see PreparedConv in core/conv_context.h).
//
// Output grows as needed: decomposed pointed letters take up to three bytes
// and 3B2 entities up to thirteen. Look-aheads never read past the input.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace nuvel {

// Conversion modes, the "Character Table" preference.
enum ConvModeNumber : int {
  kConvNone = 0,
  kConvWindows31 = 1,   // ISO-8859-8
  kConvCp1255 = 2,      // Windows-1255 with composition of pointed letters
  kConvWord = 3,        // stored as chosen, runs as 2
  kConvNuvelDos = 4,    // DOS Hebrew, code page 862
  kConvEinstein = 5,
  kConv3B2 = 6,
  kConvUnicode = 7,
  kConvRtf = 8,
  kConvWindowsFonts = 9,  // as 2, with the shin and sin dots exchanged
};

using ConvTableBytes = std::array<uint8_t, 256>;

// A table entry of the mode 2/9 tables that marks a byte for composition
// (direction in) or decomposition (direction out).
inline constexpr uint8_t kComposeMark = 127;

struct ConvSettings {
  int mode = kConvNone;
  const uint8_t* table = nullptr;  // 256 bytes; required by modes 1, 2, 4, 5, 6, 9
  bool out = true;                        // own set -> outside set
  uint8_t shin_dot = 0xD1;                // outside codes of the two dots
  uint8_t sin_dot = 0xD2;
};

// True when the mode changes bytes in ConvertBytes (modes 1, 2, 4, 5, 6, 9).
bool ModeConvertsBytes(int mode);

// Appends the conversion of `in` to `out`. Bytes already in `out` are the
// converted text before `in`: composition may change its last two bytes.
// Modes that change no bytes copy `in` unchanged. A mode that needs a table
// and has none copies unchanged too.
// Mode 2 runs through a 256-entry table and composes only where needed.
void ConvertBytes(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out);

// Converts `text` where it stands when the mode never makes it longer
// (modes 1, 4 and 5, and mode 2 going in) and answers its new length;
// answers nothing, with `text` untouched, in every other case.
std::optional<std::size_t> ConvertBytesInPlace(const ConvSettings& s, std::span<uint8_t> text);

// The same conversion one byte at a time through the composing code in
// every mode: what the table-driven runs of ConvertBytes must equal.
void ConvertBytesByStep(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out);

// Converts the byte at `pos` of `buf` in place, with the bytes before it as
// already converted text. Bytes it inserts or removes shift the rest of the
// buffer. Answers the position of the next byte to convert. In mode 7 with
// the direction out, the buffer is unchanged and `wide` receives the byte's
// UTF-16 code.
std::size_t ConvertCharAt(const ConvSettings& s, std::vector<uint8_t>& buf, std::size_t pos,
                          std::optional<char16_t>* wide = nullptr);

}  // namespace nuvel
