#pragma once
// The LZHUF bit stream: LZSS over a 4096-byte ring buffer prefilled with
// spaces, literals and match lengths coded by an adaptive Huffman tree, match
// positions by a fixed code. Bits go most significant first; the last byte is
// padded with zero bits.
#include <cstdint>
#include <stdexcept>

#include "formats/byte_stream.h"

namespace nuvel::lzh {

// A stream that ends before the stored size is reached.
class DamagedStream : public std::runtime_error {
 public:
  DamagedStream() : std::runtime_error("The compressed file is damaged") {}
};

// Codes every byte of `in` onto `out`; returns the number of bytes coded.
uint64_t Encode(ByteInput& in, ByteOutput& out);

// Decodes `size` bytes from `in` onto `out`. Throws DamagedStream when the
// input runs out first. A match that would pass `size` is cut there.
void Decode(ByteInput& in, ByteOutput& out, uint64_t size);

}  // namespace nuvel::lzh
