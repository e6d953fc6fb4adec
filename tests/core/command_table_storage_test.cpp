// The two ways command tables are kept: as differences from the built-in
// tables with a form, and as text files of one table.
#include <gtest/gtest.h>

#include "core/exceptions.h"

#include <filesystem>
#include <span>
#include <string>

#include "core/builtin_command_tables.h"
#include "core/command_processor.h"
#include "core/main_window_command_tables.h"
#include "platform/virtual_keys.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using namespace platform;

constexpr uint8_t kC = kShiftBitCtrl;

std::vector<TNvcCommandEntry> EntriesOf(std::span<const TNvcCommandEntry> s) {
  return {s.begin(), s.end()};
}

TEST(CommandTableStorage, UnchangedBuiltInTablesStoreNothing) {
  TNvcCommandProcessor p;
  const auto stored = p.StoreTables();
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0], (TNvcStoredTable{"Default", true, {}}));
  EXPECT_EQ(stored[1], (TNvcStoredTable{"WordStar", false, {}}));
  EXPECT_EQ(stored[2], (TNvcStoredTable{"Grid", false, {}}));

  TNvcCommandProcessor q;
  q.LoadTables({{"Default", true, {}}});
  ASSERT_EQ(q.Count(), 1);  // a list without "Grid" leaves none
  EXPECT_EQ(q.GetTable(0).Entries(), EntriesOf(DefaultTableEntries()));
}

TEST(CommandTableStorage, ChangesRoundTripAsDifferences) {
  TNvcCommandProcessor p;
  auto& def = p.GetTable(0);
  def.Delete(def.IndexOf({VK_INSERT, 0, 0, 0, 0}));               // removed
  def.Replace(def.IndexOf({'X', kC, 0, 0, 0}), {'X', kC, 0, 0, 300});  // changed
  def.Add({'K', kC, 'B', kShiftEither, 314});                      // added
  p.GetTable(1).SetIsActive(true);
  const int mine = p.CreateCommandTable("Mine", false);
  p.GetTable(mine).Add({VK_F2, 0, 0, 0, ccTableEdit});
  p.GetTable(mine).Add({VK_LEFT, 0, 0, 0, ccLeft});

  const auto stored = p.StoreTables();
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(stored[0].Pairs,
            (std::vector<TNvcStoredPair>{
                {TNvcCommandEntry{VK_INSERT, 0, 0, 0, 0}.PackedKeys(), 0},
                {TNvcCommandEntry{'X', kC, 0, 0, 0}.PackedKeys(), 300},
                {TNvcCommandEntry{'K', kC, 'B', kShiftEither, 0}.PackedKeys(), 314}}));
  EXPECT_TRUE(stored[1].IsActive);
  EXPECT_TRUE(stored[1].Pairs.empty());
  EXPECT_EQ(stored[3].Pairs.size(), 2u);  // other tables store every entry

  TNvcCommandProcessor q;
  q.LoadTables(stored);
  ASSERT_EQ(q.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(q.GetTable(i).TableName(), p.GetTable(i).TableName());
    EXPECT_EQ(q.GetTable(i).IsActive(), p.GetTable(i).IsActive());
    EXPECT_EQ(q.GetTable(i).Entries(), p.GetTable(i).Entries()) << p.GetTable(i).TableName();
  }
  // Storing the loaded tables again gives the same differences.
  EXPECT_EQ(q.StoreTables(), stored);
}

TEST(CommandTableStorage, PackedKeysPutKey1Lowest) {
  const TNvcCommandEntry e{0x11, 0x22, 0x33, 0x44, 5};
  EXPECT_EQ(e.PackedKeys(), 0x44332211u);
  EXPECT_EQ(TNvcCommandEntry::FromPacked(0x44332211u, 5), e);
}

TEST(CommandTableStorage, MainWindowTables) {
  TNvcCommandProcessor p;
  p.LoadTables(MainWindowCommandTables());
  ASSERT_EQ(p.Count(), 2);
  const auto& ws = p.GetTable(0);
  const auto& def = p.GetTable(1);
  EXPECT_EQ(ws.TableName(), "WordStar");
  EXPECT_TRUE(ws.IsActive());
  EXPECT_EQ(def.TableName(), "Default");
  EXPECT_TRUE(def.IsActive());
  EXPECT_EQ(ws.Count(), 40 + 24);
  EXPECT_EQ(def.Count(), 64 - 20 + 1);
  EXPECT_EQ(def.GetEntry(def.Count() - 1), (TNvcCommandEntry{VK_DELETE, kC, 0, 0, ccDelWord}));

  const struct {
    std::vector<std::pair<uint8_t, uint8_t>> keys;
    TNvcCommand answer;
  } cases[] = {
      {{{'X', kC}}, ccDown},
      {{{'C', kC}}, ccNextPage},
      {{{'5', kC}}, ccNoCommand},  // the markers of Ctrl+digit are gone
      {{{VK_DELETE, kC}}, ccDelWord},
      {{{'J', kC}, {'U', 0}}, 312},
      {{{'J', kC}, {'U', kC}}, 312},
      {{{'K', kC}, {'B', 0}}, 314},
      {{{'K', kC}, {'Y', kC}}, 317},
      {{{'Q', kC}, {'F', 0}}, 266},
      {{{'Q', kC}, {'S', 0}}, ccHome},
      {{{'Q', kC}, {'5', 0}}, ccGotoMarker0 + 5},
      {{{'L', kC}}, 308},
      {{{'B', kC}}, 321},
  };
  for (const auto& c : cases) {
    p.ResetState();
    TNvcCommand last = ccNone;
    for (const auto& [key, shift] : c.keys) last = p.TranslateKey({key, shift, 0, false});
    EXPECT_EQ(last, c.answer) << "first key " << int(c.keys[0].first);
  }
}

TEST(CommandTableFile, SaveWritesAlignedColumnsAndLoadReadsThemBack) {
  test::TempProgramFolder folder;
  const std::string file = folder.Path("grid.tbl").string();
  TNvcCommandProcessor p;
  p.GetTable(2).Add({'K', kC, 'B', kShiftEither, 314});
  p.SaveCommandTable("grid", file);

  const std::string text = test::ReadWholeFile(file);
  EXPECT_EQ(text.substr(0, 6 + 24 * 2),
            "Grid\r\n"
            "  37   0   0   0    46\r\n"
            "  39   0   0   0    55\r\n");
  EXPECT_NE(text.find("  75   4  66 128   314\r\n"), std::string::npos);

  p.LoadCommandTable(file);
  ASSERT_EQ(p.Count(), 4);
  const auto& loaded = p.GetTable(3);
  EXPECT_EQ(loaded.TableName(), "Grid1");
  EXPECT_TRUE(loaded.IsActive());
  EXPECT_EQ(loaded.Entries(), p.GetTable(2).Entries());
}

TEST(CommandTableFile, SavingAnUnknownTableWritesNothing) {
  test::TempProgramFolder folder;
  TNvcCommandProcessor p;
  p.SaveCommandTable("Nothing", folder.Path("x.tbl").string());
  EXPECT_FALSE(std::filesystem::exists(folder.Path("x.tbl")));
}

TEST(CommandTableFile, AFailedSaveRaisesAndKeepsTheOldFile) {
  test::TempProgramFolder folder;
  folder.WriteFile("plain", "not a folder");
  TNvcCommandProcessor p;
  EXPECT_THROW(p.SaveCommandTable("Default", folder.Path("plain/x.tbl").string()), EInOutError);
  EXPECT_EQ(folder.ReadFile("plain"), "not a folder");
}

TEST(CommandTableFile, LoadTakesLfLinesAndLooseSpacing) {
  test::TempProgramFolder folder;
  folder.WriteFile("mine.tbl", "Mine\n 112 0 0 0 69\n\n113\t4 0 0\n 300\n");
  TNvcCommandProcessor p;
  p.LoadCommandTable(folder.Path("mine.tbl").string());
  ASSERT_EQ(p.Count(), 4);
  EXPECT_EQ(p.GetTable(3).TableName(), "Mine");
  EXPECT_EQ(p.GetTable(3).Entries(), (std::vector<TNvcCommandEntry>{{112, 0, 0, 0, 69},
                                                                     {113, 4, 0, 0, 300}}));
}

TEST(CommandTableFile, BadFilesRaiseAndAddNothing) {
  test::TempProgramFolder folder;
  const struct {
    const char* name;
    const char* text;
  } cases[] = {
      {"letters", "T\n 1 2 3 4 x\n"},
      {"short last line", "T\n 1 2 3 4 5\n 1 2\n"},
      {"byte out of range", "T\n 256 0 0 0 5\n"},
      {"command out of range", "T\n 1 0 0 0 65536\n"},
      {"negative", "T\n -1 0 0 0 5\n"},
  };
  for (const auto& c : cases) {
    folder.WriteFile("bad.tbl", c.text);
    TNvcCommandProcessor p;
    EXPECT_THROW(p.LoadCommandTable(folder.Path("bad.tbl").string()), EInOutError) << c.name;
    EXPECT_EQ(p.Count(), 3) << c.name;
  }
  TNvcCommandProcessor p;
  EXPECT_THROW(p.LoadCommandTable(folder.Path("missing.tbl").string()), EInOutError);
  EXPECT_EQ(p.Count(), 3);
}

}  // namespace
}  // namespace nuvel
