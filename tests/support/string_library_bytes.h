#pragma once
// Builds the bytes of a string library file for tests.
#include <cstdint>
#include <map>
#include <string>

namespace nuvel::test {

inline std::string StringLibraryBytes(const std::map<uint32_t, std::string>& texts) {
  std::string header = "NSTR", entries, body;
  auto u32 = [](std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
  };
  u32(header, static_cast<uint32_t>(texts.size()));
  const auto offset = static_cast<uint32_t>(8 + 12 * texts.size());
  for (const auto& [id, text] : texts) {
    u32(entries, id);
    u32(entries, offset + static_cast<uint32_t>(body.size()));
    u32(entries, static_cast<uint32_t>(text.size()));
    body += text;
  }
  return header + entries + body;
}

}  // namespace nuvel::test
