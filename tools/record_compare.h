#pragma once
// Comparison of a stretch of two fixed-length records, byte by byte or in
// collated order (the system's own pointed letters sort with their base
// letters, ASCII letters without regard to case).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace nuvel::tools {

// Collation weight of each byte: ASCII letters as upper case, the pointed
// letters 0x81-0x9B as their base letters, every other byte as itself.
extern const std::array<uint8_t, 256> CompareTable;

// Compares `a` and `b` at the positions start .. start + len - 1 (counted
// from 1); positions outside the records are not compared. Negative, 0 or
// positive as `a` sorts before, with or after `b`.
int CompareBytesFrom(std::span<const uint8_t> a, std::span<const uint8_t> b, std::size_t start, std::size_t len);
// The same through CompareTable.
int CompareCollatedFrom(std::span<const uint8_t> a, std::span<const uint8_t> b, std::size_t start,
                        std::size_t len);

}  // namespace nuvel::tools
