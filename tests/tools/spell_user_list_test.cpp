#include "tools/spell_user_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_program_folder.h"
#include "tools/edit_distance.h"

namespace nuvel {
namespace {

std::vector<std::string> Words(const TInDic& list) {
  std::vector<std::string> out;
  for (const auto& e : list.Entries()) out.push_back(e.word);
  return out;
}

TEST(EditDistance, Table) {
  struct Case { std::string a, b; int d; };
  const std::vector<Case> cases = {
      {"", "", 0},           {"abc", "", 3},          {"", "abcd", 4},       {"teh", "the", 2},
      {"teh", "tea", 1},     {"teh", "ten", 1},       {"kitten", "sitting", 3}, {"flaw", "lawn", 2},
      {"same", "same", 0},   {"ab", "ba", 2},         {"\x81\x82\x83", "\x81\x83", 1},
      {std::string(40, 'a'), std::string(38, 'a') + "bb", 2},  // longer than a 30-letter table
      {std::string(300, 'a'), "", 255},                          // capped
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EditDistance(c.a, c.b), c.d) << c.a << " / " << c.b;
    EXPECT_EQ(EditDistance(c.b, c.a), c.d) << c.b << " / " << c.a;
    const int limited = EditDistanceWithin(c.a, c.b, 3);
    EXPECT_EQ(limited, c.d <= 3 ? c.d : 4) << c.a << " / " << c.b;
  }
}

TEST(UserList, OrderIgnoresCaseFirstAndKeepsExactDuplicatesOut) {
  TInDic list;
  for (const char* w : {"banana", "Apple", "apple", "cherry", "apple", "Banana", "ab"})
    list.Add(w, Trec{});
  EXPECT_EQ(Words(list), (std::vector<std::string>{"ab", "Apple", "apple", "Banana", "banana", "cherry"}));
  std::size_t index = 99;
  EXPECT_TRUE(FindUserWord(list, "apple", index));
  EXPECT_EQ(index, 2u);
  EXPECT_FALSE(FindUserWord(list, "APPLE", index));
  EXPECT_EQ(index, 1u);  // before "Apple", the first entry not less than it
  EXPECT_FALSE(FindUserWord(list, "bz", index));
  EXPECT_EQ(index, 5u);
  EXPECT_FALSE(FindUserWord(list, "zzz", index));
  EXPECT_EQ(index, 6u);
}

TEST(UserList, LoadReadsEveryKindOfLineAndSaveWritesThemBack) {
  test::TempProgramFolder folder;
  folder.WriteFile("NuvSpelE.tmp",
                   "teh the\r\n"
                   "nuvel\r\n"
                   "recieve receive  \r\n"  // trailing blanks go
                   "tabbed\t \n"            // a lone LF ends a line too
                   "\r\n"
                   "nuvel\r\n"              // a duplicate is kept once
                   "multi word replacement here\r\n");
  TInDic list;
  ASSERT_EQ(LoadUserList(folder.Folder() + "NuvSpelE.tmp", list), UserListStatus::kOk);
  ASSERT_EQ(Words(list), (std::vector<std::string>{"multi", "nuvel", "recieve", "tabbed", "teh"}));
  struct Case { std::size_t i; std::uint16_t kind; std::string text; };
  for (const Case& c : {Case{0, kUserWordReplaced, "word replacement here"}, Case{1, kUserWordAdded, ""},
                        Case{2, kUserWordReplaced, "receive"}, Case{3, kUserWordAdded, ""},
                        Case{4, kUserWordReplaced, "the"}}) {
    EXPECT_EQ(list[c.i].rec.kind, c.kind) << list[c.i].word;
    EXPECT_EQ(list[c.i].rec.text, c.text) << list[c.i].word;
  }
  // A word ignored for this run is never written; kinds 0 and 2 are.
  list.Add("skipme", Trec{"", kUserWordIgnored});
  list.Add("two words", Trec{"", kUserWordAdded});
  ASSERT_EQ(SaveUserList(folder.Folder() + "NuvSpelE.tmp", list), UserListStatus::kOk);
  EXPECT_EQ(folder.ReadFile("NuvSpelE.tmp"),
            "multi word replacement here\r\n"
            "nuvel\r\n"
            "recieve receive\r\n"
            "tabbed\r\n"
            "teh the\r\n"
            "two\r\n");

  TInDic again;
  ASSERT_EQ(LoadUserList(folder.Folder() + "NuvSpelE.tmp", again), UserListStatus::kOk);
  EXPECT_EQ(Words(again), (std::vector<std::string>{"multi", "nuvel", "recieve", "tabbed", "teh", "two"}));
}

TEST(UserList, MissingFileIsAnEmptyListAndUnreadableOneIsNeverOverwritten) {
  test::TempProgramFolder folder;
  TInDic empty;
  EXPECT_EQ(LoadUserList(folder.Folder() + "NuvSpelH.tmp", empty), UserListStatus::kOk);
  EXPECT_EQ(empty.Count(), 0u);
  EXPECT_FALSE(empty.LoadFailed());

  // A path that exists but cannot be read as a file.
  std::filesystem::create_directory(folder.Path("NuvSpelE.tmp"));
  TInDic list;
  EXPECT_EQ(LoadUserList(folder.Folder() + "NuvSpelE.tmp", list), UserListStatus::kReadError);
  EXPECT_EQ(UserListStatusText(UserListStatus::kReadError), "Read Ioresult<>0");
  EXPECT_TRUE(list.LoadFailed());
  list.Add("word", Trec{});
  EXPECT_EQ(SaveUserList(folder.Folder() + "NuvSpelE.tmp", list), UserListStatus::kNotWrittenAfterFailedLoad);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("NuvSpelE.tmp")));

  EXPECT_EQ(UserListStatusText(UserListStatus::kCreateError), "Write Ioresult<>0");
  EXPECT_EQ(UserListStatusText(UserListStatus::kWriteError), "Write Problem");
}

TEST(UserList, FailedSaveReportsAndLeavesNothingBehind) {
  test::TempProgramFolder folder;
  folder.WriteFile("plain", "old\r\n");
  TInDic list;
  list.Add("new", Trec{});
  // A path under a plain file cannot be written.
  EXPECT_EQ(SaveUserList(folder.Folder() + "plain/NuvSpelE.tmp", list), UserListStatus::kCreateError);
  EXPECT_EQ(folder.ReadFile("plain"), "old\r\n");
  ASSERT_EQ(SaveUserList(folder.Folder() + "NuvSpelE.tmp", list), UserListStatus::kOk);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Folder())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"NuvSpelE.tmp", "plain"}));
}

TEST(UserList, SuggestionsFromTheUserList) {
  TInDic list;
  for (const char* w : {"Nuvel", "nuvel", "nuvels", "nubian", "numb", "na", "nuv", "Nuvelish", "nuvelization", "zeta"})
    list.Add(w, Trec{});
  struct Case {
    const char* word;
    int minLen, maxLen;
    std::vector<std::string> want;
  };
  const std::vector<Case> cases = {
      {"nuvl", 3, 5, {"anuv", "anuvel", "bnumb"}},
      {"nuvl", 4, 6, {"anuvel", "bnumb", "bnuvels", "dnubian"}},
      {"Nuvl", 3, 9, {"aNuvel", "dNuvelish"}},  // same case of the first letter only
      {"nuvl", 5, 5, {"anuvel"}},
      {"xy", 1, 9, {}},
      {"zeta", 1, 9, {"`zeta"}},  // the last entry is examined too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    SpellSuggestionList s;
    EXPECT_EQ(SuggestFromUserList(list, c.word, c.minLen, c.maxLen, s), !c.want.empty());
    std::vector<std::string> want = c.want;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(s.Items(), want);
  }
  TInDic single;
  single.Add("tehran", Trec{});
  SpellSuggestionList s;
  EXPECT_TRUE(SuggestFromUserList(single, "tehr", 3, 9, s));
  EXPECT_EQ(s.Items(), (std::vector<std::string>{"btehran"}));
  EXPECT_FALSE(SuggestFromUserList(TInDic{}, "tehr", 3, 9, s));
}

}  // namespace
}  // namespace nuvel
