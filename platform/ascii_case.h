#pragma once
// ASCII-only case mapping and comparison for names (INI sections and keys,
// registry keys and values, file names of the program's own data files).
// Bytes above 0x7F are never changed: they are Hebrew letters and points.
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel::platform {

constexpr uint8_t AsciiUpper(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }
constexpr uint8_t AsciiLower(uint8_t c) { return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c; }

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(static_cast<uint8_t>(a[i])) != AsciiUpper(static_cast<uint8_t>(b[i]))) return false;
  }
  return true;
}

inline std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(AsciiUpper(static_cast<uint8_t>(c)));
  return out;
}

// Blanks and tabs removed from both ends.
constexpr std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace nuvel::platform
