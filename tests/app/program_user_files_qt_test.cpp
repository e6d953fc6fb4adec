// The built program run from a program folder nobody may write, as an
// installed program is: everything a user's run keeps (settings, the reopen
// list and window state, e-book settings, a keystroke recording, a new rule
// file) goes to the user's own folders, and the program folder is left
// exactly as it was.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/profile.h"
#include "platform/program_path.h"
#include "tests/support/file_tree.h"
#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

TEST(ProgramUserFiles, ARunFromAReadOnlyProgramFolderKeepsEverythingInTheUsersFolders) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  ProgramRun run(fs::path(root.path().toStdString()));
  // A factory setting the user's settings start from.
  ProgramRun::Write(run.program / "NuvelW.INI", std::string(ProgramRun::kEnglishIni) + "[TOOLPREFS]\r\nFactory=1\r\n");
  const fs::path file = run.documents / "a.txt";
  ProgramRun::Write(file, "text\n");
  // Another user where this process may write anything; otherwise this user.
  if (!run.AsAnotherUser()) GTEST_SKIP() << "no other user to run the program as";
  const test::WritingTakenAway readOnly(run.program);
  const auto before = test::FileTreeOf(run.program);

  const std::string record = "wait 500\nmenu Record1\nwait 100\nkey End\nkey X\nwait 100\nmenu Record1\nwait 300\n";
  const std::string preferences = "menu Properties1\nwait 500\nkey Return\nwait 300\n";
  const std::string ebookSettings = "menu Settings1\nwait 500\nkey Return\nwait 300\n";
  // Super Find's "Make New RLE", one rule, saved by name in the folder offered.
  const std::string newRule = "menu SuperFind1\nwait 500\nkey Alt+M\nwait 500\ntype a=b\nkey Ctrl+S\nwait 500\n"
                              "key Ctrl+A\ntype Mine.rle\nkey Return\nwait 500\n";
  const std::string quitUnsaved = "menu Exit1\nwait 500\nkey N\nwait 300\n";
  ASSERT_EQ(run.Run(record + preferences + ebookSettings + newRule + quitUnsaved, {QString::fromStdString(file.string())}),
            0)
      << run.errors;
  // A second start plays the recording back into the file and saves it.
  ASSERT_EQ(run.Run("wait 500\nmenu PlayMacro1\nwait 500\nkey Ctrl+S\nwait 300\nmenu Exit1\n",
                    {QString::fromStdString(file.string())}),
            0)
      << run.errors;

  EXPECT_EQ(test::FileTreeOf(run.program), before) << "the program folder was written";
  EXPECT_FALSE(run.Told("Cannot")) << run.errors;
  // Settings, the reopen list and the window state: the user's INI file, made
  // from the factory one.
  const fs::path ini = run.UserIni();
  EXPECT_EQ(platform::GetPrivateProfileString("TOOLPREFS", "Factory", ini), "1");
  EXPECT_EQ(platform::GetPrivateProfileString("REOPEN", "0", ini), file.string());
  EXPECT_TRUE(platform::GetPrivateProfileString("StartUp", "WindowState", ini).has_value());
  EXPECT_TRUE(platform::GetPrivateProfileString("GENPREFS", "WordWrap", ini).has_value()) << "the preferences";
  // The e-book settings, in the user's settings folder.
  const std::string registry = test::ReadWholeFile(run.config / "nuvel" / "registry.reg");
  EXPECT_NE(registry.find("BookmarkScan"), std::string::npos) << registry;
  EXPECT_NE(registry.find((run.config / "nuvel").string()), std::string::npos) << registry;
  // The recording and the rule file, in the user's data folder; the
  // recording played back.
  const std::string userData = (run.data / "nuvel").string() + "/";
  EXPECT_TRUE(fs::is_regular_file(platform::FindFileNoCase(userData, "Didod.MCR")));
  EXPECT_EQ(test::ReadWholeFile(userData + "Mine.rle"), "a=b\r\n");
  EXPECT_EQ(test::ReadWholeFile(file).rfind("textx", 0), 0u) << test::ReadWholeFile(file) << run.errors;
}

}  // namespace
}  // namespace nuvel
