// The dictionaries the build makes from Debian's word lists: every word the
// builder kept is found, and random strings that are not words are not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "tests/support/temp_program_folder.h"
#include "tools/spell_alphabet.h"
#include "tools/spell_dic.h"
#include "tools/spell_dictionary_check.h"
#include "tools/spell_hebrew_dictionary.h"
#include "tools/spell_word_sources.h"

namespace nuvel {
namespace {

// English: every form of hunspell-en-us with its affixes expanded.
TEST(BuiltDictionaries, EnglishHoldsEveryExpandedFormAndNoRandomNonWord) {
  const test::TempProgramFolder scratch;
  const std::string forms = scratch.Folder() + "en_US.forms";
  ASSERT_EQ(std::system(("unmunch /usr/share/hunspell/en_US.dic /usr/share/hunspell/en_US.aff > '" + forms +
                         "' 2>/dev/null")
                            .c_str()),
            0);
  const std::vector<std::string> words = ParseEnglishWordList(test::ReadWholeFile(forms));
  ASSERT_GT(words.size(), 150000u);
  const SpellAlphabet alphabet = BuildEnglishAlphabet();
  const TSpDic dic(std::string(NUVEL_PROGRAM_DIR) + "/NUVHSPE.DIC", alphabet);
  ASSERT_TRUE(dic.IsOpen()) << dic.FailureText();
  EXPECT_EQ(dic.Damage(), "");
  const std::unordered_set<std::string> kept(words.begin(), words.end());
  EXPECT_EQ(dic.WordCount(), kept.size());
  for (const std::string& w : words) ASSERT_TRUE(dic.LookUp(w)) << w;
  for (const char* inflected : {"received", "believes", "walking", "dog's", "unhappiness"}) {
    EXPECT_TRUE(dic.LookUp(inflected)) << inflected;
  }

  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> letter(1, alphabet.n);
  std::uniform_int_distribution<int> length(1, 12);
  int checked = 0;
  while (checked < 10000) {
    std::string w;
    for (int i = length(rng); i > 0; --i) w += static_cast<char>(alphabet.chars[letter(rng)]);
    if (kept.count(w)) continue;
    ++checked;
    ASSERT_FALSE(dic.LookUp(w)) << w;
  }
}

// Hebrew: every word of hunspell-he in the class of its flags, and no
// random string of letters.
TEST(BuiltDictionaries, HebrewHoldsEveryWordInItsClass) {
  const std::vector<THunspellEntry> entries =
      ParseHunspellHebrewEntries(test::ReadWholeFile("/usr/share/hunspell/he_IL.dic"));
  ASSERT_GT(entries.size(), 400000u);
  const SpellAlphabet alphabet = BuildHebrewAlphabet();
  const THebrewDictionary dic(std::string(NUVEL_PROGRAM_DIR) + "/NUVHSPH.DIC", alphabet);
  ASSERT_TRUE(dic.IsOpen()) << dic.FailureText();
  const auto& classes = dic.Rules().Classes();
  ASSERT_EQ(classes.size(), dic.Classes().size());
  for (const auto& c : dic.Classes()) EXPECT_EQ(c->Damage(), "") << c->FileName();
  // The start-up check finds nothing in what the build made.
  TSpellFiles files;
  files.EnglishDic = std::string(NUVEL_PROGRAM_DIR) + "/NUVHSPE.DIC";
  files.HebrewDic = std::string(NUVEL_PROGRAM_DIR) + "/NUVHSPH.DIC";
  EXPECT_TRUE(SpellDictionaryProblems(files).empty());
  std::map<std::string, std::size_t> classOf;
  for (std::size_t i = 0; i < classes.size(); ++i) classOf[classes[i].flags] = i;
  std::set<std::pair<std::string, std::string>> kept;
  std::unordered_set<std::string> roots;
  for (const THunspellEntry& e : entries) {
    ASSERT_TRUE(classOf.count(e.flags)) << e.flags;
    ASSERT_TRUE(dic.Classes()[classOf[e.flags]]->LookUp(e.word)) << e.word;
    kept.insert({e.word, e.flags});
    roots.insert(e.word);
  }
  EXPECT_EQ(dic.WordCount(), kept.size());

  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> letter(1, alphabet.n);
  std::uniform_int_distribution<int> length(1, 12);
  for (int checked = 0; checked < 10000;) {
    std::string w;
    for (int i = length(rng); i > 0; --i) w += static_cast<char>(alphabet.chars[letter(rng)]);
    if (roots.count(w)) continue;
    ++checked;
    ASSERT_FALSE(dic.HasRoot(w)) << w;
  }
}

TEST(BuiltEnglishDictionary, SuggestionsForTeh) {
  const TSpDic dic(std::string(NUVEL_PROGRAM_DIR) + "/NUVHSPE.DIC", BuildEnglishAlphabet());
  ASSERT_TRUE(dic.IsOpen());
  SpellSuggestionList list;
  ASSERT_TRUE(dic.Suggest("teh", 2, false, 4, list));
  const auto& items = list.Items();
  auto has = [&](const std::string& s) { return std::find(items.begin(), items.end(), s) != items.end(); };
  EXPECT_TRUE(has("atea"));
  EXPECT_TRUE(has("aten"));
  for (const std::string& s : items) {
    EXPECT_EQ(s.substr(1, 2), "te") << s;  // only the group 'te'
    EXPECT_LE(s[0], 'c');
  }
  EXPECT_FALSE(has("bthe"));
}

TEST(HebrewWordSource, Utf8LettersBecomeTheDosCode) {
  struct Case { std::string utf8, code; };
  const std::vector<Case> cases = {
      {"\xD7\x90", "\x80"},                        // alef
      {"\xD7\xAA", "\x9A"},                        // tav
      {"\xD7\x9A\xD7\x9B", "\x8A\x8B"},            // final kaf, kaf
      {"\xD7\x90\"\xD7\x99", "\x80\"\x89"},       // ASCII double quote stays
      {"\xD7\xA6\xD7\xB3", "\x96'"},              // geresh becomes the apostrophe
      {"\xD7\x93\xD7\xB4\xD7\xA8", "\x83\"\x98"},  // gershayim becomes the double quote
      {"\xD7\x91\xD6\xBC", ""},                    // a point has no place
      {"abc", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(HebrewUtf8ToDicCode(c.utf8), c.code) << c.utf8;

  const std::vector<std::string> words =
      ParseHunspellHebrewWordList("3\n\xD7\x90\xD7\x91/ab\n\xD7\x92 po:noun\r\nlatin\n\xD7\x93\n");
  EXPECT_EQ(words, (std::vector<std::string>{"\x80\x81", "\x82", "\x83"}));
  EXPECT_EQ(ParseEnglishWordList("cat\r\ncaf\xC3\xA9\nI'm\nx-ray\n  dog  \n"),
            (std::vector<std::string>{"cat", "I'm", "dog"}));
}

}  // namespace
}  // namespace nuvel
