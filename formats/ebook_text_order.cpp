#include "formats/ebook_text_order.h"

#include <cstdint>
#include <span>
#include <vector>

#include "core/border_order.h"
#include "core/conv_engine.h"
#include "formats/paragraph_in_conversion.h"
#include "formats/paragraph_out_conversion.h"

namespace nuvel {
namespace {

bool IsHebrewLetter(uint8_t b) { return b >= 0xE0 && b <= 0xFA; }
// Vowel points and accents, which stand inside a word.
bool IsPoint(uint8_t b) { return b >= 0xC0 && b <= 0xD2; }
bool IsFinalLetter(uint8_t b) { return b == 0xEA || b == 0xED || b == 0xEF || b == 0xF3 || b == 0xF5; }
bool IsOwnPointedLetter(uint8_t b) { return b >= 0x81 && b <= 0x9B; }

// Calls `line` with each line of a CR LF (or LF) text, without its end, and
// `end` with the end that followed it (empty after the last line).
template <class Line>
void EachLine(std::string_view text, Line line) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos) {
      line(text.substr(start), std::string_view());
      return;
    }
    const std::size_t end = lf > start && text[lf - 1] == '\r' ? lf - 1 : lf;
    line(text.substr(start, end - start), text.substr(end, lf + 1 - end));
    start = lf + 1;
  }
}

std::span<const uint8_t> Bytes(std::string_view s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

}  // namespace

bool EbookTextIsLogical(std::string_view text) {
  const std::span<const uint8_t> bytes = Bytes(text);
  std::size_t atEnds = 0, atStarts = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (IsOwnPointedLetter(bytes[i])) return false;
    if (!IsHebrewLetter(bytes[i])) {
      ++i;
      continue;
    }
    // A word: Hebrew letters with their points; its first and last letter.
    const uint8_t first = bytes[i];
    uint8_t last = first;
    std::size_t letters = 0;
    for (; i < bytes.size() && (IsHebrewLetter(bytes[i]) || IsPoint(bytes[i])); ++i) {
      if (IsHebrewLetter(bytes[i])) {
        last = bytes[i];
        ++letters;
      }
    }
    if (letters < 2) continue;
    if (IsFinalLetter(last)) ++atEnds;
    if (IsFinalLetter(first)) ++atStarts;
  }
  return atStarts <= atEnds;
}

std::string EbookTextToStorage(std::string_view text, bool englishDocument) {
  TParagraphInConversion conversion(kConvCp1255, englishDocument);
  std::string out;
  out.reserve(text.size());
  std::vector<uint8_t> para;
  EachLine(text, [&](std::string_view line, std::string_view end) {
    if (!line.empty()) {
      if (conversion.Converts()) {
        conversion.Convert(Bytes(line), para);
      } else {
        para.assign(line.begin(), line.end());
        LogicalToStorage(englishDocument, para);
      }
      out.append(para.begin(), para.end());
    }
    out.append(end);
  });
  return out;
}

std::string EbookTextToLogical(std::string_view text, bool englishDocument) {
  const TParagraphOutConversion conversion(kConvCp1255);
  std::string out;
  out.reserve(text.size());
  std::vector<uint8_t> turned;
  std::vector<uint8_t> converted;
  EachLine(text, [&](std::string_view line, std::string_view end) {
    turned.assign(line.begin(), line.end());
    StorageToLogical(englishDocument, turned);
    if (conversion.Converts() && !turned.empty()) {
      conversion.Convert(turned, converted);
      out.append(converted.begin(), converted.end());
    } else {
      out.append(turned.begin(), turned.end());
    }
    out.append(end);
  });
  return out;
}

}  // namespace nuvel
