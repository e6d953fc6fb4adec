#include "core/ini_location.h"

#include <gtest/gtest.h>

#include <filesystem>

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

TEST_F(IniLocation, WritableProgramFolderKeepsItsOwnIni) {
  temp.WriteFile("NuvelW.INI", kShippedIni);
  WriteIniString("GENPREFS", "KEY", "mine");
  EXPECT_EQ(IniFileName(), temp.Folder() + "NuvelW.INI");
  EXPECT_EQ(temp.ReadFile("NuvelW.INI"), "[GENPREFS]\r\nKEY=mine\r\n");
  EXPECT_FALSE(fs::exists(UserCopy()));
}

TEST_F(IniLocation, ReadOnlyProgramFolderKeepsTheIniInTheSettingsFolder) {
  temp.WriteFile("NuvelW.INI", kShippedIni);
  test::ReadOnlyFolder readOnly(temp.Folder());
  if (!readOnly.Made()) GTEST_SKIP() << "the folder cannot be made read-only here";
  // The first start copies the program folder's settings.
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "shipped");
  EXPECT_EQ(IniFileName(), UserCopy().string());
  WriteIniString("GENPREFS", "KEY", "mine");
  WriteIniString("StartUp", "WindowState", "2");
  // Read from there afterwards; the program folder's file is as shipped.
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "mine");
  EXPECT_EQ(ReadIniString("StartUp", "WindowState"), "2");
  EXPECT_EQ(temp.ReadFile("NuvelW.INI"), kShippedIni);
  EXPECT_EQ(test::ReadWholeFile(UserCopy()), "[GENPREFS]\r\nKEY=mine\r\n\r\n[StartUp]\r\nWindowState=2\r\n");
  EXPECT_EQ(StartUpProblemsMessage().find("settings folder"), std::string::npos);
}

TEST_F(IniLocation, ReadOnlyProgramFolderWithoutIniStartsAnEmptyUserCopy) {
  test::ReadOnlyFolder readOnly(temp.Folder());
  if (!readOnly.Made()) GTEST_SKIP() << "the folder cannot be made read-only here";
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "NotFound");
  WriteIniString("GENPREFS", "KEY", "mine");
  EXPECT_EQ(ReadIniString("GENPREFS", "KEY"), "mine");
  EXPECT_EQ(test::ReadWholeFile(UserCopy()), "[GENPREFS]\r\nKEY=mine\r\n");
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

}  // namespace
}  // namespace nuvel
