#include "app/wordstar_commands.h"

#include <gtest/gtest.h>

#include "core/command_table_file.h"
#include "core/exceptions.h"
#include "core/main_window_command_tables.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// The main window's controller: its stored tables, then its own commands.
TEST(WordStarCommands, FinalDefaultTableMatchesTheFixture) {
  TNvcCommandProcessor processor;
  processor.LoadTables(MainWindowCommandTables());
  AddWordStarCommands(processor);
  const TNvcCommandTable* table = processor.GetTableByName("DEFAULT");
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(table->IsActive());
  EXPECT_EQ(CommandTableText(*table), test::ReadWholeFile(test::FixturePath("main_window/default_table.txt")));
}

TEST(WordStarCommands, KeysTranslateToTheirCommands) {
  TNvcCommandProcessor processor;
  processor.LoadTables(MainWindowCommandTables());
  AddWordStarCommands(processor);
  const platform::TShiftState ctrl{.Ctrl = true};
  const platform::TShiftState none{};
  const struct { char first; char second; bool secondCtrl; TNvcCommand command; } cases[] = {
      {'T', 0, false, ccDelWord},  {'Y', 0, false, ccDelLine},      {'U', 0, false, 320},
      {'Q', 'Y', false, ccDelEol}, {'Q', 'Y', true, ccDelEol},      {'Q', 'H', true, 307},
      {'K', 'G', false, 318},      {'K', '7', true, ccSetMarker0 + 7}, {'Q', '0', false, ccGotoMarker0},
      {'J', 'Y', true, ccUndo},
  };
  for (const auto& c : cases) {
    processor.ResetState();
    TNvcCommand got = processor.TranslateKeyShift(static_cast<uint8_t>(c.first), ctrl);
    if (c.second) {
      EXPECT_EQ(got, ccWaitSecondKey) << c.first;
      got = processor.TranslateKeyShift(static_cast<uint8_t>(c.second), c.secondCtrl ? ctrl : none);
    }
    EXPECT_EQ(got, c.command) << c.first << c.second;
  }
}

TEST(WordStarCommands, AddingTwiceIsTheProcessorsDuplicateError) {
  TNvcCommandProcessor processor;
  processor.LoadTables(MainWindowCommandTables());
  AddWordStarCommands(processor);
  EXPECT_THROW(AddWordStarCommands(processor), ENvcException);
}

}  // namespace
}  // namespace nuvel
