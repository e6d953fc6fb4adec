#include "core/command_processor.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"

#include <string>
#include <vector>

#include "core/builtin_command_tables.h"
#include "platform/virtual_keys.h"

namespace nuvel {
namespace {

using namespace platform;

constexpr uint8_t kS = kShiftBitShift;
constexpr uint8_t kC = kShiftBitCtrl;
constexpr uint8_t kA = kShiftBitAlt;

struct Press {
  uint8_t key;
  uint8_t shift;
  TNvcCommand answer;
};

struct SequenceCase {
  const char* name;
  bool wordStarActive;
  std::vector<Press> presses;
};
void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class KeySequenceTest : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(KeySequenceTest, AnswersEachPressInTurn) {
  const SequenceCase& c = GetParam();
  TNvcCommandProcessor p;
  // The WordStar table goes first, as the main window keeps it.
  if (c.wordStarActive) p.LoadTables({{"WordStar", true, {}}, {"Default", true, {}}});
  for (size_t i = 0; i < c.presses.size(); ++i) {
    const Press& k = c.presses[i];
    EXPECT_EQ(p.TranslateKey({k.key, k.shift, 0, false}), k.answer)
        << c.name << ", press " << i << " (key " << int(k.key) << " shift " << int(k.shift) << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Translator, KeySequenceTest,
    ::testing::Values(
        SequenceCase{"default one-key commands",
                     false,
                     {{VK_LEFT, 0, ccLeft},
                      {VK_LEFT, kC, ccWordLeft},
                      {VK_LEFT, kC | kS, ccExtWordLeft},
                      {VK_BACK, kA, ccRestore},
                      {'X', kC, ccCut},
                      {'5', kC, ccGotoMarker0 + 5},
                      {'5', kC | kS, ccSetMarker0 + 5},
                      {'Z', kC | kS, ccRedo}}},
        SequenceCase{"plain letters and unknown keys are typing",
                     false,
                     {{'A', 0, ccNoCommand}, {'A', kS, ccNoCommand}, {VK_F2, 0, ccNoCommand}}},
        SequenceCase{"Ctrl+Q then S is Home",
                     true,
                     {{'Q', kC, ccWaitSecondKey}, {'S', 0, ccHome}, {'S', 0, ccNoCommand}}},
        SequenceCase{"Ctrl+Q then Ctrl+S is Home too",
                     true,
                     {{'Q', kC, ccWaitSecondKey}, {'S', kC, ccHome}}},
        SequenceCase{"Ctrl+Q then Shift+S matches nothing",
                     true,
                     {{'Q', kC, ccWaitSecondKey}, {'S', kS, ccNoSecondKey}, {'S', kC, ccLeft}}},
        SequenceCase{"Ctrl+Q then Alt+S matches nothing",
                     true,
                     {{'Q', kC, ccWaitSecondKey}, {'S', kA, ccNoSecondKey}}},
        SequenceCase{"lone modifiers leave a sequence pending",
                     true,
                     {{'K', kC, ccWaitSecondKey},
                      {VK_SHIFT, kS, ccWaitSecondKey},
                      {VK_CONTROL, kC, ccWaitSecondKey},
                      {VK_MENU, kA, ccWaitSecondKey},
                      {VK_CAPITAL, 0, ccWaitSecondKey},
                      {VK_NUMLOCK, 0, ccWaitSecondKey},
                      {VK_SCROLL, 0, ccWaitSecondKey},
                      {'5', 0, ccSetMarker0 + 5}}},
        SequenceCase{"a lone modifier with nothing pending is typing",
                     true,
                     {{VK_SHIFT, kS, ccNoCommand}, {VK_CONTROL, kC, ccNoCommand}}},
        SequenceCase{"Ctrl+P makes the next key literal, whatever it is",
                     true,
                     {{'P', kC, ccCtrlChar},
                      {VK_SHIFT, kS, ccNoCommand},
                      {'Q', kC, ccNoCommand},
                      {'S', kC, ccLeft}}},
        SequenceCase{"a literal key ends the literal state after one key",
                     true,
                     {{'P', kC, ccCtrlChar}, {'P', kC, ccNoCommand}, {'P', kC, ccCtrlChar}}},
        SequenceCase{"WordStar wins over Default: Ctrl+X is Down, Ctrl+C next page",
                     true,
                     {{'X', kC, ccDown}, {'C', kC, ccNextPage}, {'V', kC, ccIns}}},
        SequenceCase{"Default still answers what WordStar lacks",
                     true,
                     {{VK_LEFT, 0, ccLeft}, {VK_INSERT, kS, ccPaste}}},
        SequenceCase{"in Default alone Ctrl+X is Cut",
                     false,
                     {{'X', kC, ccCut}, {'Q', kC, ccNoCommand}, {'S', 0, ccNoCommand}}},
        SequenceCase{"Ctrl+K then a digit sets a marker",
                     true,
                     {{'K', kC, ccWaitSecondKey}, {'0', kC, ccSetMarker0}}},
        SequenceCase{"an unknown second key ends the sequence",
                     true,
                     {{'K', kC, ccWaitSecondKey},
                      {'Z', 0, ccNoSecondKey},
                      {'0', 0, ccNoCommand}}}),
    [](const ::testing::TestParamInfo<SequenceCase>& info) {
      std::string name;
      for (const char* s = info.param.name; *s; ++s) {
        const char ch = *s;
        const bool word = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                          (ch >= '0' && ch <= '9');
        name += word ? ch : '_';
      }
      return name;
    });

TEST(CommandProcessor, StartsWithTheThreeBuiltInTables) {
  TNvcCommandProcessor p;
  ASSERT_EQ(p.Count(), 3);
  const struct {
    const char* name;
    bool active;
    int count;
  } expected[] = {{"Default", true, 64}, {"WordStar", false, 40}, {"Grid", false, 38}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(p.GetTable(i).TableName(), expected[i].name);
    EXPECT_EQ(p.GetTable(i).IsActive(), expected[i].active) << expected[i].name;
    EXPECT_EQ(p.GetTable(i).Count(), expected[i].count) << expected[i].name;
  }
  // No built-in table holds the same keys twice.
  for (int i = 0; i < 3; ++i) {
    const auto& t = p.GetTable(i);
    for (int j = 0; j < t.Count(); ++j) {
      EXPECT_EQ(t.IndexOf(t.GetEntry(j)), j) << t.TableName() << " entry " << j;
    }
  }
  EXPECT_EQ(p.GetTableByName("wordstar"), &p.GetTable(1));
  EXPECT_EQ(p.GetTableByName("Nothing"), nullptr);
}

TEST(CommandProcessor, TranslateKeyShiftTakesAShiftState) {
  TNvcCommandProcessor p;
  TShiftState ctrlShift;
  ctrlShift.Ctrl = true;
  ctrlShift.Shift = true;
  EXPECT_EQ(p.TranslateKeyShift(VK_END, ctrlShift), ccExtLastPage);
  TShiftState alt;
  alt.Alt = true;
  EXPECT_EQ(p.TranslateKeyShift(VK_BACK, alt), ccRestore);
  // Only the low byte of the key counts.
  EXPECT_EQ(p.TranslateKeyShift(0x100 | VK_HOME, {}), ccHome);
}

TEST(CommandProcessor, GridTableWhenActive) {
  TNvcCommandProcessor p;
  p.GetTable(0).SetIsActive(false);
  p.GetTable(2).SetIsActive(true);
  EXPECT_EQ(p.TranslateKey({VK_F2, 0, 0, false}), ccTableEdit);
  EXPECT_EQ(p.TranslateKey({VK_LEFT, kC, 0, false}), ccPageLeft);
  EXPECT_EQ(p.TranslateKey({'Z', kC, 0, false}), ccRestore);
  EXPECT_EQ(p.TranslateKey({VK_NEXT, kC | kS, 0, false}), ccExtBotOfPage);
}

TEST(CommandProcessor, AddCommandAppendsOrRaises) {
  TNvcCommandProcessor p;
  p.AddCommand("DEFAULT", 'K', kC, 'B', kShiftEither, 314);
  const auto& def = p.GetTable(0);
  ASSERT_EQ(def.Count(), 65);
  EXPECT_EQ(def.GetEntry(64), (TNvcCommandEntry{'K', kC, 'B', kShiftEither, 314}));
  EXPECT_EQ(p.TranslateKey({'K', kC, 0, false}), ccWaitSecondKey);
  EXPECT_EQ(p.TranslateKey({'B', kC, 0, false}), 314);

  // Same four key bytes, whatever the command: refused, table unchanged.
  EXPECT_THROW(p.AddCommand("Default", 'K', kC, 'B', kShiftEither, 999), EDuplicateCommand);
  EXPECT_THROW(p.AddCommand("Default", VK_LEFT, 0, 0, 0, ccRight), EDuplicateCommand);
  EXPECT_THROW(p.AddCommand("No such table", 'A', 0, 0, 0, 300), ETableNotFound);
  try {
    p.AddCommand("Default", VK_LEFT, 0, 0, 0, ccRight);
  } catch (const EDuplicateCommand& e) {
    EXPECT_STREQ(e.what(), "Duplicate command found while adding a new command to the table");
  }
  EXPECT_EQ(def.Count(), 65);
  EXPECT_EQ(def.GetEntry(64).Command, 314);
}

TEST(CommandProcessor, TableIndexOutOfRangeRaises) {
  TNvcCommandProcessor p;
  EXPECT_THROW(p.GetTable(3), ETableNotFound);
  EXPECT_THROW(p.GetTable(-1), ETableNotFound);
  auto& t = p.GetTable(0);
  EXPECT_THROW(t.GetEntry(64), ETableNotFound);
  EXPECT_THROW(t.Delete(-1), ETableNotFound);
  EXPECT_THROW(t.Replace(64, {}), ETableNotFound);
  EXPECT_THROW(t.Insert(65, {}), ETableNotFound);
  t.Insert(64, {'A', kA, 0, 0, 300});
  t.Insert(0, {'B', kA, 0, 0, 301});
  EXPECT_EQ(t.Count(), 66);
  EXPECT_EQ(t.GetEntry(0).Command, 301);
  EXPECT_EQ(t.GetEntry(65).Command, 300);
}

TEST(CommandProcessor, NewTablesGetUniqueNames) {
  const struct {
    std::vector<const char*> existing;  // added first, after the three built-in
    const char* added;
    const char* expected;
  } cases[] = {
      {{}, "Default", "Default1"},
      {{}, "default", "default1"},
      {{"Default1"}, "Default", "Default2"},
      {{"Table"}, "Table2", "Table2"},  // a free name is kept as it is
      {{"Table2"}, "Table2", "Table1"},
      {{"Table", "Table2", "Table1"}, "Table2", "Table3"},
      {{"7"}, "7", "71"},  // at least one character stays
      {{"77"}, "77", "71"},
      {{}, "Mine", "Mine"},
  };
  for (const auto& c : cases) {
    TNvcCommandProcessor p;
    for (const char* name : c.existing) p.CreateCommandTable(name, true);
    const int at = p.CreateCommandTable(c.added, false);
    EXPECT_EQ(p.GetTable(at).TableName(), c.expected) << c.added;
    EXPECT_FALSE(p.GetTable(at).IsActive());
    EXPECT_EQ(p.GetTable(at).Count(), 0);
    // Never two tables of one name.
    for (int i = 0; i < p.Count(); ++i) {
      for (int j = i + 1; j < p.Count(); ++j) {
        EXPECT_NE(p.GetTable(i).TableName(), p.GetTable(j).TableName()) << c.added;
      }
    }
  }
}

TEST(CommandProcessor, NewTableHasTheUnknownName) {
  TNvcCommandTable t;
  EXPECT_EQ(t.TableName(), "(Unknown)");
  EXPECT_TRUE(t.IsActive());
}

}  // namespace
}  // namespace nuvel
