// The start-up check of the main spell dictionaries and the speller's one
// telling of a damaged dictionary it still opens.
#include "tools/spell_dictionary_check.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/recording_message_sink.h"
#include "tests/tools/spell_test_support.h"

namespace nuvel {
namespace {

std::string Random(std::size_t n) {
  std::mt19937 rng(11);
  std::string b(n, '\0');
  for (char& c : b) c = static_cast<char>(rng());
  return b;
}

TEST(SpellDictionaryCheck, DamagedDictionariesAreNamedWithTheReason) {
  const std::string cut = "its index points past its end: the file is cut short";
  const std::string order = "its index is out of order";
  struct Case {
    const char* what;
    const char* rules;     // the Hebrew rule file's text; null: none
    const char* file;      // written with `bytes`; empty: none
    std::string bytes;     // empty with a file: the fixture's file cut in the middle of its words
    std::string why;       // empty: no line
  };
  const Case cases[] = {
      {"as made", nullptr, "", "", ""},
      {"English cut", nullptr, "NUVHSPE.DIC", "", cut},
      {"Hebrew cut", nullptr, "NUVHSPH.DIC", "", cut},
      {"English of random bytes", nullptr, "NUVHSPE.DIC", Random(20000), order},
      {"Hebrew shorter than its index", nullptr, "NUVHSPH.DIC", Random(3000),
       "it is shorter than the 3,364 bytes of its index"},
      {"a rule file that names no class", "# nothing\n", "NUVHSPH.AFF", "# nothing\n",
       "it names no dictionary of a class of words"},
      {"a class the rule file names, cut", "CLASS NUVHSPH.DIC\n", "NUVHSPH.DIC", "", cut},
      {"a rule file whose classes are sound", "CLASS NUVHSPH.DIC\n", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TSpellFixture fixture;
    if (c.rules) fixture.folder.WriteFile("NUVHSPH.AFF", c.rules);
    std::string named;
    if (*c.file) {
      std::string bytes = c.bytes;
      if (bytes.empty()) {
        bytes = fixture.folder.ReadFile(c.file);
        const std::size_t index = std::string(c.file) == "NUVHSPE.DIC" ? 12100 : 3364;
        bytes.resize(index + (bytes.size() - index) / 2);
      }
      fixture.folder.WriteFile(c.file, bytes);
      named = fixture.folder.Folder() + c.file;
    }
    const std::vector<std::string> lines = SpellDictionaryProblems(fixture.files);
    if (c.why.empty()) {
      EXPECT_TRUE(lines.empty()) << lines.front();
      continue;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(named + "\x0F is damaged (" + c.why), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("the speller may take correct words for misspelt ones"), std::string::npos);
  }
}

TEST(SpellDictionaryCheck, MissingDictionariesAreLeftToTheSpeller) {
  test::TSpellFixture fixture;
  std::filesystem::remove(fixture.folder.Path("NUVHSPE.DIC"));
  std::filesystem::remove(fixture.folder.Path("NUVHSPH.DIC"));
  EXPECT_TRUE(SpellDictionaryProblems(fixture.files).empty());
}

// A dictionary cut short still opens with the words before the cut; the
// speller says once in a run that it is damaged.
TEST(SpellDictionaryCheck, SpellerTellsADamagedDictionaryOnce) {
  test::TSpellFixture fixture;
  std::string english = fixture.folder.ReadFile("NUVHSPE.DIC");
  english.resize(english.size() - 3);
  fixture.folder.WriteFile("NUVHSPE.DIC", english);
  test::RecordingMessageSink sink;
  for (int run = 0; run < 2; ++run) {
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionaries(fixture.files));
    engine.FinishSpelling();
  }
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find(fixture.files.EnglishDic + "\x0F is damaged ("), std::string::npos)
      << sink.requests[0].text;
}

}  // namespace
}  // namespace nuvel
