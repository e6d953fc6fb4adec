#pragma once
// Big-endian numbers in byte buffers, as Palm databases store them.
#include <cstddef>
#include <cstdint>
#include <span>

namespace nuvel {

inline uint16_t GetBigEndian16(std::span<const uint8_t> b, std::size_t at) {
  return static_cast<uint16_t>((b[at] << 8) | b[at + 1]);
}

inline uint32_t GetBigEndian32(std::span<const uint8_t> b, std::size_t at) {
  return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) |
         uint32_t{b[at + 3]};
}

inline void PutBigEndian16(std::span<uint8_t> b, std::size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}

inline void PutBigEndian32(std::span<uint8_t> b, std::size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 24);
  b[at + 1] = static_cast<uint8_t>(v >> 16);
  b[at + 2] = static_cast<uint8_t>(v >> 8);
  b[at + 3] = static_cast<uint8_t>(v);
}

}  // namespace nuvel
