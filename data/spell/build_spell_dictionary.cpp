// Makes the main spell dictionaries (.DIC) from Debian's Hunspell data.
//   build_spell_dictionary english <word list> <output.DIC>
//       the word list one word a line (Hunspell's forms with the affixes
//       expanded, as unmunch prints them)
//   build_spell_dictionary hebrew <he_IL.dic> <he_IL.aff> <output.DIC>
//       one .DIC per class of words beside <output.DIC> and the rule file
//       (<output>.AFF) that names them, written last
// Words with characters outside the dictionary's alphabet are left out; each
// file is written through a temporary file so a failed run leaves no half
// dictionary behind.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/spell_alphabet.h"
#include "tools/spell_dic_writer.h"
#include "tools/spell_hebrew_classes.h"
#include "tools/spell_word_sources.h"

namespace {

bool ReadFile(const char* name, std::string& text) {
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << name << "\n";
    return false;
  }
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFile(const std::string& name, const std::string& bytes) {
  const std::string temp = name + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::cerr << "cannot write " << temp << "\n";
      std::remove(temp.c_str());
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, name, ec);
  if (ec) {
    std::cerr << "cannot write " << name << ": " << ec.message() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string language = argc > 1 ? argv[1] : "";
  if (language == "english" && argc == 4) {
    std::string text;
    if (!ReadFile(argv[2], text)) return 1;
    return WriteFile(argv[3], nuvel::EncodeSpellDictionary(nuvel::ParseEnglishWordList(text),
                                                           nuvel::BuildEnglishAlphabet()))
               ? 0
               : 1;
  }
  if (language == "hebrew" && argc == 5) {
    std::string dic, aff;
    if (!ReadFile(argv[2], dic) || !ReadFile(argv[3], aff)) return 1;
    const std::string out = argv[4];
    const std::string folder = out.substr(0, out.rfind('/') + 1);
    for (const nuvel::TSpellDataFile& f :
         nuvel::BuildHebrewDictionaryFiles(dic, aff, out.substr(folder.size()))) {
      if (!WriteFile(folder + f.name, f.bytes)) return 1;
    }
    return 0;
  }
  std::cerr << "usage: build_spell_dictionary english <word list> <output.DIC>\n"
               "       build_spell_dictionary hebrew <hunspell .dic> <hunspell .aff> <output.DIC>\n";
  return 2;
}
