#include "core/hash_escapes.h"

namespace nuvel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string DecodeHashEscapes(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '\x0E') {
      out += '\r';
      ++i;
    } else if (c == '\x0F') {
      ++i;
    } else if (c == '#' && i + 1 < s.size() && IsDigit(s[i + 1])) {
      unsigned value = 0;
      size_t j = i + 1;
      for (int k = 0; k < 3 && j < s.size() && IsDigit(s[j]); ++k, ++j) value = value * 10 + unsigned(s[j] - '0');
      out += static_cast<char>(value % 256);
      i = j;
    } else if (c == '#' && i + 1 < s.size() && s[i + 1] == '#') {
      out += '#';
      i += 2;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::string DecodeHashEscapesPChar(std::string_view s) {
  // A zero byte already ends the buffer before anything is decoded.
  if (const size_t zero = s.find('\0'); zero != std::string_view::npos) s = s.substr(0, zero);
  if (s.size() > 255) s = s.substr(0, 254);
  std::string out = DecodeHashEscapes(s);
  if (const size_t zero = out.find('\0'); zero != std::string::npos) out.resize(zero);
  return out;
}

}  // namespace nuvel
