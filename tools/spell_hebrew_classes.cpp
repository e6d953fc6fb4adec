#include "tools/spell_hebrew_classes.h"

#include <algorithm>
#include <map>

#include "tools/spell_alphabet.h"
#include "tools/spell_dic_writer.h"
#include "tools/spell_hebrew_dictionary.h"
#include "tools/spell_word_sources.h"

namespace nuvel {

std::vector<TSpellDataFile> BuildHebrewDictionaryFiles(std::string_view dicText, std::string_view affText,
                                                       const std::string& mainName) {
  std::map<std::string, std::vector<std::string>> byFlags;
  for (THunspellEntry& e : ParseHunspellHebrewEntries(dicText)) byFlags[e.flags].push_back(std::move(e.word));
  std::vector<std::pair<std::string, std::vector<std::string>>> classes(byFlags.begin(), byFlags.end());
  std::stable_sort(classes.begin(), classes.end(),
                   [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });

  const std::string ruleName = SpellRuleFileName(mainName);
  const std::string stem = ruleName.substr(0, ruleName.size() - 4);
  const std::string extension = mainName.substr(stem.size());
  std::vector<TSpellDataFile> files;
  std::string rules =
      "# Prefix rules of the Hebrew spell dictionary: its classes of words (one\n"
      "# dictionary file each, with the prefix flags its words take) and the\n"
      "# prefix chains of each flag, from a Hunspell affix file.\n";
  const SpellAlphabet alphabet = BuildHebrewAlphabet();
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const std::string name = i == 0 ? mainName : stem + std::to_string(i) + extension;
    files.push_back({name, EncodeSpellDictionary(std::move(classes[i].second), alphabet)});
    rules += "CLASS " + name + " " + (classes[i].first.empty() ? "-" : classes[i].first) + "\n";
  }
  // The .aff's prefix statements as they stand.
  while (!affText.empty()) {
    const std::size_t end = affText.find('\n');
    std::string_view line = affText.substr(0, end);
    affText.remove_prefix(end == std::string_view::npos ? affText.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with("PFX ") || line.starts_with("PFX\t") || line.starts_with("NEEDAFFIX")) {
      rules.append(line);
      rules += '\n';
    }
  }
  files.push_back({ruleName, std::move(rules)});
  return files;
}

}  // namespace nuvel
