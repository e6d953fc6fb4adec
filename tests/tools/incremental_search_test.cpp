// The incremental search list's search: prefixes, order and centring.
#include <gtest/gtest.h>

#include "tools/incremental_search.h"

namespace nuvel {
namespace {

TEST(IncrementalSearch, FindsTheFirstEntryWithThePrefix) {
  const std::vector<std::string> entries = {"Aa", "Ab", "Abc", "Abd", "B", "Ba", "Zz"};
  struct Case {
    const char* text;
    bool caseSensitive;
    int index;
  } cases[] = {
      {"ab", false, 1}, {"AB", false, 1}, {"abd", false, 3}, {"b", false, 4},  {"ba", false, 5},
      {"z", false, 6},  {"a", false, 0},  {"ac", false, -1}, {"q", false, -1}, {"ab", true, -1},
      {"Ab", true, 1},  {"", false, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PrefixSearch(entries, c.text, c.caseSensitive), c.index) << c.text;
  EXPECT_EQ(PrefixSearch({}, "a", false), -1);
}

TEST(IncrementalSearch, EveryPrefixOfALongListIsFound) {
  std::vector<std::string> words;
  for (char a = 'a'; a <= 'z'; ++a) {
    for (char b = 'a'; b <= 'z'; b += 5) words.push_back(std::string{a, b, 'x'});
  }
  words = SortedForSearch(words, false);
  for (size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(PrefixSearch(words, words[i], false), static_cast<int>(i));
    const int first = PrefixSearch(words, words[i].substr(0, 1), false);
    ASSERT_GE(first, 0);
    EXPECT_EQ(words[static_cast<size_t>(first)][0], words[i][0]);
    if (first > 0) {
      EXPECT_NE(words[static_cast<size_t>(first - 1)][0], words[i][0]);
    }
  }
}

TEST(IncrementalSearch, EntriesAreSortedByTheirKeysWithoutDuplicates) {
  const std::vector<std::string> in = {"banana", "Apple", "apple", "\xE0\xE1", "cherry", "Banana2", "apple"};
  EXPECT_EQ(SortedForSearch(in, false), (std::vector<std::string>{"Apple", "banana", "Banana2", "cherry", "\xE0\xE1"}));
  EXPECT_EQ(SortedForSearch(in, true),
            (std::vector<std::string>{"Apple", "Banana2", "apple", "banana", "cherry", "\xE0\xE1"}));
}

TEST(IncrementalSearch, TheFoundRowIsCentredWhenThereIsRoomAboveIt) {
  struct Case {
    int index, height, itemHeight, top;
  } cases[] = {
      {10, 130, 13, 5},  // ten rows show: five above it
      {4, 130, 13, -1},  // no room above: the top stays
      {5, 130, 13, 0},   {20, 65, 13, 18}, {3, 10, 13, 3}, {7, 100, 0, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(CentredTopIndex(c.index, c.height, c.itemHeight), c.top) << c.index;
}

}  // namespace
}  // namespace nuvel
