#include "formats/ereader_markup.h"

namespace nuvel {

namespace {

bool IsStyleCode(char c) {
  switch (c) {
    case 'b': case 'c': case 'i': case 'l': case 'n': case 'o': case 'p':
    case 'r': case 's': case 't': case 'u': case 'v': case 'x':
      return true;
    default:
      return false;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string RemoveEReaderMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    char c = text[i];
    if (c != '\\') {
      out.push_back(c);
      ++i;
      continue;
    }
    if (i + 1 >= n) break;  // a backslash at the very end
    char code = text[i + 1];
    if (IsStyleCode(code)) {
      i += 2;
    } else if (code == 'a') {
      if (i + 5 > n) break;  // the number is cut off
      std::string_view digits = text.substr(i + 2, 3);
      if (IsDigit(digits[0]) && IsDigit(digits[1]) && IsDigit(digits[2])) {
        int value = (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
        out.push_back(value <= 255 ? static_cast<char>(value) : '?');
      } else {
        out.push_back('?');
      }
      i += 5;
    } else {
      ++i;  // drop the backslash; what follows is read again
    }
  }
  return out;
}

}  // namespace nuvel
