#pragma once
// Reading the outside word lists the main dictionaries are made from.
//   English: a plain list, one word a line (as unmunch prints a Hunspell
//            dictionary with its affixes expanded).
//   Hebrew:  a Hunspell .dic file in UTF-8: an optional first line with the
//            count, then "word" or "word/flags" a line. Words are turned into
//            the dictionary code: the letters alef..tav (U+05D0..U+05EA) into
//            code page 862 (0x80..0x9A), geresh and gershayim into the
//            apostrophe and the double quote.
// A word with any character outside the dictionary's alphabet, or longer than
// the format holds, is left out.
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

std::vector<std::string> ParseEnglishWordList(std::string_view text);
std::vector<std::string> ParseHunspellHebrewWordList(std::string_view text);

// The words of a Hunspell Hebrew .dic with their flags (the letters after
// "/", sorted; empty for a word without flags).
struct THunspellEntry {
  std::string word;
  std::string flags;
};
std::vector<THunspellEntry> ParseHunspellHebrewEntries(std::string_view text);

// The dictionary-code form of one UTF-8 Hebrew word; empty when a character
// has no place in the Hebrew alphabet.
std::string HebrewUtf8ToDicCode(std::string_view utf8);

}  // namespace nuvel
