#pragma once
// Produces a main spell dictionary (.DIC) from a word list, in the format
// TSpDic reads: words in the dictionary's code, sorted by their bytes, each
// group behind the index of N x N offsets, each word in its shortest mode.
#include <string>
#include <string_view>
#include <vector>

#include "tools/spell_alphabet.h"

namespace nuvel {

// The longest word the format can hold (V has 6 bits).
inline constexpr std::size_t kSpellMaxWordLength = 63;

// Whether `word` can go into a dictionary of `alphabet`.
bool SpellWordFits(std::string_view word, const SpellAlphabet& alphabet);

// The bytes of a dictionary holding every word of `words` that fits; the
// words need not be sorted or unique.
std::string EncodeSpellDictionary(std::vector<std::string> words, const SpellAlphabet& alphabet);

}  // namespace nuvel
