#pragma once
// The CRC-32 of zlib and PNG (polynomial 0xEDB88320, reflected, inverted at
// both ends), for checking that a data file is as its builder wrote it.
#include <cstdint>
#include <span>

namespace nuvel {

// The CRC of `bytes`, continued from `crc` (the CRC of the bytes before).
uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);

}  // namespace nuvel
