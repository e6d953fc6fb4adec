#include "core/shared_state.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/registry_store.h"
#include "platform/system_locale.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

TEST(SharedState, StartValues) {
  test::TempProgramFolder temp;
  InitSharedState();
  EXPECT_TRUE(NikudOverstrike);
  EXPECT_TRUE(NewWindows);
  EXPECT_FALSE(MidEastSystem);
  EXPECT_EQ(ScrollLockMode, 0);
  EXPECT_EQ(WorkBuffer.size(), 32768u);
  EXPECT_EQ(IniBaseName, "NuvelW");
  EXPECT_EQ(ProgPath, temp.Folder());
  EXPECT_FALSE(NoConversion || NuvDosConfig || ForceCP1255 || TagConfig || Config6);
}

TEST(SharedState, EnglishPromptsUnlessTheIniSaysExactlyNo) {
  struct {
    const char* ini;
    bool expected;
  } cases[] = {{nullptr, true},
               {"[StartUp]\r\nEng_Prompts=No\r\n", false},
               {"[StartUp]\r\nEng_Prompts=no\r\n", true},
               {"[StartUp]\r\nEng_Prompts=Hebrew\r\n", true},
               {"[StartUp]\r\nEng_Prompts=Yes\r\n", true}};
  for (const auto& c : cases) {
    test::TempProgramFolder temp;
    if (c.ini) temp.WriteFile("NuvelW.INI", c.ini);
    InitSharedState();
    EXPECT_EQ(EngPrompts, c.expected) << (c.ini ? c.ini : "(no INI file)");
  }
  EngPrompts = true;
}

TEST(SharedState, WindowsFactsByVersion) {
  struct {
    const char* system;
    uint16_t version;
    int metric;
    bool raw_text_out;
    bool new_windows;
    bool mid_east;
  } cases[] = {
      {"Windows 95", 0x400, 0, false, true, false},
      {"Windows NT 4 with the metric", 0x400, 1, true, true, false},
      {"NT 3.51 Middle-East with RawExtTextOut", 0x333, 1, true, false, true},
      {"NT 3.51 Middle-East without RawExtTextOut", 0x333, 1, false, false, false},
      {"NT 3.51 without Middle-East support", 0x333, 0, true, false, false},
      {"3.1 Middle-East with it", 0x30A, 1, true, false, true},
      {"3.95 exactly", 0x35F, 0, false, true, false},
  };
  for (const auto& c : cases) {
    WindowsFacts f = DetectWindowsFacts(c.version, c.metric, c.raw_text_out);
    EXPECT_EQ(f.new_windows, c.new_windows) << c.system;
    EXPECT_EQ(f.mid_east_system, c.mid_east) << c.system;
  }
}

TEST(SharedState, HebrewLocaleFromThePosixLocale) {
  struct {
    const char* posix;
    const char* id;
    bool hebrew;
  } cases[] = {{"he_IL.UTF-8", "0000040D", true}, {"he_IL", "0000040D", true},  {"iw_IL.ISO-8859-8", "0000040D", true},
               {"en_US.UTF-8", "00000409", false}, {"en_GB", "00000809", false}, {"C", "", false},
               {"", "", false},                    {"xx_YY", "", false}};
  for (const auto& c : cases) {
    test::TempProgramFolder temp;
    EXPECT_EQ(platform::LocaleIdFromPosix(c.posix), c.id) << c.posix;
    platform::FillSystemLocaleValues(c.posix);
    EXPECT_EQ(IsHebrewLocale(), c.hebrew) << c.posix;
    platform::RegistryStore store;
    EXPECT_EQ(store.ReadString("Control Panel\\International", "Locale"), c.id);
    EXPECT_EQ(store.ReadString("Control Panel\\desktop\\ResourceLocale", ""), c.id);
  }
}

TEST(SharedState, OnlyTheExactUpperCaseLocaleNumberIsHebrew) {
  test::TempProgramFolder temp;
  platform::RegistryStore store;
  store.SetRoot(platform::RegistryRoot::Users);
  store.WriteString(".DEFAULT\\Control Panel\\International", "Locale", "0000040d");
  store.Flush();
  EXPECT_FALSE(IsHebrewLocale());
}

TEST(SharedState, ProgramFontsAreRemovedInTheOrderOneTwoFourThree) {
  test::TempProgramFolder temp;
  ProgPath = temp.Folder();
  temp.WriteFile("NuvelW.INI", "[StartUp]\nLoadFont1=1\nLoadFont2=0\nLoadFont3=1\nLoadFont4=1\n");
  temp.WriteFile("scr_nuvc.ttf", "");
  std::vector<std::string> removed;
  ExitSharedState([&](const std::string& f) { removed.push_back(f); });
  EXPECT_EQ(removed, (std::vector<std::string>{temp.Folder() + "NuvDosBt.FON", temp.Folder() + "scr_nuvc.ttf",
                                               temp.Folder() + "Scr_NuvF.TTF"}));
}

}  // namespace
}  // namespace nuvel
