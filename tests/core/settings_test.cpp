#include "core/settings.h"

#include <gtest/gtest.h>

#include "core/shared_state.h"
#include "platform/registry_store.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// A temporary program folder with ProgPath pointing at it.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    ProgPath = temp_.Folder();
  }
  void TearDown() override { ProgPath = saved_; }
  test::TempProgramFolder temp_;
  std::string saved_;
};

TEST_F(SettingsTest, IniFileIsNuvelWIniInTheUsersSettingsFolder) {
  temp_.WriteFile("nuvelw.ini", "[StartUp]\r\nEng_Prompts=No\r\n");
  EXPECT_EQ(ReadIniString("startup", "ENG_PROMPTS"), "No");
  EXPECT_EQ(IniFileName(), temp_.ConfigFolder() + "nuvel/settings/NuvelW.INI");
}

TEST_F(SettingsTest, MissingFileOrKeyReadsNotFoundAndFirstWriteCreatesTheFile) {
  EXPECT_EQ(ReadIniString("GENPREFS", "ENG_FILE"), "NotFound");
  WriteIniString("GENPREFS", "ENG_FILE", "0");
  EXPECT_EQ(ReadIniString("GENPREFS", "ENG_FILE"), "0");
  EXPECT_EQ(ReadIniString("GENPREFS", "Other"), "NotFound");
  EXPECT_EQ(test::ReadWholeFile(IniFileName()), "[GENPREFS]\r\nENG_FILE=0\r\n");
}

TEST_F(SettingsTest, ValuesComeBackWholeNotCutAt98) {
  const std::string path = "/home/someone/" + std::string(120, 'p') + "/doc.nvw";
  WriteIniString("REOPEN", "File1", path);
  EXPECT_EQ(ReadIniString("REOPEN", "File1"), path);
}

TEST_F(SettingsTest, NullValueRemovesTheKey) {
  WriteIniString("REOPEN", "File1", "a");
  WriteIniString("REOPEN", "File1", std::nullopt);
  EXPECT_EQ(ReadIniString("REOPEN", "File1"), "NotFound");
}

TEST_F(SettingsTest, BooleansAreTrueOnlyForExactlyOne) {
  temp_.WriteFile("NuvelW.INI", "[G]\nOne=1\nZero=0\nSpace=1 x\nYes=yes\nTrue=True\nTwo=2\nEmpty=\n");
  struct {
    const char* key;
    bool expected;
  } cases[] = {{"One", true},   {"Zero", false}, {"Space", false}, {"Yes", false},
               {"True", false}, {"Two", false},  {"Empty", false}, {"Missing", false}};
  for (const auto& c : cases) EXPECT_EQ(ReadIniBool("G", c.key), c.expected) << c.key;
}

TEST_F(SettingsTest, RegistryStringsLiveUnderTheVersionKey) {
  EXPECT_EQ(ReadRegString("GENPREFS", "ChildState"), "NotFound");
  WriteRegString("GENPREFS", "ChildState", "2");
  EXPECT_EQ(ReadRegString("genprefs", "childstate"), "2");
  platform::RegistryStore store;
  EXPECT_EQ(store.ReadString("Software\\Marvek Ila\\NuvelText\\3.55\\GENPREFS", "ChildState"), "2");
  // An empty value reads as absent.
  WriteRegString("GENPREFS", "Empty", "");
  EXPECT_EQ(ReadRegString("GENPREFS", "Empty"), "NotFound");
}

TEST_F(SettingsTest, RegistryListRoundTripWithAShorterSecondList) {
  SaveRegStrings("History_Find", {"one", "two", "three", "four", "five"});
  SaveRegStrings("History_Find", {"alpha", "beta"});
  std::vector<std::string> list{"kept"};
  LoadRegStrings("History_Find", list);
  EXPECT_EQ(list, (std::vector<std::string>{"kept", "alpha", "beta"}));
  // The longer list's tail stays in the key, unread.
  EXPECT_EQ(ReadRegString("History_Find", "Count"), "2");
  EXPECT_EQ(ReadRegString("History_Find", "H4"), "five");
}

TEST_F(SettingsTest, RegistryListItemsKeepLongTexts) {
  const std::string long_item(400, 'z');
  SaveRegStrings("History_File", {long_item});
  std::vector<std::string> list;
  LoadRegStrings("History_File", list);
  EXPECT_EQ(list, std::vector<std::string>{long_item});
}

TEST_F(SettingsTest, BrokenRegistryListsLoadWhatIsSound) {
  struct {
    const char* count;
    std::vector<std::string> items;  // H0.. written as given; "" leaves a gap
    std::vector<std::string> expected;
  } cases[] = {
      {nullptr, {"a"}, {}},
      {"abc", {"a"}, {}},
      {"2x", {"a", "b"}, {}},
      {"-1", {"a"}, {}},
      {"3", {"a", "", "c"}, {"a"}},
      {"5", {"a", "b"}, {"a", "b"}},
  };
  for (const auto& c : cases) {
    platform::RegistryStore().DeleteKey(RegistryKeyOf("L"));
    {
      platform::RegistryStore store;
      if (c.count) store.WriteString(RegistryKeyOf("L"), "Count", c.count);
      for (size_t i = 0; i < c.items.size(); ++i) {
        if (!c.items[i].empty()) store.WriteString(RegistryKeyOf("L"), "H" + std::to_string(i), c.items[i]);
      }
    }
    std::vector<std::string> list;
    LoadRegStrings("L", list);
    EXPECT_EQ(list, c.expected) << (c.count ? c.count : "(no count)");
  }
}

TEST_F(SettingsTest, InitStartUpNamesFilesLoadsMacrosAndFillsTheDigitTable) {
  temp_.WriteFile("DIDOD.KEY", "m1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nten\r\n");
  DageshState = VowelSkip = true;
  ASSERT_TRUE(InitStartUpIn(temp_.Folder()));
  EXPECT_EQ(ProgPath, temp_.Folder());
  EXPECT_EQ(DataFileName, "DIDOD.drf");
  EXPECT_EQ(KeyFileName, "DIDOD.key");
  EXPECT_EQ(MacroKeys[1], "m1");
  EXPECT_EQ(MacroKeys[0], "ten");
  EXPECT_FALSE(DageshState);
  EXPECT_FALSE(VowelSkip);
  for (int c = 0; c < 256; ++c) {
    bool digit = (c >= '0' && c <= '9') || c == '.';
    EXPECT_EQ(DigitTable[static_cast<size_t>(c)], digit) << c;
  }
  // The first-run defaults never land in the program's own INI file.
  EXPECT_EQ(ReadIniString("GENPREFS", "WordWrap"), "NotFound");
}

TEST_F(SettingsTest, InitStartUpWithoutAProgramFolderSaysSoAndAsksToEnd) {
  test::RecordingMessageSink sink;
  EXPECT_FALSE(InitStartUpIn(""));
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].text, "Invalid Program Path");
  EXPECT_TRUE(sink.requests[0].plain);
}

}  // namespace
}  // namespace nuvel
