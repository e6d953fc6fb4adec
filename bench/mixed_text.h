#pragma once
// The text the storage and memory benchmarks work on: paragraphs of 0 to 90
// bytes of English words and Hebrew words (now and then a letter with a
// vowel point), separated by CR LF, the same for every run.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace nuvel::bench {

// `paragraphs` paragraphs with CR LF between them (none after the last);
// with `starts`, where each paragraph begins.
inline std::string MakeMixedText(uint32_t paragraphs, std::vector<uint32_t>* starts = nullptr) {
  static const char* const kEnglish[] = {"the", "editor", "keeps", "every", "paragraph", "of", "text",
                                         "in", "one", "node", "and", "wraps", "lines", "at", "eighty",
                                         "columns,", "quickly.", "bilingual", "Hebrew-English", "word"};
  std::mt19937 rng(2026);
  std::string text;
  text.reserve(size_t{paragraphs} * 52);
  for (uint32_t p = 0; p < paragraphs; ++p) {
    if (starts != nullptr) starts->push_back(static_cast<uint32_t>(text.size()));
    const uint32_t target = rng() % 91;
    const size_t begin = text.size();
    while (text.size() - begin < target) {
      if (text.size() > begin) text += ' ';
      if (rng() % 2) {
        text += kEnglish[rng() % 20];
      } else {
        // A Hebrew word of letters, now and then with a vowel point.
        const uint32_t n = 2 + rng() % 6;
        for (uint32_t i = 0; i < n; ++i) {
          text += static_cast<char>(0xE0 + rng() % 27);
          if (rng() % 6 == 0) text += static_cast<char>(0xC0 + rng() % 9);
        }
      }
    }
    if (p + 1 < paragraphs) text += "\r\n";
  }
  return text;
}

}  // namespace nuvel::bench
