#include "core/string_routines.h"

#include "platform/ascii_case.h"

namespace nuvel {

std::string StrExpandTabs(std::string_view src, size_t tab_size) {
  std::string out;
  if (tab_size == 0) return out;
  for (char c : src) {
    if (c == '\t') {
      out.append(tab_size - out.size() % tab_size, ' ');
    } else {
      out += c;
    }
  }
  return out;
}

bool ParseLongInt(std::string_view s, int32_t& value) {
  if (s.size() > 255) {
    value = -1;
    return false;
  }
  while (!s.empty() && static_cast<uint8_t>(s.back()) <= 32) s.remove_suffix(1);
  auto fail = [&](size_t at) {
    value = static_cast<int32_t>(at);
    return false;
  };
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    i += 2;
    if (i >= s.size()) return fail(i);
    uint32_t v = 0;
    for (size_t digits = 0; i < s.size(); ++i, ++digits) {
      uint8_t c = platform::AsciiUpper(static_cast<uint8_t>(s[i]));
      int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
      if (d < 0 || digits == 8) return fail(i);
      v = v * 16 + static_cast<uint32_t>(d);
    }
    value = static_cast<int32_t>(v);
    return true;
  }
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i >= s.size()) return fail(i);
  int64_t v = 0;
  const int64_t limit = negative ? int64_t{2147483648} : int64_t{2147483647};
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return fail(i);
    v = v * 10 + (c - '0');
    if (v > limit) return fail(i);
  }
  value = static_cast<int32_t>(negative ? -v : v);
  return true;
}

}  // namespace nuvel
