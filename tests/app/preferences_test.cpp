#include "app/preferences.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/conv_mode.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class PreferencesTest : public ::testing::Test {
 protected:
  test::TempProgramFolder temp_;
};

// Where a setting is stored.
enum class Store { Ini, Reg };

struct KeyCase {
  const char* name;
  Store store;
  const char* section;
  const char* key;
  const char* value;  // nullptr: missing
  std::function<bool(const Preferences&)> holds;
};

TEST(PreferencesTableTest, EveryKeyMissingMalformedAndInRange) {
  const Preferences d;
  const KeyCase cases[] = {
      // numbers: missing, malformed, out of range, in range
      {"DISK_FMT missing", Store::Ini, "GENPREFS", "DISK_FMT", nullptr, [](auto& p) { return p.DiskFormat == 0; }},
      {"DISK_FMT in range", Store::Ini, "GENPREFS", "DISK_FMT", "5", [](auto& p) { return p.DiskFormat == 5; }},
      {"DISK_FMT out of range", Store::Ini, "GENPREFS", "DISK_FMT", "6", [](auto& p) { return p.DiskFormat == 0; }},
      {"DISK_FMT malformed", Store::Ini, "GENPREFS", "DISK_FMT", "2x", [](auto& p) { return p.DiskFormat == 0; }},
      {"EditConfig in range", Store::Ini, "GENPREFS", "EditConfig", "4", [](auto& p) { return p.EditConfig == 4; }},
      {"EditConfig out of range", Store::Ini, "GENPREFS", "EditConfig", "7", [](auto& p) { return p.EditConfig == 0; }},
      {"Conversion in range", Store::Ini, "GENPREFS", "Conversion", "9", [](auto& p) { return p.Conversion == 9; }},
      {"Conversion negative", Store::Ini, "GENPREFS", "Conversion", "-1", [](auto& p) { return p.Conversion == 0; }},
      {"WrapColumn missing", Store::Ini, "GENPREFS", "WrapColumn", nullptr, [](auto& p) { return p.WrapColumn == 80; }},
      {"WrapColumn in range", Store::Ini, "GENPREFS", "WrapColumn", " 65 ", [](auto& p) { return p.WrapColumn == 65; }},
      {"WrapColumn zero", Store::Ini, "GENPREFS", "WrapColumn", "0", [](auto& p) { return p.WrapColumn == 80; }},
      {"WrapColumn too wide", Store::Ini, "GENPREFS", "WrapColumn", "1025", [](auto& p) { return p.WrapColumn == 80; }},
      {"WrapColumn malformed", Store::Ini, "GENPREFS", "WrapColumn", "abc", [](auto& p) { return p.WrapColumn == 80; }},
      {"AutoSaveInt missing", Store::Ini, "GENPREFS", "AutoSaveInt", nullptr, [](auto& p) { return p.AutoSaveMinutes == 15; }},
      {"AutoSaveInt in range", Store::Ini, "GENPREFS", "AutoSaveInt", "60", [](auto& p) { return p.AutoSaveMinutes == 60; }},
      {"AutoSaveInt out of range", Store::Ini, "GENPREFS", "AutoSaveInt", "61", [](auto& p) { return p.AutoSaveMinutes == 15; }},
      {"AutoMinInt missing", Store::Reg, "GENPREFS", "AutoMinInt", nullptr, [](auto& p) { return p.AutoMinMinutes == 120; }},
      {"AutoMinInt in range", Store::Reg, "GENPREFS", "AutoMinInt", "5", [](auto& p) { return p.AutoMinMinutes == 5; }},
      {"AutoMinInt below", Store::Reg, "GENPREFS", "AutoMinInt", "4", [](auto& p) { return p.AutoMinMinutes == 120; }},
      {"AutoMinInt malformed", Store::Reg, "GENPREFS", "AutoMinInt", "1.5", [](auto& p) { return p.AutoMinMinutes == 120; }},
      // colours
      {"Scr_Color missing", Store::Ini, "GENPREFS", "Scr_Color", nullptr, [](auto& p) { return p.ScreenColor == clWindow; }},
      {"Scr_Color fixed", Store::Ini, "GENPREFS", "Scr_Color", "32896", [](auto& p) { return p.ScreenColor == clOlive; }},
      {"Scr_Color malformed", Store::Ini, "GENPREFS", "Scr_Color", "olive", [](auto& p) { return p.ScreenColor == clWindow; }},
      {"FontN_Color fixed", Store::Ini, "GENPREFS", "FontN_Color", "65535", [](auto& p) { return p.TextColor == clYellow; }},
      {"FontN_Color out of range", Store::Ini, "GENPREFS", "FontN_Color", "-5", [](auto& p) { return p.TextColor == clWindowText; }},
      {"ScrH_Color system", Store::Ini, "GENPREFS", "ScrH_Color", "-2147483643", [](auto& p) { return p.SelectionColor == clWindow; }},
      {"FontH_Color missing", Store::Ini, "GENPREFS", "FontH_Color", nullptr, [](auto& p) { return p.SelectionTextColor == clHighlightText; }},
      // check boxes: only "1" is on; the shown-unless-"0" ones are on otherwise
      {"Smart_Load on", Store::Ini, "GENPREFS", "Smart_Load", "1", [](auto& p) { return p.SmartLoad; }},
      {"Smart_Load other", Store::Ini, "GENPREFS", "Smart_Load", "yes", [](auto& p) { return !p.SmartLoad; }},
      {"Use_Tabs on", Store::Ini, "GENPREFS", "Use_Tabs", "1", [](auto& p) { return p.UseTabs; }},
      {"CtrlNums on", Store::Ini, "GENPREFS", "CtrlNums", "1", [](auto& p) { return p.CtrlNums; }},
      {"Find_Cursor_Word on", Store::Ini, "GENPREFS", "Find_Cursor_Word", "1", [](auto& p) { return p.FindCursorWord; }},
      {"WordWrap on", Store::Ini, "GENPREFS", "WordWrap", "1", [](auto& p) { return p.WordWrap; }},
      {"WrapToWindow on", Store::Ini, "GENPREFS", "WrapToWindow", "1", [](auto& p) { return p.WrapToWindow; }},
      {"ENG_FILE on", Store::Ini, "GENPREFS", "ENG_FILE", "1", [](auto& p) { return p.EnglishDocument; }},
      {"Show_Tool_Bar off", Store::Ini, "GENPREFS", "Show_Tool_Bar", "0", [](auto& p) { return !p.ShowToolBar; }},
      {"Show_Tool_Bar other", Store::Ini, "GENPREFS", "Show_Tool_Bar", "x", [](auto& p) { return p.ShowToolBar; }},
      {"Tool_Bar_Wrap off", Store::Ini, "GENPREFS", "Tool_Bar_Wrap", "0", [](auto& p) { return !p.ToolBarWrap; }},
      {"Show_FileTabs off", Store::Reg, "GENPREFS", "Show_FileTabs", "0", [](auto& p) { return !p.ShowFileTabs; }},
      {"WinTabFullFl on", Store::Reg, "GENPREFS", "WinTabFullFl", "1", [](auto& p) { return p.WinTabFullPath; }},
      {"HebSheimProt on", Store::Reg, "GENPREFS", "HebSheimProt", "1", [](auto& p) { return p.HebSheimProt; }},
      {"EngSheimProt on", Store::Reg, "GENPREFS", "EngSheimProt", "1", [](auto& p) { return p.EngSheimProt; }},
      {"AutoMin on", Store::Reg, "GENPREFS", "AutoMin", "1", [](auto& p) { return p.AutoMin; }},
      // texts
      {"Default_Style missing", Store::Ini, "S3B2", "Default_Style", nullptr, [](auto& p) { return p.Default3B2Style == "<body>"; }},
      {"Default_Style set", Store::Ini, "S3B2", "Default_Style", "<p>", [](auto& p) { return p.Default3B2Style == "<p>"; }},
      {"MainHebDic missing", Store::Ini, "SPELL", "MainHebDic", nullptr, [](auto& p) { return p.MainHebDic == "NUVHSPH.DIC"; }},
      {"TempEngDic set", Store::Ini, "SPELL", "TempEngDic", "my.tmp", [](auto& p) { return p.TempEngDic == "my.tmp"; }},
      {"UserHead set", Store::Reg, "RtfInf", "UserHead", "{\\rtf1", [](auto& p) { return p.RtfUserHead == "{\\rtf1"; }},
      {"FlFont set", Store::Reg, "GENPREFS", "FlFont", "Arial~10~1", [](auto& p) { return p.FileManagerFont == "Arial~10~1"; }},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempProgramFolder folder;
    if (c.value) {
      if (c.store == Store::Ini)
        WriteIniString(c.section, c.key, c.value);
      else
        WriteRegString(c.section, c.key, c.value);
    }
    const Preferences p = ReadPreferences();
    EXPECT_TRUE(c.holds(p));
  }
}

TEST_F(PreferencesTest, NothingStoredReadsAsTheDefaults) { EXPECT_EQ(ReadPreferences(), Preferences()); }

TEST_F(PreferencesTest, WrittenSettingsReadBack) {
  Preferences p;
  p.EnglishDocument = true;
  p.EditConfig = 2;
  p.Default3B2Style = "<para>";
  p.DiskFormat = 1;
  p.SmartLoad = true;
  p.Conversion = 4;
  p.ScreenColor = clNavy;
  p.TextColor = clYellow;
  p.SelectionColor = clPurple;
  p.SelectionTextColor = clAqua;
  p.ShowToolBar = false;
  p.ToolBarWrap = false;
  p.ShowTime = true;
  p.ShowFileTabs = false;
  p.WinTabFullPath = true;
  p.CtrlNums = true;
  p.FileManagerFont = "DejaVu Sans~9~0";
  p.WordWrap = p.WrapToWindow = p.FindCursorWord = p.RepWoDlg = p.AutoSave = true;
  p.WrapColumn = 66;
  p.AutoSaveMinutes = 5;
  p.UseTabs = p.MakeBackup = p.AutoIndent = p.FullNuvel = p.NuvelDlg = p.WordStarCommands = true;
  p.RtfUserHead = "{\\rtf1\\ansi";
  p.HebSheimProt = p.EngSheimProt = p.AutoMin = true;
  p.AutoMinMinutes = 30;
  p.MainEngDic = "E.DIC";
  p.MainHebDic = "H.DIC";
  p.TempEngDic = "e.tmp";
  p.TempHebDic = "h.tmp";
  WritePreferences(p);
  EXPECT_EQ(ReadPreferences(), p);
  // Minutes as typed, the character table made current, colours as numbers.
  EXPECT_EQ(ReadIniString("GENPREFS", "AutoSaveInt"), "5");
  EXPECT_EQ(ReadRegString("GENPREFS", "AutoMinInt"), "30");
  EXPECT_EQ(GetConvMode(), 4);
  EXPECT_EQ(ReadIniString("GENPREFS", "Scr_Color"), "8388608");
  WritePreferences(Preferences());
  EXPECT_EQ(ReadIniString("GENPREFS", "Scr_Color"), "-2147483643");
  EXPECT_EQ(ReadIniString("GENPREFS", "WordWrap"), "0");
}

TEST_F(PreferencesTest, TypedNumbersAreTakenAllOrNone) {
  const struct {
    const char* name;
    TypedPreferenceNumbers typed;
    std::optional<PreferenceField> wrong;
  } cases[] = {
      {"all good", {"72", "5", "30"}, std::nullopt},
      {"blanks around", {" 72 ", "5", "30"}, std::nullopt},
      {"wrap column a word", {"abc", "5", "30"}, PreferenceField::WrapColumn},
      {"wrap column empty", {"", "5", "30"}, PreferenceField::WrapColumn},
      {"wrap column zero", {"0", "5", "30"}, PreferenceField::WrapColumn},
      {"wrap column too wide", {"5000", "5", "30"}, PreferenceField::WrapColumn},
      {"autosave out of range", {"72", "61", "30"}, PreferenceField::AutoSaveMinutes},
      {"minimize below range", {"72", "5", "4"}, PreferenceField::AutoMinMinutes},
      {"first wrong field named", {"x", "0", "0"}, PreferenceField::WrapColumn},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Preferences p;
    const Preferences before = p;
    const auto error = TakeTypedNumbers(c.typed, p);
    if (c.wrong) {
      ASSERT_TRUE(error.has_value());
      EXPECT_EQ(error->Field, *c.wrong);
      EXPECT_EQ(p, before);
    } else {
      EXPECT_FALSE(error.has_value());
      EXPECT_EQ(p.WrapColumn, 72);
      EXPECT_EQ(p.AutoSaveMinutes, 5);
      EXPECT_EQ(p.AutoMinMinutes, 30);
    }
  }
  Preferences p;
  const auto error = TakeTypedNumbers({"72", "abc", "30"}, p);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Component, "AutoSaveInt1");
  EXPECT_EQ(error->Low, 1);
  EXPECT_EQ(error->High, 60);
}

TEST_F(PreferencesTest, EditConfigurationsEnableAndSet) {
  const struct {
    int config;
    bool disk, conversion, style;
    std::optional<int> setDisk, setConversion;
  } chosen[] = {
      {0, false, false, false, 0, 2}, {1, false, false, false, {}, {}}, {2, true, true, false, {}, {}},
      {3, false, true, false, {}, 4}, {4, false, false, true, {}, {}},  {5, false, true, false, {}, {}},
  };
  for (const auto& c : chosen) {
    SCOPED_TRACE(c.config);
    const EditConfigControls e = EditConfigChosen(c.config);
    EXPECT_EQ(e.DiskFormatEnabled, c.disk);
    EXPECT_EQ(e.ConversionEnabled, c.conversion);
    EXPECT_EQ(e.StyleEnabled, c.style);
    EXPECT_EQ(e.SetDiskFormat, c.setDisk);
    EXPECT_EQ(e.SetConversion, c.setConversion);
  }
  // Shown: Default leaves both free and sets nothing.
  EXPECT_TRUE(EditConfigShown(0).DiskFormatEnabled);
  EXPECT_TRUE(EditConfigShown(0).ConversionEnabled);
  EXPECT_FALSE(EditConfigShown(0).SetConversion);
  EXPECT_TRUE(EditConfigShown(4).StyleEnabled);
  EXPECT_FALSE(EditConfigShown(3).DiskFormatEnabled);
}

TEST_F(PreferencesTest, TableAndFormatFollowEachOther) {
  EXPECT_EQ(DiskFormatForConversion(5), 3);
  EXPECT_EQ(DiskFormatForConversion(6), 4);
  EXPECT_EQ(DiskFormatForConversion(7), 5);
  EXPECT_FALSE(DiskFormatForConversion(4));
  EXPECT_FALSE(DiskFormatForConversion(8));
  EXPECT_EQ(ConversionForDiskFormat(3), 5);
  EXPECT_EQ(ConversionForDiskFormat(5), 7);
  EXPECT_FALSE(ConversionForDiskFormat(2));
}

}  // namespace
}  // namespace nuvel
