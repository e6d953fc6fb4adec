// Fuzzes the .DIC reader: raw files, and arbitrary word data behind an index
// that spreads every group over it, so the word decoder sees any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/spell_alphabet.h"
#include "tools/spell_dic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static const nuvel::SpellAlphabet hebrew = nuvel::BuildHebrewAlphabet();
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string file;
  if (data[0] & 1) {
    file.assign(input);
  } else {
    const std::size_t groups = static_cast<std::size_t>(hebrew.n) * hebrew.n;
    const std::size_t indexSize = groups * 4;
    for (std::size_t g = 0; g < groups; ++g) {
      const std::uint32_t offset = static_cast<std::uint32_t>(indexSize + g * input.size() / groups);
      for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>((offset >> (8 * i)) & 0xFF));
    }
    file += input;
  }
  const nuvel::TSpDic dic = nuvel::TSpDic::FromBytes(file, hebrew);
  nuvel::SpellSuggestionList list;
  for (std::size_t i = 0; i + 4 <= input.size() && i < 64; i += 4) {
    const std::string_view word = input.substr(i, 4);
    dic.LookUp(word);
    dic.Suggest(word, 2, (i & 4) != 0, 6, list);
  }
  dic.LookUp("\x80\x81\x82");
  dic.Suggest("\x80\x81", 1, true, 63, list);
  return 0;
}
