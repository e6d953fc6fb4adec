#include "filemanager/view_status.h"

#include <charconv>

#include "filemanager/viewer_limits.h"

namespace nuvel {

TViewStatusTexts ViewStatusTexts(const TViewStatus& s, const std::string& totalLabel, const std::string& topLabel,
                                 const std::string& bytesLabel) {
  TViewStatusTexts t;
  t.caret = std::to_string(s.caretLine + 1) + ":" + std::to_string(s.caretCol + 1);
  if (s.charAtCaret) {
    t.caret += " (#" + std::to_string(*s.charAtCaret) + ")";
    if (*s.charAtCaret < 100) t.caret += "  ";
  } else {
    t.caret += " (XXX)";
  }
  if (t.caret.size() < 8) t.caret.resize(8, ' ');
  t.total = totalLabel + " " + (s.lineCount == kUnknownLineCount ? std::string("?") : std::to_string(s.lineCount));
  std::string top = std::to_string(s.topLine + 1);
  if (top.size() < 5) top.insert(0, 5 - top.size(), ' ');
  t.top = topLabel + " " + top;
  t.bytes = bytesLabel + " " + std::to_string(s.fileSize);
  return t;
}

std::optional<int64_t> ParseWholeNumber(const std::string& text) {
  size_t from = text.find_first_not_of(' ');
  const size_t to = text.find_last_not_of(' ');
  if (from == std::string::npos) return std::nullopt;
  if (text[from] == '+') ++from;
  int64_t value = 0;
  const char* first = text.data() + from;
  const char* last = text.data() + to + 1;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

}  // namespace nuvel
