#include "app/status_texts.h"

namespace nuvel {

std::string CharCodeSuffix(std::span<const uint8_t> lineText, int32_t col) {
  if (lineText.empty() || col < 1 || static_cast<size_t>(col) > lineText.size()) return " (XXX)";
  std::string s = " (#" + std::to_string(lineText[static_cast<size_t>(col) - 1]) + ")";
  return s.substr(0, 7);
}

std::array<std::string, 6> StatusPanelTexts(const StatusFacts& f, bool en) {
  std::array<std::string, 6> t;
  t[0] = std::to_string(f.line) + ":" + std::to_string(f.col) + CharCodeSuffix(f.lineText, f.col);
  t[1] = f.modified ? (en ? "Modified" : "השתנה") : "";
  t[2] = en ? "Total: " + std::to_string(f.lineCount) : std::to_string(f.lineCount) + ":שורות";
  t[3] = en ? "Top: " + std::to_string(f.topLine) : std::to_string(f.topLine) + ":שורה עליונה";
  t[4] = "Bytes: " + std::to_string(f.textLength);
  t[5] = en ? (f.insertMode ? "Insert" : "Overwrite") : (f.insertMode ? "הכנסה" : "החלפה");
  if (f.scrollLock) t[5] += " (SL)";
  return t;
}

uint8_t NextScrollLockMode(uint8_t current, bool scrollLock, int32_t line, int32_t topLine) {
  if (!scrollLock) return 0;
  if (current != 0) return current;
  return static_cast<uint8_t>(line - topLine - 1);
}

}  // namespace nuvel
