#pragma once
// The memory figures of the About box, read from the system's memory
// report (/proc/meminfo): the physical memory and the share in use.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nuvel {

struct MemoryFigures {
  uint64_t totalBytes = 0;
  uint64_t availableBytes = 0;
};

// Reads MemTotal and MemAvailable (in kB) from the text of /proc/meminfo;
// nothing when MemTotal is missing, malformed or zero. Without MemAvailable
// (older kernels) MemFree + Buffers + Cached stands in.
std::optional<MemoryFigures> ParseMemInfo(std::string_view text);
// The figures of this machine; nothing when they cannot be read.
std::optional<MemoryFigures> ReadMemoryFigures();

// The total divided by 1,024,000, rounded to the nearest whole number, with
// thousands separators and " MB" after it: 67,108,864 bytes gives "66 MB".
std::string PhysicalMemoryText(uint64_t totalBytes);
// The share of the memory in use, "%d %": (total - available) x 100 / total.
std::string MemoryLoadText(const MemoryFigures& m);

}  // namespace nuvel
