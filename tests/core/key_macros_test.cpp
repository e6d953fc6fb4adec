#include "core/key_macros.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/exceptions.h"
#include "core/ini_location.h"
#include "core/shared_state.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// A temporary program folder with ProgPath on it and a clean macro table.
class KeyMacros : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_path_ = ProgPath;
    saved_keys_ = MacroKeys;
    ProgPath = temp_.Folder();
    KeyFileName = "DIDOD.key";
    MacroKeys.fill("");
  }
  void TearDown() override {
    ProgPath = saved_path_;
    MacroKeys = saved_keys_;
  }
  std::string Lines(int from, int to, const std::string& prefix, const std::string& eol = "\r\n") {
    std::string out;
    for (int i = from; i <= to; ++i) out += prefix + std::to_string(i) + eol;
    return out;
  }
  test::TempProgramFolder temp_;
  std::string saved_path_;
  std::array<std::string, kMacroSlots> saved_keys_;
};

TEST_F(KeyMacros, ParsesLinesIntoSlotsAndNames) {
  struct {
    const char* what;
    std::string bytes;
    int slot;
    std::string macro;
  } cases[] = {
      {"first line", "one\r\ntwo\r\n", 1, "one"},
      {"second line", "one\r\ntwo\r\n", 2, "two"},
      {"empty line is an empty slot", "one\r\n\r\nthree\r\n", 2, ""},
      {"line after an empty one", "one\r\n\r\nthree\r\n", 3, "three"},
      {"LF line ends", "one\ntwo\nthree\n", 3, "three"},
      {"mixed line ends", "one\r\ntwo\nthree", 3, "three"},
      {"cut to 30", std::string(40, 'x') + "\r\nnext\r\n", 1, std::string(30, 'x')},
      {"line after a long one", std::string(40, 'x') + "\r\nnext\r\n", 2, "next"},
      {"Ctrl+Z padding ignored", "one\r\ntwo\x1A\x1A", 2, "two"},
      {"NUL padding ignored", std::string("one\r\ntwo\0\0", 10), 2, "two"},
      {"Hebrew bytes kept", "\xE0\xE1{\r\n", 1, "\xE0\xE1{"},
      {"slot past the data is empty", "one\r\n", 41, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseMacroFile(c.bytes).slots[static_cast<size_t>(c.slot)], c.macro) << c.what;
  }
  MacroFileContent full = ParseMacroFile(Lines(1, 41, "m") + Lines(1, 41, "name"));
  EXPECT_EQ(full.slots[41], "m41");
  EXPECT_EQ(full.names[1], "name1");
  EXPECT_EQ(full.names[41], "name41");
}

TEST_F(KeyMacros, TenLinesFillTenSlotsAndSlotZeroCopiesSlotTen) {
  MacroKeys[20] = "stale";
  temp_.WriteFile("DIDOD.key", Lines(1, 10, "macro"));
  LoadMacroKeys(temp_.Folder() + "DIDOD.key");
  EXPECT_EQ(MacroKeys[1], "macro1");
  EXPECT_EQ(MacroKeys[10], "macro10");
  EXPECT_EQ(MacroKeys[0], "macro10");
  for (int slot = 11; slot <= 41; ++slot) EXPECT_EQ(MacroKeys[static_cast<size_t>(slot)], "") << slot;
}

TEST_F(KeyMacros, MissingFileChangesNothing) {
  MacroKeys[3] = "kept";
  LoadMacroKeys(temp_.Folder() + "nothing.key");
  EXPECT_EQ(MacroKeys[3], "kept");
}

TEST_F(KeyMacros, WholeFileIsReadBeyondTheOldByteLimits) {
  // 41 macros of 30 characters and their names: well over 2000 bytes.
  std::string bytes;
  for (int i = 1; i <= 41; ++i) bytes += std::string(28, 'a') + (i < 10 ? "0" : "") + std::to_string(i) + "\r\n";
  bytes += Lines(1, 41, std::string(26, 'n'));
  ASSERT_GT(bytes.size(), 2000u);
  temp_.WriteFile("big.key", bytes);
  LoadMacroKeys(temp_.Folder() + "big.key");
  EXPECT_EQ(MacroKeys[41], std::string(28, 'a') + "41");
  MacroNames names;
  LoadMacroKeysForDialog(names, "big.key");
  EXPECT_EQ(names[41], std::string(26, 'n') + "41");
}

TEST_F(KeyMacros, DialogLoaderTakesNamesAndTheNameMarker) {
  std::string bytes = "abc&;Greeting\r\n" + Lines(2, 41, "m") + Lines(1, 41, "name");
  temp_.WriteFile("DIDOD.KEY", bytes);
  MacroKeys[1] = "untouched";
  MacroNames names;
  names[5] = "old";
  LoadMacroKeysForDialog(names, "DIDOD.key");  // relative to the program folder, any case
  EXPECT_EQ(names[1], "Greeting");
  EXPECT_EQ(names[2], "name2");
  EXPECT_EQ(names[5], "name5");
  EXPECT_EQ(MacroKeys[1], "untouched");
  LoadMacroKeys(temp_.Folder() + "DIDOD.KEY");
  EXPECT_EQ(MacroKeys[1], "abc&;Greeting");
}

TEST_F(KeyMacros, SaveAndLoadRoundTripByteForByte) {
  MacroNames names;
  for (int slot = 1; slot <= 41; ++slot) {
    MacroKeys[static_cast<size_t>(slot)] = slot % 7 == 0 ? "" : "k" + std::to_string(slot) + "{&1\xE0";
    names[static_cast<size_t>(slot)] = slot % 5 == 0 ? "" : "n" + std::to_string(slot);
  }
  MacroSaveDialog seen;
  ASSERT_TRUE(SaveMacroKeysAs(
      [&](const MacroSaveDialog& d) {
        seen = d;
        return std::optional<std::string>("saved.key");
      },
      names));
  EXPECT_EQ(seen.title, "Save DIDOD.key As");
  EXPECT_EQ(seen.filter, "Nuvel Macros|*.KEY");
  EXPECT_EQ(seen.file_name, "DIDOD.key");
  EXPECT_EQ(seen.initial_dir, UserDataFolder());

  // A relative name is saved in the user's data folder, never the program folder.
  const std::string first = test::ReadWholeFile(UserDataFolder() + "saved.key");
  EXPECT_FALSE(std::filesystem::exists(temp_.Path("saved.key")));
  EXPECT_EQ(first, FormatMacroFile(MacroKeys, names));
  EXPECT_EQ(first.substr(0, 8), "k1{&1\xE0\r\n");

  auto before = MacroKeys;
  MacroKeys.fill("");
  LoadMacroKeys(MacroFilePath("saved.key"));
  MacroNames loaded;
  LoadMacroKeysForDialog(loaded, "SAVED.key");
  for (int slot = 1; slot <= 41; ++slot) EXPECT_EQ(MacroKeys[static_cast<size_t>(slot)], before[static_cast<size_t>(slot)]);
  ASSERT_TRUE(SaveMacroKeysAs([](const MacroSaveDialog&) { return std::optional<std::string>("again.key"); }, loaded));
  EXPECT_EQ(test::ReadWholeFile(UserDataFolder() + "again.key"), first);
}

// A user's key file hides the program folder's of the same name.
TEST_F(KeyMacros, TheUsersKeyFileComesBeforeTheFactoryOne) {
  temp_.WriteFile("DIDOD.key", Lines(1, 41, "factory") + Lines(1, 41, "n"));
  EXPECT_EQ(MacroFilePath("DIDOD.key"), temp_.Folder() + "DIDOD.key");
  std::filesystem::create_directories(UserDataFolder());
  std::ofstream(UserDataFolder() + "didod.KEY", std::ios::binary) << Lines(1, 41, "mine") + Lines(1, 41, "n");
  EXPECT_EQ(MacroFilePath("DIDOD.key"), UserDataFolder() + "didod.KEY");
  EXPECT_EQ(MacroFilePath("/elsewhere/x.key"), "/elsewhere/x.key");
  LoadMacroKeys(MacroFilePath("DIDOD.key"));
  EXPECT_EQ(MacroKeys[1], "mine1");
}

TEST_F(KeyMacros, CancelledSaveWritesNothingAndFailedSaveRaises) {
  MacroNames names;
  EXPECT_FALSE(SaveMacroKeysAs([](const MacroSaveDialog&) { return std::optional<std::string>(); }, names));
  EXPECT_TRUE(std::filesystem::is_empty(temp_.Folder()));
  std::filesystem::create_directories(std::filesystem::path(UserDataFolder()) / "blocked.key" / "x");
  EXPECT_THROW(SaveMacroKeysAs([](const MacroSaveDialog&) { return std::optional<std::string>("blocked.key"); }, names),
               EInOutError);
}

TEST_F(KeyMacros, ReadsTheHandMadeFixture) {
  LoadMacroKeys(test::FixturePath("keymacros/sample.key").string());
  EXPECT_EQ(MacroKeys[1], "Dear Sir,{{");
  EXPECT_EQ(MacroKeys[2], "");
  EXPECT_EQ(MacroKeys[3], "Yours{&;Closing");
  EXPECT_EQ(MacroKeys[10], "ten");
  EXPECT_EQ(MacroKeys[0], "ten");
}

}  // namespace
}  // namespace nuvel
