#include "app/memory_figures.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace nuvel {

namespace {

// The kB figure of the line "Name:   1234 kB", when the text has one.
std::optional<uint64_t> Field(std::string_view text, std::string_view name) {
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.size() <= name.size() || line.substr(0, name.size()) != name || line[name.size()] != ':') continue;
    line.remove_prefix(name.size() + 1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    uint64_t value = 0;
    const auto [p, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || p == line.data()) return std::nullopt;
    if (value > UINT64_MAX / 1024) return std::nullopt;
    return value * 1024;
  }
  return std::nullopt;
}

std::string WithSeparators(uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
    out.push_back(digits[i]);
  }
  return out;
}

}  // namespace

std::optional<MemoryFigures> ParseMemInfo(std::string_view text) {
  const auto total = Field(text, "MemTotal");
  if (!total || *total == 0) return std::nullopt;
  MemoryFigures m;
  m.totalBytes = *total;
  if (const auto avail = Field(text, "MemAvailable")) {
    m.availableBytes = *avail;
  } else {
    m.availableBytes = Field(text, "MemFree").value_or(0) + Field(text, "Buffers").value_or(0) +
                       Field(text, "Cached").value_or(0);
  }
  if (m.availableBytes > m.totalBytes) m.availableBytes = m.totalBytes;
  return m;
}

std::optional<MemoryFigures> ReadMemoryFigures() {
  std::ifstream in("/proc/meminfo");
  if (!in) return std::nullopt;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseMemInfo(text);
}

std::string PhysicalMemoryText(uint64_t totalBytes) {
  return WithSeparators((totalBytes + 512000) / 1024000) + " MB";
}

std::string MemoryLoadText(const MemoryFigures& m) {
  if (m.totalBytes == 0) return "0 %";
  const uint64_t used = m.totalBytes - m.availableBytes;
  return std::to_string(used * 100 / m.totalBytes) + " %";
}

}  // namespace nuvel
