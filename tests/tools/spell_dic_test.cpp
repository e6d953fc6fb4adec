#include "tools/spell_dic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_program_folder.h"
#include "tools/spell_alphabet.h"
#include "tools/spell_dic_writer.h"

namespace nuvel {
namespace {

const SpellAlphabet kEnglish = BuildEnglishAlphabet();

// A dictionary file of the English alphabet: the index with the given groups
// (by their two letters) and then the groups' bytes, in that order.
struct Group {
  std::string letters;  // one letter stands for the group of that letter and '"'
  std::string bytes;
};
std::string MakeDic(const std::vector<Group>& groups) {
  const std::size_t n = 55;
  std::vector<std::uint32_t> index(n * n, kSpellEmptyGroup);
  std::string data;
  for (const Group& g : groups) {
    const int c1 = kEnglish.Code(static_cast<std::uint8_t>(g.letters[0]));
    const int c2 = g.letters.size() == 1 ? 1 : kEnglish.Code(static_cast<std::uint8_t>(g.letters[1]));
    index[(c1 - 1) * n + (c2 - 1)] = static_cast<std::uint32_t>(n * n * 4 + data.size());
    data += g.bytes;
  }
  std::string out;
  for (std::uint32_t v : index)
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return out + data;
}

// Every mode by hand: 'a' (mode 0, one letter), 'at' (mode 0, two letters),
// 'ate' and 'cat' (mode 1), 'table' (mode 3: codes b l e), 'tables' (mode 2,
// K = 5, then s), 'zzz' in the last group of the index; 'te' stays empty.
std::string HandMadeDic() {
  return MakeDic({
      {"a", "\x04"},
      {"at", "\x08\x89"},
      {"ca", "\xC5"},
      {"ta", std::string("\x17\x7E\x98\x80\x1A\x0F\x00", 7)},
      {"zz", "\xDD"},
  });
}

TEST(SpellDic, HandMadeFileFindsEveryWordOfEveryMode) {
  const TSpDic dic = TSpDic::FromBytes(HandMadeDic(), kEnglish);
  ASSERT_TRUE(dic.IsOpen());
  EXPECT_EQ(dic.WordCount(), 7u);
  struct Case { const char* word; bool found; };
  const Case cases[] = {
      {"a", true},      {"at", true},     {"ate", true},    {"cat", true},   {"table", true},
      {"tables", true}, {"zzz", true},    {"", false},      {"c", false},    {"ca", false},
      {"cats", false},  {"tab", false},   {"tablet", false}, {"tablesx", false}, {"ten", false},
      {"te", false},    {"z", false},     {"zz", false},    {"zzzz", false}, {"b", false},
      {"A", false},     {"\xE7" "a", false},  {"a\"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(dic.LookUp(c.word), c.found) << c.word;
  EXPECT_EQ(dic.GroupWords(kEnglish.Code('t'), kEnglish.Code('a')), (std::vector<std::string>{"table", "tables"}));
}

TEST(SpellDic, WriterProducesTheHandMadeBytes) {
  const std::string built = EncodeSpellDictionary({"tables", "zzz", "a", "cat", "table", "ate", "at", "cat"}, kEnglish);
  EXPECT_EQ(built, HandMadeDic());
}

TEST(SpellDic, WriterRoundTripsLongAndSharedPrefixWords) {
  std::vector<std::string> words = {
      "A",        "I",       "I'm",         "o'clock",       "Mr.",    "\"quoted\"", "international",
      "internationalization", "internationalizations", "internet", "interned", "in",  "inn",
      std::string(63, 'q'),   std::string(64, 'q'),    "caf\xE9", "x-ray",  "ab", "abc", "abcd", "abcde"};
  const TSpDic dic = TSpDic::FromBytes(EncodeSpellDictionary(words, kEnglish), kEnglish);
  ASSERT_TRUE(dic.IsOpen());
  for (const std::string& w : words) {
    const bool fits = SpellWordFits(w, kEnglish);
    EXPECT_EQ(dic.LookUp(w), fits) << w;
  }
  EXPECT_FALSE(dic.LookUp(std::string(64, 'q')));  // too long for the format: left out
  EXPECT_FALSE(dic.LookUp("internationalizatio"));
}

TEST(SpellDic, DamagedFilesNeverReadPastTheirEnd) {
  const std::string good = HandMadeDic();
  struct Case {
    const char* what;
    std::vector<Group> groups;
    std::vector<const char*> stillFound;
  };
  const std::vector<Case> cases = {
      {"mode 0 with a length other than 1 or 2", {{"at", "\x08\x0C\x89"}}, {"at"}},
      {"mode 2 as the group's first word", {{"ta", std::string("\x1A\x0F\x00", 3)}}, {}},
      {"mode 2 copying more than the previous word", {{"at", std::string("\x08\x1A\x0F\x00", 4)}}, {"at"}},
      {"mode 2 with K not below V", {{"ta", std::string("\x17\x7E\x98\x80\x16\x0F\x00", 7)}}, {"table"}},
      {"letter code 0", {{"ta", std::string("\x17\x00\x00\x00", 4)}}, {}},
      {"letter code above N", {{"ta", std::string("\x17\xFF\xFF\xFF", 4)}}, {}},
      {"codes running past the end", {{"ta", std::string("\x17\x7E", 2)}}, {}},
      {"mode 1 with code 0", {{"ca", std::string("\x01\xC5", 2)}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TSpDic dic = TSpDic::FromBytes(MakeDic(c.groups), kEnglish);
    ASSERT_TRUE(dic.IsOpen());
    // The group is named, as the program shows its letters.
    const std::string group = c.groups[0].letters;
    EXPECT_EQ(dic.Damage(), "a word of the group " + group + " cannot be read");
    for (const char* w : c.stillFound) EXPECT_TRUE(dic.LookUp(w)) << w;
    EXPECT_FALSE(dic.LookUp("tables"));
    SpellSuggestionList list;
    dic.Suggest("tabel", 1, false, 9, list);
  }
  // Offsets into the index or past the end, and a file shorter than its index.
  std::string bad = good;
  bad[0] = bad[1] = bad[2] = bad[3] = '\x10';
  EXPECT_TRUE(TSpDic::FromBytes(bad, kEnglish).IsOpen());
  EXPECT_EQ(TSpDic::FromBytes(bad, kEnglish).Damage(), "its index is out of order");
  bad = good;
  bad[4] = bad[5] = bad[6] = '\x7E';
  EXPECT_TRUE(TSpDic::FromBytes(bad, kEnglish).IsOpen());
  EXPECT_EQ(TSpDic::FromBytes(bad, kEnglish).Damage(), "its index is out of order");
  const TSpDic shortFile = TSpDic::FromBytes(good.substr(0, 100), kEnglish);
  EXPECT_EQ(shortFile.GetStatus(), TSpDic::Status::kReadProblem);
  EXPECT_EQ(shortFile.Damage(), "it is shorter than the 12,100 bytes of its index");
  EXPECT_FALSE(shortFile.LookUp("a"));
  EXPECT_EQ(TSpDic::FromBytes(good, kEnglish).Damage(), "");
}

TEST(SpellDic, OpeningFiles) {
  test::TempProgramFolder folder;
  const TSpDic missing(folder.Folder() + "NUVHSPE.DIC", kEnglish);
  EXPECT_EQ(missing.GetStatus(), TSpDic::Status::kCannotFind);
  EXPECT_EQ(missing.FailureText(), "Cannot Find " + folder.Folder() + "NUVHSPE.DIC");
  EXPECT_FALSE(missing.LookUp("cat"));

  folder.WriteFile("SHORT.DIC", "abc");
  const TSpDic truncated(folder.Folder() + "SHORT.DIC", kEnglish);
  EXPECT_EQ(truncated.FailureText(), "Read Problem in " + folder.Folder() +
                                         "SHORT.DIC: it is shorter than the 12,100 bytes of its index");

  folder.WriteFile("SMALL.DIC", HandMadeDic());
  const TSpDic small(folder.Folder() + "SMALL.DIC", kEnglish);
  EXPECT_TRUE(small.IsOpen());
  EXPECT_TRUE(small.LookUp("tables"));
  EXPECT_TRUE(small.FailureText().empty());
}

// The index alone tells a file cut short from other bytes: the cheap check
// made at start-up, from the file's size and its first bytes.
TEST(SpellDic, IndexDamageIsNamed) {
  const std::string good = HandMadeDic();
  std::string random(good.size() + 4000, '\0');
  std::mt19937 rng(7);
  for (char& c : random) c = static_cast<char>(rng());
  std::string intoIndex = good;
  intoIndex[0] = intoIndex[1] = '\x10';
  intoIndex[2] = intoIndex[3] = '\0';
  const std::string pastEnd = "its index points past its end: the file is cut short";
  struct {
    const char* what;
    std::string head;
    std::uint64_t size;
    std::string why;
  } cases[] = {
      {"whole", good, good.size(), ""},
      {"cut by its last byte", good, good.size() - 1, pastEnd},
      {"cut to half", good.substr(0, 12100), 12100 + 4, pastEnd},
      {"cut right after the index", good.substr(0, 12100), 12100, pastEnd},
      {"shorter than its index", good.substr(0, 12099), 12099, "it is shorter than the 12,100 bytes of its index"},
      {"random bytes", random, random.size(), "its index is out of order"},
      {"a group inside the index", intoIndex, intoIndex.size(), "its index is out of order"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SpellIndexDamage(c.head, c.size, kEnglish.n), c.why);
  }
}

TEST(SpellDic, SuggestWalksOnlyTheWordsGroup) {
  const TSpDic dic = TSpDic::FromBytes(
      EncodeSpellDictionary({"tea", "ten", "the", "tee", "teeth", "tempest", "tab", "t"}, kEnglish), kEnglish);
  struct Case {
    const char* word;
    int minLen, maxLen;
    bool completion;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"teh", 2, 4, false, {"atea", "atee", "aten"}},  // 'the' lies in the group 'th'
      {"teh", 3, 3, false, {"atea", "atee", "aten"}},
      {"teh", 4, 9, false, {"bteeth"}},                // shorter words fall outside the range
      {"tee", 2, 6, false, {"`tee", "atea", "aten", "bteeth"}},
      {"te", 1, 9, true, {"`tea", "`tee", "`teeth", "`tempest", "`ten"}},
      {"tee", 1, 9, true, {"`tee", "`teeth"}},
      {"t", 1, 9, false, {}},    // too short to have a group
      {"xy", 1, 9, false, {}},   // empty group
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    SpellSuggestionList list;
    EXPECT_EQ(dic.Suggest(c.word, c.minLen, c.completion, c.maxLen, list), !c.want.empty());
    EXPECT_EQ(list.Items(), c.want);
  }
  // An earlier suggestion counts: the answer is whether the list is non-empty.
  SpellSuggestionList list;
  list.Add("afoo");
  EXPECT_TRUE(dic.Suggest("xy", 1, false, 9, list));
}

TEST(SpellDic, SuggestStopsAtTheListLimit) {
  std::vector<std::string> words;
  for (char a = 'a'; a <= 'z'; ++a)
    for (char b = 'a'; b <= 'z'; ++b) words.push_back(std::string("ab") + a + b);
  const TSpDic dic = TSpDic::FromBytes(EncodeSpellDictionary(words, kEnglish), kEnglish);
  SpellSuggestionList list;
  EXPECT_TRUE(dic.Suggest("ab", 1, true, 99, list));
  EXPECT_EQ(list.Count(), SpellSuggestionList::kLimit);
}

}  // namespace
}  // namespace nuvel
