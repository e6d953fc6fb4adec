#include "app/main_form_settings.h"

#include <gtest/gtest.h>

#include "app/startup_file.h"
#include "core/conv_mode.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/atomic_file.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class MainFormSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    ProgPath = temp_.Folder();
  }
  void TearDown() override { ProgPath = saved_; }
  // The user's settings, as a run reads them (a run may have written them already).
  void Ini(const std::string& text) { platform::WriteFileAtomically(IniFileName(), text); }
  test::TempProgramFolder temp_;
  std::string saved_;
};

TEST_F(MainFormSettingsTest, MissingValuesTakeTheirDefaults) {
  const MainFormSettings s = ReadMainFormSettings();
  EXPECT_EQ(s.Placement.Height, 500);
  EXPECT_EQ(s.Placement.Width, 640);
  EXPECT_FALSE(s.Placement.Left.has_value());
  EXPECT_EQ(s.ShowState, WindowShowState::Maximized);
  EXPECT_EQ(s.AutoSaveInt, 900);
  EXPECT_EQ(s.WrapColumn, 80);
  EXPECT_EQ(s.AutoMinInt, 7200);
  EXPECT_EQ(s.DiskFmt, 0);
  // Conversion is read after the mode 2 that the missing EditConfig stored.
  EXPECT_EQ(s.Conversion, 2);
  EXPECT_EQ(s.ChildState, 0);
  EXPECT_TRUE(s.ShowToolBar);
  EXPECT_TRUE(s.ShowFileTabs);
  EXPECT_FALSE(s.WordStarCommands);
  EXPECT_FALSE(s.EngFile);
  EXPECT_FALSE(s.KeyType.has_value());
  EXPECT_FALSE(s.EditConfig.has_value());
  EXPECT_TRUE(s.Reopen.empty());
  // A missing EditConfig stores conversion mode 2 and writes DISK_FMT "0".
  EXPECT_EQ(ReadIniString("GENPREFS", "DISK_FMT"), "0");
  EXPECT_EQ(ReadIniString("GENPREFS", "Conversion"), "2");
}

TEST_F(MainFormSettingsTest, ValuesAsWritten) {
  Ini("[StartUp]\nWindowPosition=400 700 10 20\nWindowState=0\nEng_Prompts=Hebrew\nLoadFont2=1\n"
      "[GENPREFS]\nMake_Backup=1\nAutoIndent=1\nWordStarCommands=1\nAutoSave=1\nAutoSaveInt=5\n"
      "Show_Tool_Bar=0\nShowTime=1\nRepWoDlg=1\nFullNuvel=1\nNuvelDlg=1\nEditConfig=3\nENG_FILE=1\n"
      "KEYTYPE=Nikud\nWordWrap=1\nWrapToWindow=1\nWrapColumn=72\nPersistent_Blocks=1\nDISK_FMT=2\n"
      "Conversion=4\n[REOPEN]\n0=/a/ONE.NVW\n2=/b/Two.txt\n");
  WriteRegString("GENPREFS", "Show_FileTabs", "0");
  WriteRegString("GENPREFS", "WinTabFullFl", "1");
  WriteRegString("GENPREFS", "ChildState", "2");
  WriteRegString("GENPREFS", "HebSheimProt", "1");
  WriteRegString("GENPREFS", "EngSheimProt", "1");
  WriteRegString("GENPREFS", "AutoMin", "1");
  WriteRegString("GENPREFS", "AutoMinInt", "30");
  const MainFormSettings s = ReadMainFormSettings();
  EXPECT_EQ(s.Placement.Height, 400);
  EXPECT_EQ(s.Placement.Width, 700);
  EXPECT_EQ(s.Placement.Left, 10);
  EXPECT_EQ(s.Placement.Top, 20);
  EXPECT_EQ(s.ShowState, WindowShowState::Normal);
  EXPECT_FALSE(s.EnglishUI);
  EXPECT_TRUE(s.LoadFont[1]);
  EXPECT_FALSE(s.LoadFont[0]);
  EXPECT_TRUE(s.MakeBackup && s.AutoIndent && s.WordStarCommands && s.AutoSave);
  EXPECT_EQ(s.AutoSaveInt, 300);
  EXPECT_FALSE(s.ShowToolBar);
  EXPECT_TRUE(s.ShowTime && s.RepWoDlg && s.FullNuvel && s.NuvelDlg);
  EXPECT_EQ(s.EditConfig, 3);
  EXPECT_TRUE(s.EngFile);
  EXPECT_EQ(s.KeyType, 'N');
  EXPECT_TRUE(s.WordWrap && s.WrapToWindow && s.PersistentBlocks);
  EXPECT_EQ(s.WrapColumn, 72);
  EXPECT_EQ(s.DiskFmt, 2);
  EXPECT_EQ(s.Conversion, 4);
  EXPECT_EQ(s.Reopen, (std::vector<std::string>{"/a/ONE.NVW", "/b/Two.txt"}));
  EXPECT_FALSE(s.ShowFileTabs);
  EXPECT_TRUE(s.WinTabFullPath);
  EXPECT_EQ(s.ChildState, 2);
  EXPECT_TRUE(s.HebSheimProt && s.EngSheimProt && s.AutoMin);
  EXPECT_EQ(s.AutoMinInt, 1800);
  // A present EditConfig leaves DISK_FMT as it was.
  EXPECT_EQ(ReadIniString("GENPREFS", "DISK_FMT"), "2");
}

TEST_F(MainFormSettingsTest, MalformedNumbersFallBackToTheirDefaults) {
  const struct { const char* section; const char* key; const char* value; } cases[] = {
      {"StartUp", "WindowPosition", "400 x 10 20"},
      {"GENPREFS", "AutoSaveInt", "five"},
      {"GENPREFS", "WrapColumn", "72a"},
      {"GENPREFS", "DISK_FMT", "1.5"},
      {"GENPREFS", "Conversion", ""},
  };
  for (const auto& c : cases) {
    Ini(std::string("[GENPREFS]\nEditConfig=0\n[") + c.section + "]\n" + c.key + "=" + c.value + "\n");
    const MainFormSettings s = ReadMainFormSettings();
    EXPECT_EQ(s.Placement.Height, 500) << c.key;
    EXPECT_EQ(s.Placement.Width, 640) << c.key;
    EXPECT_EQ(s.AutoSaveInt, 900) << c.key;
    EXPECT_EQ(s.WrapColumn, 80) << c.key;
    EXPECT_EQ(s.DiskFmt, 0) << c.key;
    EXPECT_EQ(s.Conversion, 0) << c.key;
  }
  WriteRegString("GENPREFS", "ChildState", "max");
  WriteRegString("GENPREFS", "AutoMinInt", "-");
  const MainFormSettings s = ReadMainFormSettings();
  EXPECT_EQ(s.ChildState, 0);
  EXPECT_EQ(s.AutoMinInt, 7200);
}

TEST_F(MainFormSettingsTest, WindowStates) {
  const struct { const char* value; WindowShowState state; } cases[] = {
      {"0", WindowShowState::Normal}, {"1", WindowShowState::Normal},
      {"2", WindowShowState::Maximized}, {"x", WindowShowState::Maximized},
  };
  for (const auto& c : cases) {
    Ini(std::string("[StartUp]\nWindowState=") + c.value + "\n");
    EXPECT_EQ(ReadMainFormSettings().ShowState, c.state) << c.value;
  }
}

TEST_F(MainFormSettingsTest, ProgramEditorConfigurationSkipsTheWrapSettings) {
  Ini("[GENPREFS]\nEditConfig=1\nWordWrap=1\nWrapToWindow=1\nWrapColumn=60\nPersistent_Blocks=1\n");
  const MainFormSettings s = ReadMainFormSettings();
  EXPECT_TRUE(s.NoConversion());
  EXPECT_FALSE(s.WordWrap || s.WrapToWindow || s.PersistentBlocks);
  EXPECT_EQ(s.WrapColumn, 80);
}

TEST_F(MainFormSettingsTest, UnknownEditConfigResetsDiskFormatAndConversionBeforeTheyAreRead) {
  Ini("[GENPREFS]\nEditConfig=9\nDISK_FMT=1\nConversion=5\n");
  const MainFormSettings s = ReadMainFormSettings();
  EXPECT_FALSE(s.EditConfig.has_value());
  EXPECT_EQ(s.DiskFmt, 0);
  EXPECT_EQ(s.Conversion, 2);
}

TEST_F(MainFormSettingsTest, WrapColumnReadsOnlyItsFirst254Characters) {
  Ini("[GENPREFS]\nEditConfig=0\nWrapColumn=" + std::string(253, '0') + "77\n");
  EXPECT_EQ(ReadMainFormSettings().WrapColumn, 7);
}

TEST(StartupFile, ArgumentsAndSwitches) {
  const struct { const char* argument; std::optional<std::string> result; } cases[] = {
      {"", std::nullopt},
      {"/p", std::nullopt},
      {"doc.nvw", "/work/Doc/doc.nvw"},
      {"Sub/../Letter.NVW", "/work/Doc/Letter.NVW"},
      {"/tmp/Some.Txt", "/tmp/Some.Txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(StartupFileArgument(c.argument, "/work/Doc"), c.result) << c.argument;
}

}  // namespace
}  // namespace nuvel
