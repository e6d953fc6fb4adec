#pragma once
// A Windows-1255 text file as other programs write it, for the benchmarks
// that open, edit and save one: Hebrew words, English words and digits,
// CR LF line ends (the last line's too), lines of 40 to 120 bytes, with or without points. The
// points of a letter stand in Unicode's canonical order, as saving writes
// them, so the file comes back byte for byte when saved unchanged.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace nuvel::bench {

inline std::string MakeWindows1255Text(std::size_t bytes, bool points) {
  std::mt19937 random(5786);
  const char* english[] = {"the", "editor", "opens", "text", "files", "of", "Hebrew", "and", "English"};
  struct Letter {
    uint8_t letter;
    std::vector<uint8_t> points;
  };
  const std::vector<std::vector<Letter>> hebrew = {
      {{0xF9, {0xC8, 0xD1}}, {0xEC, {}}, {0xE5, {0xC9}}, {0xED, {}}},
      {{0xE1, {0xC0, 0xCC}}, {0xF8, {0xC5}}, {0xE0, {}}, {0xF9, {0xC4, 0xD1}}, {0xE9, {}}, {0xFA, {}}},
      {{0xF1, {0xC5}}, {0xF4, {0xC6}}, {0xF8, {}}},
      {{0xF9, {0xC8, 0xCC, 0xD1}}, {0xEE, {0xC7}}, {0xE9, {}}, {0xED, {}}},
      {{0xE3, {0xC8}}, {0xE1, {0xC8}}, {0xF8, {}}},
      {{0xF9, {0xC8, 0xD2}}, {0xF0, {0xC8}}, {0xE4, {}}},
      {{0xEB, {0xC0, 0xCC}}, {0xFA, {0xC8}}, {0xE1, {0xC4, 0xCC}}, {0xE9, {}}, {0xED, {}}},
      {{0xEC, {0xC9}}, {0xE0, {}}},
  };
  std::string text;
  text.reserve(bytes + 256);
  std::size_t lineStart = 0;
  std::size_t lineLength = 40 + random() % 81;
  while (text.size() < bytes) {
    if (random() % 3 == 0) {
      text += english[random() % std::size(english)];
    } else {
      for (const Letter& l : hebrew[random() % hebrew.size()]) {
        text += static_cast<char>(l.letter);
        if (points) {
          for (uint8_t p : l.points) text += static_cast<char>(p);
        }
      }
    }
    if (text.size() - lineStart >= lineLength) {
      text += "\r\n";
      lineStart = text.size();
      lineLength = 40 + random() % 81;
    } else {
      text += ' ';
    }
  }
  // The last line ends as the others do.
  if (text.back() == ' ') text.replace(text.size() - 1, 1, "\r\n");
  return text;
}

}  // namespace nuvel::bench
