#include "tools/spell_word_sources.h"

#include <algorithm>
#include <cstdint>

#include "tools/spell_alphabet.h"
#include "tools/spell_dic_writer.h"

namespace nuvel {

namespace {

// Calls `f` for every line, without its CR LF or LF.
template <typename F>
void ForEachLine(std::string_view text, F&& f) {
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    f(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && static_cast<std::uint8_t>(s.back()) <= ' ') s.remove_suffix(1);
  while (!s.empty() && static_cast<std::uint8_t>(s.front()) <= ' ') s.remove_prefix(1);
  return s;
}

}  // namespace

std::string HebrewUtf8ToDicCode(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b0 = static_cast<std::uint8_t>(utf8[i]);
    if (b0 == '"' || b0 == '\'') {
      out.push_back(static_cast<char>(b0));
      ++i;
      continue;
    }
    // Hebrew sits in U+0590..U+05FF: two-byte sequences D6 xx and D7 xx.
    if ((b0 == 0xD6 || b0 == 0xD7) && i + 1 < utf8.size()) {
      const auto b1 = static_cast<std::uint8_t>(utf8[i + 1]);
      if ((b1 & 0xC0) != 0x80) return {};
      const unsigned cp = ((b0 & 0x1Fu) << 6) | (b1 & 0x3Fu);
      if (cp >= 0x5D0 && cp <= 0x5EA) {
        out.push_back(static_cast<char>(0x80 + (cp - 0x5D0)));
      } else if (cp == 0x5F3) {
        out.push_back('\'');
      } else if (cp == 0x5F4) {
        out.push_back('"');
      } else {
        return {};
      }
      i += 2;
      continue;
    }
    return {};
  }
  return out;
}

std::vector<std::string> ParseEnglishWordList(std::string_view text) {
  const SpellAlphabet alphabet = BuildEnglishAlphabet();
  std::vector<std::string> words;
  ForEachLine(text, [&](std::string_view line) {
    line = TrimBlanks(line);
    if (SpellWordFits(line, alphabet)) words.emplace_back(line);
  });
  return words;
}

std::vector<THunspellEntry> ParseHunspellHebrewEntries(std::string_view text) {
  const SpellAlphabet alphabet = BuildHebrewAlphabet();
  std::vector<THunspellEntry> entries;
  bool first = true;
  ForEachLine(text, [&](std::string_view line) {
    line = TrimBlanks(line);
    if (first) {
      first = false;
      if (line.size() >= 3 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
      if (!line.empty() && line.find_first_not_of("0123456789") == std::string_view::npos) return;
    }
    // A slash ends the word unless escaped; Hebrew words never hold one.
    // Morphological fields after a blank or a tab are not used.
    line = line.substr(0, line.find_first_of("\t "));
    const std::size_t slash = line.find('/');
    std::string word = HebrewUtf8ToDicCode(line.substr(0, slash));
    if (!SpellWordFits(word, alphabet)) return;
    std::string flags = slash == std::string_view::npos ? std::string() : std::string(line.substr(slash + 1));
    std::sort(flags.begin(), flags.end());
    flags.erase(std::unique(flags.begin(), flags.end()), flags.end());
    entries.push_back({std::move(word), std::move(flags)});
  });
  return entries;
}

std::vector<std::string> ParseHunspellHebrewWordList(std::string_view text) {
  std::vector<std::string> words;
  for (THunspellEntry& e : ParseHunspellHebrewEntries(text)) words.push_back(std::move(e.word));
  return words;
}

}  // namespace nuvel
