#pragma once
// Small spell dictionaries for the engine's tests: English and Hebrew words
// written with the dictionary writer into a temporary program folder, and
// user lists in its configuration folder.
#include <string>
#include <vector>

#include "tests/support/temp_program_folder.h"
#include "tools/spell_alphabet.h"
#include "tools/spell_dic_writer.h"
#include "tools/spell_engine.h"

namespace nuvel::test {

// Hebrew words of the fixture, in the Windows code.
inline const std::string kShalom = "\xF9\xEC\xE5\xED";        // שלום
inline const std::string kSefer = "\xF1\xF4\xF8";             // ספר
inline const std::string kTsahal = "\xF6\xE4\"\xEC";          // צה"ל
inline const std::string kMore = "\xF2\xE5\xE3";              // עוד

struct TSpellFixture {
  TSpellFixture() {
    const std::vector<std::string> english{"the", "cat", "word", "tea", "ten", "table", "tables", "dog", "tell"};
    std::vector<std::string> hebrew;
    for (const std::string& w : {kShalom, kSefer, kTsahal, kMore}) hebrew.push_back(WinToDic(w));
    folder.WriteFile("NUVHSPE.DIC", EncodeSpellDictionary(english, BuildEnglishAlphabet()));
    folder.WriteFile("NUVHSPH.DIC", EncodeSpellDictionary(hebrew, BuildHebrewAlphabet()));
    files.EnglishDic = folder.Folder() + "NUVHSPE.DIC";
    files.HebrewDic = folder.Folder() + "NUVHSPH.DIC";
    files.EnglishUser = folder.DataHome() + "nuvel/NuvSpelE.tmp";
    files.HebrewUser = folder.DataHome() + "nuvel/NuvSpelH.tmp";
  }
  TempProgramFolder folder;
  TSpellFiles files;
};

}  // namespace nuvel::test
