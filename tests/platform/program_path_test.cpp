#include "platform/program_path.h"

#include "core/shared_state.h"

#include <gtest/gtest.h>

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
    temp.WriteFile("a.txt", "x\r\ny");
    EXPECT_EQ(temp.ReadFile("a.txt"), "x\r\ny");
  }
  EXPECT_EQ(platform::ProgramFolder(), before);
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
