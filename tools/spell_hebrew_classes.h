#pragma once
// Makes the files of the Hebrew main dictionary from a Hunspell Hebrew
// dictionary: one .DIC per class of words (the set of prefix flags the
// words take, as the .dic gives them) and the rule file that names the
// classes and holds the .aff's prefix rules (spell_prefix_rules.h).
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

struct TSpellDataFile {
  std::string name;
  std::string bytes;
};

// The files for a main dictionary called `mainName` (e.g. "NUVHSPH.DIC"):
// the largest class goes into `mainName`, the others into the same name
// with a number (NUVHSPH1.DIC, ...), and the rule file last.
std::vector<TSpellDataFile> BuildHebrewDictionaryFiles(std::string_view dicText, std::string_view affText,
                                                       const std::string& mainName);

}  // namespace nuvel
