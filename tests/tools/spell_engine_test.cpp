#include "tools/spell_engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/ini_location.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/program_path.h"
#include "tests/support/recording_message_sink.h"
#include "tests/tools/spell_test_support.h"

namespace nuvel {
namespace {

using test::kMore;
using test::kSefer;
using test::kShalom;
using test::kTsahal;

std::string R(std::string s) { return std::string(s.rbegin(), s.rend()); }

TEST(SpellWords, LanguageAndCodes) {
  struct Case {
    std::string word;
    bool english;
  };
  const Case cases[] = {{"word", true}, {"don't", true}, {"3.5", true}, {"A.B.", true},
                        {kShalom, false}, {kTsahal, false}, {"ab" + kShalom, false}, {"x-y", false}};
  for (const Case& c : cases) EXPECT_EQ(IsEnglishWord(c.word), c.english) << c.word;
  // Only the letters move; geresh and gershayim stay.
  EXPECT_EQ(WinToDic(kTsahal), "\x96\x84\"\x8C");
  EXPECT_EQ(DicToWin(WinToDic(kTsahal)), kTsahal);
  EXPECT_EQ(WinToDicReversed("\xE0\xE1"), "\x81\x80");
  EXPECT_EQ(DicToWinReversed("\x81\x80"), "\xE0\xE1");
  EXPECT_EQ(WinToDic("\x99'"), "\x99'");  // a pointed form is not a letter of the code
  // Points go; a precomposed pointed letter becomes its letter.
  EXPECT_EQ(WithoutPoints("\x99\xC9\xEC\xE5\xC9\xED"), kShalom);
}

TEST(SpellEngine, CheckWord) {
  test::TSpellFixture fx;
  test::RecordingMessageSink sink;
  TSpellEngine engine;
  ASSERT_TRUE(engine.OpenDictionaries(fx.files));
  engine.UserList(true).Add("Nuvel", {"", kUserWordAdded});
  engine.UserList(true).Add("teh", {"the", kUserWordReplaced});
  engine.UserList(false).Add(kMore + "\xE9", {"", kUserWordAdded});
  struct Case {
    const char* name;
    std::string word;
    bool docEnglish;
    bool found;
    bool checked;
    bool replaced = false;
    std::string replacement = {};
  };
  const Case cases[] = {
      {"in the dictionary", "the", true, true, true},
      {"capitalised", "The", true, true, true},
      {"all capitals", "THE", true, true, true},
      {"capital inside", "tHe", true, true, true},
      {"possessive", "Word's", true, true, true},
      {"misspelled", "tabel", true, false, true},
      {"user word", "Nuvel", true, true, true},
      {"user word in lower case", "nuvel", true, true, true},
      {"near a user word", "nuvels", true, false, true},
      {"automatic replacement", "teh", true, false, true, true, "the"},
      {"one character", "x", true, false, false},
      {"a number", "2nd", true, false, false},
      {"a dot second", "a.b", true, false, false},
      {"paragraph mark dropped", "cat\x14", true, true, true},
      {"apostrophe after a plural", "tables'", true, true, true},
      {"apostrophe after a misspelling", "tabels'", true, false, true},
      {"Hebrew", kShalom, false, true, true},
      {"Hebrew with a prefix letter", "\xE5" + kShalom, false, true, true},
      {"two prefix letters", "\xE5\xE4" + kShalom, false, false, true},
      {"not a prefix letter", "\xE0" + kShalom, false, false, true},
      {"gershayim", kTsahal, false, true, true},
      {"Hebrew in quotes", "\"" + kShalom + "\"", false, true, true},
      {"Hebrew after an apostrophe", "'" + kSefer, false, true, true},
      {"misspelled Hebrew in quotes", "\"" + kShalom + "\xE9\"", false, false, true},
      {"points", "\x99\xC9\xEC\xE5\xC9\xED", false, true, true},
      {"Hebrew stored reversed in an English document", R(kSefer), true, true, true},
      {"English stored reversed in a Hebrew document", "tac", false, true, true},
      {"Hebrew user word after a prefix letter", "\xEC" + kMore + "\xE9", false, true, true},
  };
  for (const Case& c : cases) {
    const TWordCheck r = engine.CheckWord(c.word, c.docEnglish, false);
    EXPECT_EQ(r.Found, c.found) << c.name;
    EXPECT_EQ(r.Checked, c.checked) << c.name;
    EXPECT_EQ(r.Replaced, c.replaced) << c.name;
    if (c.replaced) {
      EXPECT_EQ(r.Word, c.replacement) << c.name;
    }
  }
  EXPECT_TRUE(sink.requests.empty());
  // A Hebrew word with a character outside its alphabet is reported and
  // skipped.
  const TWordCheck bad = engine.CheckWord(kShalom + "q", false, false);
  EXPECT_FALSE(bad.Checked);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].text, "Unexpected non-English char: q");
}

TEST(SpellEngine, SuggestionsCloserFirstAndInTheWindowsCode) {
  test::TSpellFixture fx;
  TSpellEngine engine;
  ASSERT_TRUE(engine.OpenDictionaries(fx.files));
  struct Case {
    std::string word;
    bool docEnglish;
    bool suggestOnly;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      // The likely slips first (swapped letters, then a neighbour key, then
      // another letter), from any group; then the group's words further off.
      {"teh", true, false, {"the", "ten", "tea", "tell"}},
      {"Teh", true, false, {"The", "Ten", "Tea", "Tell"}},
      {"tabel", true, false, {"table", "tables"}},
      {"tab", true, true, {"table", "tables"}},
      {kShalom + "\xE9", false, false, {kShalom}},
      {R(kShalom + "\xE9"), true, false, {kShalom}},
  };
  for (const Case& c : cases) {
    const TWordCheck r = engine.CheckWord(c.word, c.docEnglish, c.suggestOnly);
    ASSERT_FALSE(r.Found) << c.word;
    ASSERT_NE(engine.Suggestions(), nullptr) << c.word;
    EXPECT_EQ(engine.SuggestionWords(r.IsUpper), c.words) << c.word;
  }
}

TEST(SpellEngine, UserListsFromTheSettingsAndBackThroughAFile) {
  test::TSpellFixture fx;
  test::RecordingMessageSink sink;
  // Relative names: dictionaries from the program folder, user lists from
  // the user's own folder.
  const std::string folder = fx.folder.Folder();
  ProgPath = folder;
  platform::SetProgramFolderOverride(folder);
  const TSpellFiles files = SpellFilesFromSettings();
  EXPECT_EQ(files.EnglishDic, folder + "NUVHSPE.DIC");
  EXPECT_EQ(files.HebrewUser, UserDataFolder() + "NuvSpelH.tmp");
  {
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionaries());
    engine.UserList(true).Add("Nuvel", {"", kUserWordAdded});
    engine.UserList(true).Add("skip", {"skip", kUserWordIgnored});
    engine.UserList(true).Add("teh", {"the", kUserWordReplaced});
    engine.FinishSpelling();
    EXPECT_FALSE(engine.IsOpen());
  }
  std::ifstream in(UserDataFolder() + "NuvSpelE.tmp", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "Nuvel\r\nteh the\r\n");
  TSpellEngine again;
  ASSERT_TRUE(again.OpenDictionaries());
  EXPECT_TRUE(again.CheckWord("Nuvel", true, false).Found);
  EXPECT_FALSE(again.CheckWord("skip", true, false).Found);
  again.FinishSpelling();
  platform::SetProgramFolderOverride("");
  EXPECT_TRUE(sink.requests.empty());
}

// A list an earlier version kept in the settings folder goes on being used
// until the data folder has one.
TEST(SpellEngine, AUserListInTheSettingsFolderIsUsedWhileTheDataFolderHasNone) {
  test::TSpellFixture fx;
  std::filesystem::create_directories(SettingsFolder());
  std::ofstream(SettingsFolder() + "NuvSpelE.tmp") << "Nuvel\r\n";
  EXPECT_EQ(SpellFilesFromSettings().EnglishUser, SettingsFolder() + "NuvSpelE.tmp");
  EXPECT_EQ(SpellFilesFromSettings().HebrewUser, UserDataFolder() + "NuvSpelH.tmp");
  std::filesystem::create_directories(UserDataFolder());
  std::ofstream(UserDataFolder() + "NuvSpelE.tmp") << "Nuvel\r\n";
  EXPECT_EQ(SpellFilesFromSettings().EnglishUser, UserDataFolder() + "NuvSpelE.tmp");
}

TEST(SpellEngine, AMissingDictionaryChecksNothing) {
  test::TSpellFixture fx;
  test::RecordingMessageSink sink;
  TSpellFiles files = fx.files;
  files.HebrewDic = fx.folder.Folder() + "missing.DIC";
  TSpellEngine engine;
  EXPECT_FALSE(engine.OpenDictionaries(files));
  EXPECT_FALSE(engine.IsOpen());
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].text, "Cannot Find " + files.HebrewDic);
  EXPECT_FALSE(engine.CheckWord("teh", true, false).Checked);
}

}  // namespace
}  // namespace nuvel
