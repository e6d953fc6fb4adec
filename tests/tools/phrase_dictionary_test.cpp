// The phrase dictionary's phrases from the string library, and what an
// entry inserts.
#include <gtest/gtest.h>

#include "platform/string_library.h"
#include "tests/support/string_library_bytes.h"
#include "tools/phrase_dictionary.h"

namespace nuvel {
namespace {

std::vector<std::string> PhrasesOf(const std::map<uint32_t, std::string>& texts) {
  const auto lib = platform::StringLibrary::FromBytes(test::StringLibraryBytes(texts));
  EXPECT_TRUE(lib);
  return LoadPhrases(lib ? &*lib : nullptr);
}

TEST(PhraseDictionary, PhrasesAreReadSortedOnceEach) {
  EXPECT_EQ(PhrasesOf({{46724, "4"}, {46725, "Thanks x"}, {46726, "apple y"}, {46727, "Thanks x"},
                       {46728, "Bye z"}, {46729, "beyond the count"}}),
            (std::vector<std::string>{"apple y", "Bye z", "Thanks x"}));
  EXPECT_EQ(PhrasesOf({{46724, "2"}, {46725, std::string(200, 'w')}, {46726, "a"}}),
            (std::vector<std::string>{"a", std::string(149, 'w')}));
}

TEST(PhraseDictionary, ABadCountGivesAnEmptyList) {
  for (const char* count : {"", "x", "3x", "0", "-2"}) {
    EXPECT_TRUE(PhrasesOf({{46724, count}, {46725, "one"}}).empty()) << count;
  }
  EXPECT_TRUE(LoadPhrases(nullptr).empty());
  // A count past the phrases held gives the ones there are, no blank entries.
  EXPECT_EQ(PhrasesOf({{46724, "3"}, {46725, "one"}}), (std::vector<std::string>{"one"}));
}

TEST(PhraseDictionary, AnEntryInsertsWhatFollowsItsFirstBlankInStorageOrder) {
  struct Case {
    const char* entry;
    bool english;
    const char* inserted;
  } cases[] = {
      {"Thanks \xFA\xE5\xE3\xE4  ", false, "\xFA\xE5\xE3\xE4"},  // Hebrew into a Hebrew document
      {"Thanks \xFA\xE5\xE3\xE4", true, "\xE4\xE3\xE5\xFA"},     // ... reversed in an English one
      {"Hello", true, "Hello"},                                  // no blank: the whole entry
      {"Dear Sir or Madam", true, "Sir or Madam"},               // English stays as it is
      {"Dear Sir", false, "riS"},                                // ... reversed in a Hebrew document
      {"Key    ", true, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PhraseToInsert(c.entry, c.english), c.inserted) << c.entry;
}

}  // namespace
}  // namespace nuvel
