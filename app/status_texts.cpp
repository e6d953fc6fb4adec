#include "app/status_texts.h"

namespace nuvel {

std::string CharCodeSuffix(std::span<const uint8_t> lineText, int32_t col) {
  if (lineText.empty() || col < 1 || static_cast<size_t>(col) > lineText.size()) return " (XXX)";
  std::string s = " (#" + std::to_string(lineText[static_cast<size_t>(col) - 1]) + ")";
  return s.substr(0, 7);
}

StatusCaptions EnglishStatusCaptions() { return {"Modified", "Total:", "Top:", "Bytes:", "Insert", "Overwrite"}; }

StatusCaptions HebrewStatusCaptions(std::string (*lookup)(uint32_t id)) {
  // The library's texts 42000..42005; these stand in when it has none.
  StatusCaptions c{"\xE4\xF9\xFA\xF0\xE4",                      // modified
                   "\xF9\xE5\xF8\xE5\xFA:",                     // lines
                   "\xF9\xE5\xF8\xE4 \xF2\xEC\xE9\xE5\xF0\xE4:",  // top line
                   "\xE1\xFA\xE9\xED:",                         // bytes
                   "\xE4\xEB\xF0\xF1\xE4",                      // insert
                   "\xE4\xE7\xEC\xF4\xE4"};                     // overwrite
  std::string* fields[] = {&c.modified, &c.total, &c.top, &c.bytes, &c.insert, &c.overwrite};
  for (uint32_t i = 0; i < 6; ++i) {
    std::string text = lookup ? lookup(42000 + i) : std::string();
    if (!text.empty()) *fields[i] = text;
  }
  return c;
}

std::array<std::string, 6> StatusPanelTexts(const StatusFacts& f, const StatusCaptions& c) {
  std::array<std::string, 6> t;
  t[0] = std::to_string(f.line) + ":" + std::to_string(f.col) + CharCodeSuffix(f.lineText, f.col);
  t[1] = f.modified ? c.modified : "";
  t[2] = c.total + " " + std::to_string(f.lineCount);
  t[3] = c.top + " " + std::to_string(f.topLine);
  t[4] = c.bytes + " " + std::to_string(f.textLength);
  t[5] = f.insertMode ? c.insert : c.overwrite;
  if (f.scrollLock) t[5] += " (SL)";
  return t;
}

uint8_t NextScrollLockMode(uint8_t current, bool scrollLock, int32_t line, int32_t topLine) {
  if (!scrollLock) return 0;
  if (current != 0) return current;
  return static_cast<uint8_t>(line - topLine - 1);
}

}  // namespace nuvel
