#include "platform/program_path.h"

#include "core/shared_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

TEST(ProgramPath, FolderOfTheRunningExecutableEndsWithSlash) {
  std::string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(platform::ProgramFile().rfind(folder, 0), 0u);
}

TEST(ProgramPath, TestFolderRedirectsProgramAndConfigFolders) {
  std::string before = platform::ProgramFolder();
  {
    test::TempProgramFolder temp;
    EXPECT_EQ(platform::ProgramFolder(), temp.Folder());
    EXPECT_EQ(platform::UserConfigFolder(), temp.ConfigFolder());
    EXPECT_EQ(platform::UserDataHome(), temp.DataHome());
    temp.WriteFile("a.txt", "x\r\ny");
    EXPECT_EQ(temp.ReadFile("a.txt"), "x\r\ny");
  }
  EXPECT_EQ(platform::ProgramFolder(), before);
}

// The user's folders follow the desktop's base directory variables, with
// their defaults under the home folder when a variable is unset or empty.
TEST(ProgramPath, UserFoldersFollowTheBaseDirectoryVariables) {
  struct Saved {
    const char* name;
    std::optional<std::string> value;
  };
  std::vector<Saved> saved;
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"}) {
    const char* value = std::getenv(name);
    saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
  }
  const struct {
    const char* config;
    const char* data;
    std::string expectedConfig, expectedData;
  } cases[] = {
      {"/x/conf", "/x/share/", "/x/conf/", "/x/share/"},
      {nullptr, nullptr, "/home/u/.config/", "/home/u/.local/share/"},
      {"", "", "/home/u/.config/", "/home/u/.local/share/"},
  };
  setenv("HOME", "/home/u", 1);
  for (const auto& c : cases) {
    for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", c.config}, std::pair{"XDG_DATA_HOME", c.data}}) {
      if (value) {
        setenv(name, value, 1);
      } else {
        unsetenv(name);
      }
    }
    EXPECT_EQ(platform::UserConfigFolder(), c.expectedConfig);
    EXPECT_EQ(platform::UserDataHome(), c.expectedData);
  }
  for (const Saved& s : saved) {
    if (s.value) {
      setenv(s.name, s.value->c_str(), 1);
    } else {
      unsetenv(s.name);
    }
  }
}

TEST(ProgramPath, TestFolderSetsAndRestoresProgPath) {
  ProgPath = "/before/";
  {
    test::TempProgramFolder temp;
    EXPECT_EQ(ProgPath, temp.Folder());
  }
  EXPECT_EQ(ProgPath, "/before/");
}

TEST(ProgramPath, DataFilesAreFoundWithoutRegardToCase) {
  test::TempProgramFolder temp;
  temp.WriteFile("didod.KEY", "x");
  EXPECT_EQ(platform::ProgramDataFile("DIDOD.key"), temp.Folder() + "didod.KEY");
  EXPECT_EQ(platform::ProgramDataFile("Missing.Drf"), temp.Folder() + "Missing.Drf");
  temp.WriteFile("DIDOD.key", "y");  // an exact match wins over a case-blind one
  EXPECT_EQ(platform::ProgramDataFile("DIDOD.key"), temp.Folder() + "DIDOD.key");
}

}  // namespace
}  // namespace nuvel
