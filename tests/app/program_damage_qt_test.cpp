// The built program, driven by its input script, over damaged and foreign
// things: a damaged RTF, missing or damaged data files, a program folder it
// may not write, file names that are not UTF-8. Each run ends with the files
// as they were (or as edited and saved) and the message the user was given.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/profile.h"
#include "tests/support/program_run_qt.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

class ProgramDamage : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root.isValid()); }
  QStringList Args(const fs::path& file) const { return {QString::fromStdString(file.string())}; }

  QTemporaryDir root;
  ProgramRun run{fs::path(root.path().toStdString())};
};

TEST_F(ProgramDamage, DamagedRtfIsReadWholeAndTheOriginalKeptOnSave) {
  const std::string damaged = "{\\rtf1\\ansi Paragraph one.\\par Price 5\\'4 dollars.\\par Paragraph three.\\par}";
  const fs::path file = run.documents / "price.rtf";
  ProgramRun::Write(file, damaged);
  // Told on opening; the save writes what was read and keeps the file as it was.
  EXPECT_EQ(run.Run("wait 1000\nkey Return\nwait 200\nkey Ctrl+S\nwait 500\nmenu Exit1\n", Args(file)), 0) << run.errors;
  EXPECT_TRUE(run.Told("price.rtf")) << run.errors;
  EXPECT_TRUE(run.Told("is damaged; the part that could be read is shown")) << run.errors;
  const std::string saved = test::ReadWholeFile(file);
  for (const char* piece : {"Paragraph one.", "Price 5 dollars.", "Paragraph three."})
    EXPECT_NE(saved.find(piece), std::string::npos) << piece << "\n" << saved;
  EXPECT_EQ(test::ReadWholeFile(run.documents / "price.BAK"), damaged);
}

TEST_F(ProgramDamage, MissingAndDamagedDataFilesAreNamedAtStartAndTheProgramRuns) {
  fs::remove(run.program / "NuvStr.DLL");
  ProgramRun::Write(run.program / "DIDOD.drf", "");
  const fs::path file = run.documents / "a.txt";
  ProgramRun::Write(file, "text\n");
  EXPECT_EQ(run.Run("wait 1000\nkey Return\nwait 200\nkey End\ntype !\nkey Ctrl+S\nwait 300\nmenu Exit1\n", Args(file)),
            0)
      << run.errors;
  EXPECT_TRUE(run.Told("Some of the program's data files are missing or damaged")) << run.errors;
  EXPECT_TRUE(run.Told((run.program / "NuvStr.DLL").string())) << run.errors;
  EXPECT_TRUE(run.Told("is missing: messages")) << run.errors;
  EXPECT_TRUE(run.Told((run.program / "DIDOD.drf").string())) << run.errors;
  EXPECT_TRUE(run.Told("is damaged: texts are read and saved without character conversion")) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), "text!\n") << run.errors;
}

TEST_F(ProgramDamage, ReadOnlyProgramFolderKeepsTheSettingsInTheUsersFolder) {
  const std::string shipped = test::ReadWholeFile(run.program / "NuvelW.INI");
  test::ReadOnlyFolder readOnly(run.program);
  if (!readOnly.Made()) GTEST_SKIP() << "the folder cannot be made read-only here";
  const fs::path file = run.documents / "kept.txt";
  ProgramRun::Write(file, "kept\n");
  // Twice: the second start reads what the first one kept.
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start);
    EXPECT_EQ(run.Run("wait 500\nmenu Exit1\n", Args(file)), 0) << run.errors;
    EXPECT_FALSE(run.Told("settings folder")) << run.errors;
  }
  const fs::path kept = run.config / "nuvel" / "settings" / "NuvelW.INI";
  EXPECT_EQ(platform::GetPrivateProfileString("REOPEN", "0", kept), file.string());
  EXPECT_TRUE(platform::GetPrivateProfileString("StartUp", "WindowState", kept).has_value());
  EXPECT_EQ(platform::GetPrivateProfileString("StartUp", "Eng_Prompts", kept), "English") << "copied on first start";
  EXPECT_EQ(test::ReadWholeFile(run.program / "NuvelW.INI"), shipped);
}

TEST_F(ProgramDamage, FileNamesThatAreNotUtf8OpenFromTheCommandLine) {
  // "shalom" as Windows-1255 bytes in the name: not UTF-8.
  const std::string name = (run.documents / "\xF9\xEC\xE5\xED.txt").string();
  ProgramRun::Write(name, "text\n");
  EXPECT_EQ(run.RunWithBytes("wait 800\nkey End\ntype !\nkey Ctrl+S\nwait 300\nmenu Exit1\n", {name}), 0)
      << run.errors;
  EXPECT_EQ(test::ReadWholeFile(name), "text!\n");
  EXPECT_FALSE(run.Told("not found")) << run.errors;
}

TEST_F(ProgramDamage, MissingFileIsNamedInUtf8) {
  // A Hebrew name in UTF-8 that does not exist: the message shows it as such.
  const std::string name = (run.documents / "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D.txt").string();
  EXPECT_EQ(run.RunWithBytes("wait 800\nkey Return\nwait 200\nmenu Exit1\nwait 300\nkey N\n", {name}), 0)
      << run.errors;
  EXPECT_TRUE(run.Told("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D.txt")) << run.errors;
  EXPECT_FALSE(fs::exists(name));
}

}  // namespace
}  // namespace nuvel
