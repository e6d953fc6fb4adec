#pragma once
// The fixed code of LZHUF match positions: the upper six bits of a 12-bit
// position get a prefix code of 3 to 8 bits, the lower six bits follow as
// they are.
#include <array>
#include <cstdint>

namespace nuvel::lzh {

// Encoding: code length and code (left-aligned in a byte) by upper six bits.
extern const std::array<uint8_t, 64> kPositionLength;
extern const std::array<uint8_t, 64> kPositionCode;

// Decoding: for the first eight bits read, the upper six bits they stand for
// and the length of their prefix code.
struct PositionDecodeTables {
  std::array<uint8_t, 256> code;
  std::array<uint8_t, 256> length;
};
const PositionDecodeTables& PositionDecoding();

}  // namespace nuvel::lzh
