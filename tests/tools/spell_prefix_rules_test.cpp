// The Hebrew dictionary's classes and prefix rules: the files made from a
// small Hunspell dictionary, and which prefixed words they accept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_program_folder.h"
#include "tools/spell_alphabet.h"
#include "tools/spell_dic_writer.h"
#include "tools/spell_hebrew_classes.h"
#include "tools/spell_hebrew_dictionary.h"
#include "tools/spell_prefix_rules.h"
#include "tools/spell_word_sources.h"

namespace nuvel {
namespace {

std::string Dic(const std::string& utf8) { return HebrewUtf8ToDicCode(utf8); }

// The dictionary made from tiny_he.dic and tiny_he.aff in a program folder.
struct TinyDictionary {
  TinyDictionary() {
    const std::string dic = test::ReadWholeFile(test::FixturePath("spell/tiny_he.dic"));
    const std::string aff = test::ReadWholeFile(test::FixturePath("spell/tiny_he.aff"));
    files = BuildHebrewDictionaryFiles(dic, aff, "NUVHSPH.DIC");
    for (const TSpellDataFile& f : files) folder.WriteFile(f.name, f.bytes);
  }
  test::TempProgramFolder folder;
  std::vector<TSpellDataFile> files;
};

TEST(SpellPrefixRules, ClassFilesAndTheRuleFile) {
  TinyDictionary t;
  std::vector<std::string> names;
  for (const TSpellDataFile& f : t.files) names.push_back(f.name);
  // The largest class (flag a) is the main file; the rule file comes last.
  EXPECT_EQ(names, (std::vector<std::string>{"NUVHSPH.DIC", "NUVHSPH1.DIC", "NUVHSPH2.DIC", "NUVHSPH3.DIC",
                                             "NUVHSPH.AFF"}));
  const std::string& rules = t.files.back().bytes;
  EXPECT_NE(rules.find("CLASS NUVHSPH.DIC a\n"), std::string::npos);
  EXPECT_NE(rules.find("CLASS NUVHSPH3.DIC hj\n"), std::string::npos);
  EXPECT_NE(rules.find("CLASS NUVHSPH1.DIC -\n"), std::string::npos);
  EXPECT_NE(rules.find("NEEDAFFIX j\n"), std::string::npos);
  EXPECT_NE(rules.find("PFX a 0 \xD7\x91\xD7\x95 \xD7\x95[^\xD7\x95]\n"), std::string::npos);  // PFX a 0 בו ו[^ו]
  EXPECT_EQ(rules.find("SET"), std::string::npos);
}

TEST(SpellPrefixRules, PrefixChainsFollowTheWordsClass) {
  TinyDictionary t;
  const THebrewDictionary d(t.folder.Folder() + "NUVHSPH.DIC", BuildHebrewAlphabet());
  ASSERT_TRUE(d.IsOpen()) << d.FailureText();
  EXPECT_EQ(d.RuleFile(), t.folder.Folder() + "NUVHSPH.AFF");
  EXPECT_EQ(d.WordCount(), 5u);
  struct Case {
    const char* word;
    bool correct;
  };
  const Case cases[] = {
      {"בית", true},      {"בבית", true},   {"ובית", true},   {"והבית", true},   {"שהבית", true},
      {"ב\"בית", true},   {"ההבית", false}, {"וובית", false}, {"בובית", false},  {"ובבית", false},
      // A word that starts with one vav doubles it after a prefix letter.
      {"ורד", true},      {"בוורד", true},  {"בורד", false},  {"וורד", true},    {"והורד", false},
      // Class b takes only vav.
      {"הלכנו", true},    {"והלכנו", true}, {"שהלכנו", false}, {"ההלכנו", false},
      // Class hj needs a prefix, and takes only bet.
      {"ילד", false},     {"בילד", true},   {"וילד", false},
      // No flags: no prefix.
      {"שלום", true},     {"ושלום", false}, {"ב", false},     {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(d.LookUp(Dic(c.word)), c.correct) << c.word;
  EXPECT_TRUE(d.HasRoot(Dic("ילד")));
}

TEST(SpellPrefixRules, AMainDictionaryWithoutRulesTakesOnePrefixLetter) {
  test::TempProgramFolder folder;
  folder.WriteFile("HEB.DIC", EncodeSpellDictionary({Dic("שלום"), Dic("ורד")}, BuildHebrewAlphabet()));
  const THebrewDictionary d(folder.Folder() + "HEB.DIC", BuildHebrewAlphabet());
  ASSERT_TRUE(d.IsOpen());
  EXPECT_TRUE(d.RuleFile().empty());
  for (const char* w : {"שלום", "ושלום", "בשלום", "מורד", "וורד"}) EXPECT_TRUE(d.LookUp(Dic(w))) << w;
  for (const char* w : {"ושלומ", "והשלום", "אשלום"}) EXPECT_FALSE(d.LookUp(Dic(w))) << w;
}

TEST(SpellPrefixRules, BrokenRuleFilesAndMissingClasses) {
  // Lines that do not parse are skipped; a class name with a folder is not
  // taken; a missing class file fails the dictionary by its name.
  const TSpPrefixRules r = TSpPrefixRules::Parse(
      "CLASS ../x.DIC a\nCLASS A.DIC a\nPFX a 0 \xD7\x91 [\xD7\x95\nPFX a 0 x .\nPFX a 0\nPFX a Y 3\n"
      "PFX a 0 \xD7\x95 .\r\n");
  ASSERT_EQ(r.Classes().size(), 1u);
  EXPECT_EQ(r.Classes()[0].fileName, "A.DIC");
  std::vector<std::string> roots;
  r.ForEachSplit(Dic("ובית"), [&](std::string_view root, SpellClassMask mask) {
    roots.emplace_back(root);
    EXPECT_EQ(mask, 1u);
    return false;
  });
  EXPECT_EQ(roots, (std::vector<std::string>{Dic("בית")}));
  EXPECT_FALSE(r.ForEachSplit(Dic("בבית"), [](std::string_view, SpellClassMask) { return true; }));

  TinyDictionary t;
  std::filesystem::remove(t.folder.Path("NUVHSPH2.DIC"));
  const THebrewDictionary d(t.folder.Folder() + "NUVHSPH.DIC", BuildHebrewAlphabet());
  EXPECT_FALSE(d.IsOpen());
  EXPECT_EQ(d.FailureText(), "Cannot Find " + t.folder.Folder() + "NUVHSPH2.DIC");
  EXPECT_FALSE(d.LookUp(Dic("בית")));

  t.folder.WriteFile("NUVHSPH.AFF", "# no classes\n");
  const THebrewDictionary empty(t.folder.Folder() + "NUVHSPH.DIC", BuildHebrewAlphabet());
  EXPECT_FALSE(empty.IsOpen());
  EXPECT_EQ(empty.FailureText(), "Read Problem in " + t.folder.Folder() + "NUVHSPH.AFF");
}

}  // namespace
}  // namespace nuvel
