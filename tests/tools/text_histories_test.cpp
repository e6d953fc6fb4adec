#include "tools/text_histories.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

TEST(TextHistories, AddToHistoryKeepsOneEntryPerTextNewestFirst) {
  TextHistory h;
  AddToHistory(h, "alpha");
  AddToHistory(h, "beta");
  AddToHistory(h, "ALPHA");  // the same text in other case moves up, as typed now
  EXPECT_EQ(h, (TextHistory{"ALPHA", "beta"}));

  TextHistory full;
  for (int i = 1; i <= 20; ++i) AddToHistory(full, "t" + std::to_string(i));
  ASSERT_EQ(full.size(), 20u);
  AddToHistory(full, "t21");
  ASSERT_EQ(full.size(), 20u);
  EXPECT_EQ(full.front(), "t21");
  EXPECT_EQ(full.back(), "t2");  // the oldest, t1, went
  // A known text does not push anything out.
  AddToHistory(full, "t10");
  EXPECT_EQ(full.size(), 20u);
  EXPECT_EQ(full.front(), "t10");
  EXPECT_EQ(full.back(), "t2");
}

TEST(TextHistories, HistoryButtonCyclesToTheNextEntry) {
  const TextHistory h{"c", "b", "a"};
  struct Case {
    const char* current;
    const char* next;
  };
  const Case cases[] = {{"b", "a"}, {"a", "c"}, {"c", "b"}, {"B", "a"}, {"x", "c"}, {"", "c"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current);
    EXPECT_EQ(NextHistoryEntry(h, c.current), std::optional<std::string>(c.next));
  }
  EXPECT_EQ(NextHistoryEntry({}, "b"), std::nullopt);
}

TEST(TextHistories, PromptTextLosesTrailingLineEndsAndIsCutTo255) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"find\r\n", "find"},
      {std::string("a\0\n\r", 4), "a"},
      {"\r\nmiddle\r\nend", "\r\nmiddle\r\nend"},
      {"trailing blank ", "trailing blank "},
      {std::string(300, 'x') + "\r\n", std::string(255, 'x')},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimPromptText(c.in), c.out);
}

TEST(TextHistories, TheThreeListsSurviveTheRegistry) {
  test::TempProgramFolder folder;
  HistoryFind = {"f1", "\xF9\xEC\xE5\xED"};
  HistoryRepl = {"r1"};
  HistoryFile = {"/home/u/a.txt", "/home/u/b.nvw"};
  SaveTextHistories();
  EXPECT_EQ(ReadRegString("History_File", "Count"), "2");
  EXPECT_EQ(ReadRegString("History_File", "H0"), "/home/u/a.txt");

  HistoryFind = {"stale"};
  HistoryRepl.clear();
  HistoryFile = {"stale"};
  LoadTextHistories();
  EXPECT_EQ(HistoryFind, (TextHistory{"f1", "\xF9\xEC\xE5\xED"}));
  EXPECT_EQ(HistoryRepl, (TextHistory{"r1"}));
  EXPECT_EQ(HistoryFile, (TextHistory{"/home/u/a.txt", "/home/u/b.nvw"}));

  // A shorter list written later is read back as it is.
  HistoryFile = {"/only"};
  SaveTextHistories();
  LoadTextHistories();
  EXPECT_EQ(HistoryFile, (TextHistory{"/only"}));
  HistoryFind.clear();
  HistoryRepl.clear();
  HistoryFile.clear();
}

}  // namespace
}  // namespace nuvel
