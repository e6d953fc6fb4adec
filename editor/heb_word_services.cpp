// Word services of the bilingual editor: statistics, the word at the caret
// and word-by-word iteration (the spell checker's road through the text),
// read in the paragraph's reading order.
#include <algorithm>

#include "editor/heb_text_editor.h"

namespace nuvel {

void THebTextEditor::GetFileStats(int64_t& words, int64_t& charPos) const {
  words = 0;
  charPos = 0;
  const int32_t caretPara = CaretPara();
  for (int32_t p = 1; p <= ParaCount(); ++p) {
    const auto text = GetPara(p);
    bool inWord = false;
    for (uint8_t b : text) {
      const bool delimiter = IsDelimiter(b);
      if (!delimiter && !inWord) ++words;
      inWord = !delimiter;
    }
    if (p < caretPara) charPos += static_cast<int64_t>(text.size());
  }
  charPos += CaretPos();
}

const TReadingPara& THebTextEditor::ReadingPara(int32_t para) const {
  const std::span<const uint8_t> stored = GetPara(para);
  const std::optional<bool> order = logicalOrder_ ? std::optional<bool>(Engm()) : std::nullopt;
  if (!reading_ || !reading_->Reads(stored, order)) reading_.emplace(stored, order);
  return *reading_;
}

int32_t THebTextEditor::ReadingPos(int32_t para, int32_t pos) const {
  // The paragraph's start is where it starts to read, whatever its first
  // cell holds.
  if (!logicalOrder_ || pos <= 1 || pos > ParaLength(para)) return pos;
  return static_cast<int32_t>(ReadingPara(para).ReadingOf(static_cast<size_t>(pos - 1))) + 1;
}

void THebTextEditor::SelectReading(int32_t para, int32_t from, int32_t to) {
  const auto [first, last] = ReadingPara(para).StoredStretch(static_cast<size_t>(std::max(from, 1) - 1),
                                                             static_cast<size_t>(std::max(to, 1) - 1));
  SelectRange(para, static_cast<int32_t>(first) + 1, para, static_cast<int32_t>(last) + 1, true);
}

uint16_t THebTextEditor::ReplaceReading(int32_t para, int32_t from, int32_t to, std::span<const uint8_t> text) {
  const TStoredEdit edit = ReadingPara(para).Replace(static_cast<size_t>(std::max(from, 1) - 1),
                                                     static_cast<size_t>(std::max(to, 1) - 1), text);
  if (edit.From == edit.To && edit.Bytes.empty()) return 0;
  return ReplaceRange(para, static_cast<int32_t>(edit.From) + 1, edit.Bytes, para, static_cast<int32_t>(edit.To) + 1);
}

std::string THebTextEditor::GetCaretWord(int32_t& para, int32_t& start, int32_t& endPos) const {
  para = CaretPara();
  const TReadingPara& reading = ReadingPara(para);
  const auto text = reading.Text();
  const auto length = static_cast<int32_t>(text.size());
  int32_t i = CaretPos() - 1;
  auto delim = [&](int32_t k) { return IsDelimiter(text[static_cast<size_t>(k)]); };
  if (i < 0 || i >= length || delim(static_cast<int32_t>(reading.ReadingOf(static_cast<size_t>(i))))) {
    start = i >= 0 && i < length ? static_cast<int32_t>(reading.ReadingOf(static_cast<size_t>(i))) + 1 : CaretPos();
    endPos = start;
    return {};
  }
  i = static_cast<int32_t>(reading.ReadingOf(static_cast<size_t>(i)));
  while (i > 0 && !delim(i)) --i;
  while (i < length - 1 && delim(i)) ++i;
  int32_t e = i;
  while (e < length - 1 && !delim(e)) ++e;
  while (e >= 1 && delim(e)) --e;
  start = i + 1;
  endPos = e + 2;
  return std::string(text.begin() + i, text.begin() + e + 1);
}

bool THebTextEditor::GetNextWord(int32_t& para, int32_t& pos, std::string& word, int32_t* start) const {
  word.clear();
  while (para >= 1 && para <= ParaCount()) {
    const TReadingPara& reading = ReadingPara(para);
    const auto text = reading.Text();
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = std::max(pos, 0);
    while (i < length && IsDelimiter(text[static_cast<size_t>(i)])) ++i;
    if (i >= length) {
      // The next paragraph from its first byte.
      ++para;
      pos = 0;
      continue;
    }
    while (i > 0 && !IsDelimiter(text[static_cast<size_t>(i - 1)])) --i;
    auto inWord = [&](int32_t k) {
      const uint8_t b = text[static_cast<size_t>(k)];
      if (b == '\'' || !IsDelimiter(b)) return true;
      return b == '"' && k + 1 < length && !IsDelimiter(text[static_cast<size_t>(k + 1)]);
    };
    int32_t e = i;
    while (e + 1 < length && inWord(e + 1)) ++e;
    const int32_t last = e;
    while (e > i && IsDelimiter(text[static_cast<size_t>(e)])) --e;
    word.assign(text.begin() + i, text.begin() + e + 1);
    pos = last + 2;
    if (start) *start = i + 1;
    return true;
  }
  return false;
}

}  // namespace nuvel
