#pragma once
// Texts in reading order for the tests of tools that work on it: UTF-8
// written in the test turned into bytes of the system's set, lines loaded
// into an editor the way a file of another program is (each line turned
// into the document's storage order), and the paragraphs read back in
// reading order.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/border_order.h"
#include "core/charset.h"
#include "editor/heb_text_editor.h"
#include "formats/text_form.h"

namespace nuvel::test {

// UTF-8 as bytes of the system's set (Hebrew letters and points, ASCII).
inline std::string Own(std::string_view utf8) {
  const std::span<const uint8_t> s(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size());
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(s, i, cp);
    out.push_back(static_cast<char>(UnicodeToHebChar(static_cast<char16_t>(cp))));
    i += n == 0 ? 1 : n;
  }
  return out;
}

// One line turned between reading and storage order.
inline std::string Turned(bool englishDocument, std::string line) {
  std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(line.data()), line.size());
  ReorderAtBorder(englishDocument, bytes);
  return line;
}

// Loads lines of reading-order text (system bytes) into the editor.
inline void LoadLogical(THebTextEditor& editor, bool englishDocument, const std::vector<std::string>& lines) {
  editor.SetEngm(englishDocument);
  std::string text;
  for (const std::string& line : lines) text += Turned(englishDocument, line) + "\r\n";
  editor.LoadString(text);
}

// The paragraphs in reading order, the empty last one left out.
inline std::vector<std::string> LogicalParas(const THebTextEditor& editor) {
  std::vector<std::string> out;
  for (int32_t p = 1; p <= editor.ParaCount(); ++p) {
    if (p == editor.ParaCount() && editor.ParaLength(p) == 0) break;
    const auto b = editor.GetPara(p);
    out.push_back(Turned(editor.Engm(), std::string(b.begin(), b.end())));
  }
  return out;
}

}  // namespace nuvel::test
