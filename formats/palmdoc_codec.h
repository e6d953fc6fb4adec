#pragma once
// The PalmDoc record coding of Doc e-books: literal bytes, counted runs of
// raw bytes, a space folded into the next letter, and two-byte copies of 3 to
// 10 bytes from up to 2047 bytes back.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

// Decodes one compressed record. A zero byte reads as a space. Decoding stops
// at a copy that reaches before the start of the record's text or is cut off
// by the record's end; a counted run cut off by the end keeps what is there.
// `expected` is the usual decoded size, a hint for the buffer. `damaged`,
// when given, is set when decoding stopped at such a code.
std::string DecodePalmDocRecord(std::span<const uint8_t> record, std::size_t expected = 4096,
                                bool* damaged = nullptr);

// Compresses one piece of text (at most 4096 bytes in a Doc file) greedily:
// at each place the longest earlier match of 3 to 10 bytes within the last
// 2047, the first one of that length, when at least 4 bytes remain.
std::vector<uint8_t> CompressRecord(std::string_view Text);

}  // namespace nuvel
