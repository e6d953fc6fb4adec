#include "core/ini_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "core/settings.h"
#include "core/shared_state.h"
#include "core/start_up_checks.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

constexpr char kShippedIni[] = "[GENPREFS]\r\nKEY=shipped\r\n";

class IniLocation : public ::testing::Test {
 protected:
  test::TempProgramFolder temp;
  fs::path UserCopy() const { return UserIniFile("NuvelW"); }
};

// Whether the program folder can be written or not, a run reads the shipped
// settings once, then writes and reads only the user's copy.
TEST_F(IniLocation, SettingsAreTheUsersWhetherOrNotTheProgramFolderIsWritable) {
  for (const bool readOnlyFolder : {false, true}) {
    SCOPED_TRACE(readOnlyFolder ? "read-only program folder" : "writable program folder");
    fs::remove_all(temp.ConfigFolder() + "nuvel");
    temp.WriteFile("NuvelW.INI", kShippedIni);
    std::optional<test::ReadOnlyFolder> readOnly;
    if (readOnlyFolder) {
      readOnly.emplace(temp.Folder());
      if (!readOnly->Made()) GTEST_SKIP() << "the folder cannot be made read-only here";
    }
    // The shipped settings are read until the first write copies them.
    EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "shipped");
    EXPECT_FALSE(fs::exists(UserCopy()));
    WriteIniString("GENPREFS", "KEY", "mine");
    EXPECT_EQ(IniFileName(), UserCopy().string());
    WriteIniString("StartUp", "WindowState", "2");
    EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "mine");
    EXPECT_EQ(ReadIniString("StartUp", "WindowState"), "2");
    // The program folder's file stays as shipped, the only file there.
    EXPECT_EQ(temp.ReadFile("NuvelW.INI"), kShippedIni);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Folder()), fs::directory_iterator()), 1);
    EXPECT_EQ(test::ReadWholeFile(UserCopy()), "[GENPREFS]\r\nKEY=mine\r\n\r\n[StartUp]\r\nWindowState=2\r\n");
    EXPECT_EQ(StartUpProblemsMessage().find("settings folder"), std::string::npos);
  }
}

TEST_F(IniLocation, TheFactoryFileIsFoundWhateverItsCaseAndAnUpdatedOneIsReadUntilTheFirstWrite) {
  temp.WriteFile("nuvelw.ini", kShippedIni);
  EXPECT_EQ(ReadIniString("genprefs", "key"), "shipped");
  temp.WriteFile("nuvelw.ini", "[GENPREFS]\r\nKEY=updated\r\n");
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "updated");
  WriteIniString("GENPREFS", "OTHER", "mine");
  temp.WriteFile("nuvelw.ini", kShippedIni);
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "updated") << "the user's copy is read from then on";
  EXPECT_EQ(ReadIniString("GENPREFS", "OTHER"), "mine");
}

TEST_F(IniLocation, ProgramFolderWithoutIniStartsAnEmptyUserCopy) {
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "NotFound");
  WriteIniString("GENPREFS", "KEY", "mine");
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "mine");
  EXPECT_EQ(test::ReadWholeFile(UserCopy()), "[GENPREFS]\r\nKEY=mine\r\n");
  EXPECT_FALSE(fs::exists(temp.Path("NuvelW.INI")));
}

TEST_F(IniLocation, NeitherFolderWritableStillReadsTheShippedSettingsAndSaysSoOnce) {
  temp.WriteFile("NuvelW.INI", kShippedIni);
  test::ReadOnlyFolder programReadOnly(temp.Folder());
  test::ReadOnlyFolder settingsReadOnly(temp.ConfigFolder());
  if (!programReadOnly.Made() || !settingsReadOnly.Made()) GTEST_SKIP() << "the folders cannot be made read-only here";
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "shipped");
  EXPECT_NE(SettingsFolderError(), 0);
  const std::string message = StartUpProblemsMessage();
  EXPECT_NE(message.find("The settings folder"), std::string::npos) << message;
  EXPECT_NE(message.find(SettingsFolder()), std::string::npos) << message;
  EXPECT_NE(message.find("will not be kept"), std::string::npos) << message;
}

TEST_F(IniLocation, UserFoldersFollowTheDesktopsVariables) {
  EXPECT_EQ(SettingsFolder(), temp.ConfigFolder() + "nuvel/");
  EXPECT_EQ(UserDataFolder(), temp.DataHome() + "nuvel/");
}

// A user's file hides the factory file of the same name, whatever the case
// of either; without one the factory file is read.
TEST_F(IniLocation, AUsersFileComesBeforeTheFactoryFile) {
  const std::string user = UserDataFolder();
  fs::create_directories(user);
  temp.WriteFile("Didod.MCR", "factory");
  temp.WriteFile("DIDOD.key", "factory");
  std::ofstream(user + "didod.mcr", std::ios::binary) << "mine";
  struct Case {
    const char* name;
    std::string expected;
  };
  const Case cases[] = {
      {"Didod.MCR", user + "didod.mcr"},
      {"DIDOD.MCR", user + "didod.mcr"},
      {"DIDOD.KEY", temp.Folder() + "DIDOD.key"},
      {"none.rle", temp.Folder() + "none.rle"},
  };
  for (const Case& c : cases) EXPECT_EQ(UserFileOrFactory(user, temp.Folder(), c.name), c.expected) << c.name;
  EXPECT_EQ(UserThenFactoryFolders(temp.Folder()), (std::vector<std::string>{user, temp.Folder()}));
}

TEST_F(IniLocation, TheTextCollectionLiesInTheProgramFolderAndTheUsersDataFolder) {
  struct Case {
    std::string path;
    bool inCollection;
  };
  const Case cases[] = {
      {temp.Folder() + "Texts/Tanach/Bereishis.nvw", true},
      {temp.Folder() + "TEXTS/tanach/bereishis.nvw", true},
      {UserDataFolder() + "Texts/Bavli/Zeroim/GBrochos.nvw", true},
      {temp.Folder() + "Texts", false},
      {temp.Folder() + "TextsOld/a.nvw", false},
      {UserDataFolder() + "a.nvw", false},
      {temp.ConfigFolder() + "nuvel/Texts/a.nvw", false},
      {"/tmp/Texts/a.nvw", false},
  };
  for (const Case& c : cases) EXPECT_EQ(InTextCollection(c.path, temp.Folder()), c.inCollection) << c.path;
}

}  // namespace
}  // namespace nuvel
