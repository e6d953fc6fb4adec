#include "platform/program_path.h"

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

}  // namespace
}  // namespace nuvel
