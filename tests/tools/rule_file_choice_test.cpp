// The rule files Super Find offers and what its dialog's answer asks for.
#include "tools/rule_file_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/settings.h"
#include "core/shared_state.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel::tools {
namespace {

namespace fs = std::filesystem;

class RuleFileChoiceTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = nuvel::RuleFileName;
    fs::create_directories(user);
  }
  void TearDown() override { nuvel::RuleFileName = saved_; }
  static void Touch(const fs::path& p) { std::ofstream(p) << "a=b\r\n"; }

  test::TempProgramFolder folder;
  std::string user = folder.ConfigFolder() + "rules/";
  std::string saved_;
};

TEST_F(RuleFileChoiceTest, ListsRuleFilesOfBothFoldersInAnyCase) {
  Touch(fs::path(user) / "mine.RLE");
  Touch(fs::path(user) / "Shared.rle");
  Touch(fs::path(user) / "notes.txt");
  Touch(folder.Path("DIDOD.Rle"));
  Touch(folder.Path("shared.RLE"));  // the user's own copy is the one listed
  Touch(folder.Path("x.rlex"));
  fs::create_directories(folder.Path("folder.rle"));
  const std::vector<TRuleFileEntry> files = ListRuleFiles({user, folder.Folder()});
  const std::vector<TRuleFileEntry> expected = {
      {"Shared.rle", user + "Shared.rle"}, {"mine.RLE", user + "mine.RLE"}, {"DIDOD.Rle", folder.Folder() + "DIDOD.Rle"}};
  EXPECT_EQ(files, expected);
}

TEST_F(RuleFileChoiceTest, BaseNamesAreKeptWhole) {
  EXPECT_EQ(RuleBaseName("LongRuleFileName.rle"), "LongRuleFileName");
  EXPECT_EQ(RuleBaseName("/a/b.c/Rules.v2.RLE"), "Rules.v2");
  EXPECT_EQ(RuleBaseName("plain"), "plain");
  EXPECT_EQ(RuleBaseName(".rle"), ".rle");
}

TEST_F(RuleFileChoiceTest, AnswersChooseTheRuleFileAndKeepTheSettings) {
  Touch(fs::path(user) / "LongRuleFileName.RLE");
  Touch(folder.Path("didod.rle"));
  const std::vector<std::string> folders = {user, folder.Folder()};

  EXPECT_EQ(DefaultRuleLabel(), "DIDOD.rle");
  EXPECT_FALSE(DefaultCreateBackup());

  TRuleFormAnswer run{TRuleFormResult::Run, "LongRuleFileName.RLE", true, true};
  TSuperFindChoice c = TakeRuleFormAnswer(run, folders, user);
  EXPECT_EQ(c.action, TRuleFormResult::Run);
  EXPECT_EQ(c.ruleFile, user + "LongRuleFileName.RLE");
  EXPECT_TRUE(c.exists && c.allFiles && c.createBackup);
  EXPECT_EQ(nuvel::RuleFileName, "LongRuleFileName");
  EXPECT_EQ(ReadIniString("TOOLPREFS", "Default_Rule"), "LongRuleFileName");
  EXPECT_EQ(DefaultRuleLabel(), "LongRuleFileName.rle");
  EXPECT_TRUE(DefaultCreateBackup());

  // A rule file that is nowhere: the path it is reported (or made) under.
  c = TakeRuleFormAnswer({TRuleFormResult::Edit, "gone.rle", false, false}, folders, user);
  EXPECT_FALSE(c.exists);
  EXPECT_EQ(c.ruleFile, user + "gone.Rle");
  EXPECT_FALSE(DefaultCreateBackup());

  c = TakeRuleFormAnswer({TRuleFormResult::MakeNew, "didod.rle", false, false}, folders, user);
  EXPECT_EQ(c.ruleFile, user + "NewRLE.Rle");
  EXPECT_EQ(ReadIniString("TOOLPREFS", "Default_Rule"), "gone");

  // Cancel changes nothing; an empty chosen name runs the default file.
  nuvel::RuleFileName = "before";
  c = TakeRuleFormAnswer({}, folders, user);
  EXPECT_EQ(c.action, TRuleFormResult::Cancel);
  EXPECT_EQ(nuvel::RuleFileName, "before");
  c = TakeRuleFormAnswer({TRuleFormResult::Run, "", false, false}, folders, user);
  EXPECT_EQ(c.ruleFile, folder.Folder() + "didod.rle");
}

// Editing a factory rule file edits the user's copy of it; the factory file
// stays as shipped, and an edited copy is never overwritten by a later one.
TEST_F(RuleFileChoiceTest, EditingAFactoryRuleFileEditsTheUsersCopy) {
  std::ofstream(folder.Path("DIDOD.Rle")) << "factory\r\n";
  const std::vector<std::string> folders = {user, folder.Folder()};
  const std::string copy = user + "DIDOD.Rle";
  fs::remove_all(user);
  TSuperFindChoice c = TakeRuleFormAnswer({TRuleFormResult::Edit, "DIDOD.Rle", false, false}, folders, user);
  EXPECT_TRUE(c.exists);
  EXPECT_EQ(c.ruleFile, copy);
  EXPECT_EQ(test::ReadWholeFile(copy), "factory\r\n");
  std::ofstream(copy) << "edited\r\n";
  c = TakeRuleFormAnswer({TRuleFormResult::Edit, "didod.rle", false, false}, folders, user);
  EXPECT_EQ(c.ruleFile, copy);
  EXPECT_EQ(test::ReadWholeFile(copy), "edited\r\n");
  EXPECT_EQ(test::ReadWholeFile(folder.Path("DIDOD.Rle")), "factory\r\n");
  // Running a factory file reads it where it is.
  fs::remove(copy);
  c = TakeRuleFormAnswer({TRuleFormResult::Run, "DIDOD.Rle", false, false}, folders, user);
  EXPECT_EQ(c.ruleFile, folder.Folder() + "DIDOD.Rle");
  EXPECT_FALSE(fs::exists(copy));
}

TEST_F(RuleFileChoiceTest, TheUsersDataFolderIsSearchedFirstAndTheProgramFolderLast) {
  const std::vector<std::string> expected = {folder.DataHome() + "nuvel/", folder.ConfigFolder() + "nuvel/",
                                             folder.Folder()};
  EXPECT_EQ(RuleFolders(), expected);
  EXPECT_EQ(UserRuleFolder(), expected.front());
}

}  // namespace
}  // namespace nuvel::tools
