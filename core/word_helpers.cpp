#include "core/word_helpers.h"

namespace nuvel {
namespace {

bool IsDelim(char c, std::string_view delims) { return delims.find(c) != std::string_view::npos; }

// 0-based start and length of the n-th word, or npos when there is none.
std::pair<std::size_t, std::size_t> FindWord(std::size_t n, std::string_view s, std::string_view delims) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsDelim(s[i], delims)) ++i;
    if (i >= s.size()) break;
    const std::size_t start = i;
    while (i < s.size() && !IsDelim(s[i], delims)) ++i;
    if (++count == n) return {start, i - start};
  }
  return {std::string_view::npos, 0};
}

bool IsTrimmed(char c) { return static_cast<uint8_t>(c) <= 32; }

}  // namespace

std::size_t WordPositionN(std::size_t n, std::string_view s, std::string_view delims) {
  auto [start, len] = FindWord(n, s, delims);
  return start == std::string_view::npos ? 0 : start + 1;
}

std::string ExtractWordN(std::size_t n, std::string_view s, std::string_view delims) {
  auto [start, len] = FindWord(n, s, delims);
  if (start == std::string_view::npos) return {};
  return std::string(s.substr(start, len));
}

std::string TrimString(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && IsTrimmed(s[b])) ++b;
  while (e > b && IsTrimmed(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string PadRightChar(std::string_view s, char ch, std::size_t len) {
  std::string out(s);
  if (out.size() < len) out.append(len - out.size(), ch);
  return out;
}

void AddBackslash(std::string& s) {
  if (s.empty() || s.back() != '/') s.push_back('/');
}

void SetStrLength(std::string& s, std::size_t len) { s.resize(len, ' '); }

}  // namespace nuvel
