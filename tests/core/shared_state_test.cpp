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
  EXPECT_EQ(ScrollLockMode, 0);
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
