#pragma once
// The table-driven conversion of mode 2 (Windows-1255) over whole buffers.
// Bytes that neither compose nor decompose are copied through a 256-entry
// table in a tight loop; only a point (going in) or a pointed letter or a
// holam (going out) takes the composing code. The result is byte for byte
// what the step-by-step conversion of the engine gives.
#include <cstdint>
#include <span>
#include <vector>

#include "core/conv_engine.h"

namespace nuvel {

// Windows-1255 -> the system's set: appends to `out`, whose bytes are the
// converted text before `in` (composition may change them). `s.table` is
// the table of direction in.
void ComposeCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out);
// The same over raw bytes: reads `n` bytes at `in`, writes from `out + k`
// (the `k` bytes before are the converted text before the input) and
// answers the end of what it wrote. It never writes more bytes than it
// reads and reads each byte before it writes over its place, so `in` may be
// `out + k`: the text is then converted in place.
std::size_t ComposeCp1255Runs(const ConvSettings& s, const uint8_t* in, std::size_t n, uint8_t* out,
                              std::size_t k);

// The system's set -> Windows-1255: appends to `out` likewise. `s.table` is
// the table of direction out.
void DecomposeCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out);

// The system's set -> Windows-1255 as the savers write it, into `out`
// (emptied first): decomposed, and the points of every letter in Unicode's
// canonical order, in the one pass. A holam stays a holam whatever letter
// it is on: Windows-1255 and Unicode write a shin's holam beside its dot.
void WriteCp1255Runs(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out);

}  // namespace nuvel
