// Makes a main spell dictionary (.DIC) from a Debian word list.
//   build_spell_dictionary english <word list> <output.DIC>
//   build_spell_dictionary hebrew  <hunspell .dic> <output.DIC>
// Words with characters outside the dictionary's alphabet are left out; the
// output is written through a temporary file so a failed run leaves no half
// dictionary behind.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/spell_alphabet.h"
#include "tools/spell_dic_writer.h"
#include "tools/spell_word_sources.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: build_spell_dictionary english|hebrew <source> <output>\n";
    return 2;
  }
  const std::string language = argv[1];
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << argv[2] << "\n";
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string dic;
  if (language == "english") {
    dic = nuvel::EncodeSpellDictionary(nuvel::ParseEnglishWordList(text), nuvel::BuildEnglishAlphabet());
  } else if (language == "hebrew") {
    dic = nuvel::EncodeSpellDictionary(nuvel::ParseHunspellHebrewWordList(text), nuvel::BuildHebrewAlphabet());
  } else {
    std::cerr << "unknown language " << language << "\n";
    return 2;
  }
  const std::string temp = std::string(argv[3]) + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(dic.data(), static_cast<std::streamsize>(dic.size()));
    out.close();
    if (!out) {
      std::cerr << "cannot write " << temp << "\n";
      std::remove(temp.c_str());
      return 1;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, argv[3], ec);
  if (ec) {
    std::cerr << "cannot write " << argv[3] << ": " << ec.message() << "\n";
    return 1;
  }
  return 0;
}
