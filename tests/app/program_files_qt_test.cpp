// The built program, driven by its input script, over the files of a
// careless user and a hostile system: each run ends with the files as they
// were (or as edited and saved) and the message the user was given.
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/profile.h"
#include "tests/support/private_mounts.h"
#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

class ProgramFiles : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root.isValid()); }
  QStringList Args(const fs::path& file) const { return {QString::fromStdString(file.string())}; }
  // Waits until the running program has opened `file` (it is in the reopen list).
  bool AwaitOpened(const fs::path& file) const {
    for (int i = 0; i < 500; ++i) {
      if (platform::GetPrivateProfileString("REOPEN", "0", run.UserIni()) == file.string()) return true;
      QThread::msleep(20);
    }
    return false;
  }

  QTemporaryDir root;
  ProgramRun run{fs::path(root.path().toStdString())};
};

// Leaves without saving: the close query is answered No.
constexpr char kQuitWithoutSaving[] = "menu Exit1\nwait 300\nkey N\n";

TEST_F(ProgramFiles, LineAppendedByAnotherProgramIsNotLost) {
  const fs::path file = run.documents / "shared.txt";
  ProgramRun::Write(file, "one\n");
  auto process = run.Start(std::string("wait 2500\ntype x\nkey Ctrl+S\nwait 300\nkey N\nwait 200\n") + kQuitWithoutSaving,
                           Args(file));
  ASSERT_TRUE(AwaitOpened(file));
  std::ofstream(file, std::ios::app) << "appended\n";
  EXPECT_EQ(run.Finish(*process), 0) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), "one\nappended\n");
  EXPECT_TRUE(run.Told("has been changed by another program")) << run.errors;
}

TEST_F(ProgramFiles, ChangedFileIsOfferedAgainWhenItsWindowComesForward) {
  const fs::path a = run.documents / "a.txt";
  const fs::path b = run.documents / "b.txt";
  ProgramRun::Write(a, "a\n");
  ProgramRun::Write(b, "b\n");
  run.Write(run.program / "NuvelW.INI", std::string(ProgramRun::kEnglishIni) + "[GENPREFS]\r\nNuvelDlg=1\r\n");
  // b opened from the prompt; a changes meanwhile; back to a, loaded again, edited, saved.
  auto process = run.Start("wait 300\nmenu Open1\nwait 300\ntype " + b.string() +
                               "\nkey Return\nwait 2500\nmenu NextWindow1\nwait 500\nkey Return\nwait 300\n"
                               "key Ctrl+Home\ntype x\nkey Ctrl+S\nwait 200\nmenu Exit1\n",
                           Args(a));
  ASSERT_TRUE(AwaitOpened(b));
  ProgramRun::Write(a, "a, as changed elsewhere\n");
  EXPECT_EQ(run.Finish(*process), 0) << run.errors;
  EXPECT_TRUE(run.Told("has been changed by another program. Load it again?")) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(a), "xa, as changed elsewhere\n");
  EXPECT_EQ(test::ReadWholeFile(b), "b\n");
}

TEST_F(ProgramFiles, ReadOnlyFileIsNotWritten) {
  const fs::path file = run.documents / "ro.txt";
  ProgramRun::Write(file, "read only\n");
  fs::permissions(file, fs::perms(0444), fs::perm_options::replace);
  EXPECT_EQ(run.Run(std::string("type x\nkey Ctrl+S\nwait 300\nkey N\nwait 200\n") + kQuitWithoutSaving, Args(file)), 0)
      << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), "read only\n");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0444));
  EXPECT_TRUE(run.Told("is read-only and was not changed. Save the document under another name?")) << run.errors;
}

// A file read with a zero byte left out asks before its first save replaces
// it. The window closed while that question waits: the save ends as
// cancelled, the file stays as it was, and the program goes on.
TEST_F(ProgramFiles, WindowClosedWhileItsSaveAsksLeavesTheFile) {
  const fs::path file = run.documents / "zero.txt";
  const std::string bytes("one\0two\n", 8);
  ProgramRun::Write(file, bytes);
  // The notice on opening, Save and its question, then Close with its own
  // question answered No while the save's question is still open.
  const std::string script =
      "wait 300\nkey Return\nwait 200\nmenu Save1\nwait 300\nmenu Close1\nwait 300\nkey N\nwait 500\n"
      "menu Exit1\n";
  EXPECT_EQ(run.Run(script, Args(file)), 0) << run.errors;
  EXPECT_TRUE(run.Told("Replace the file now?")) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), bytes);
}

TEST_F(ProgramFiles, SymbolicLinkStaysAndItsTargetIsEdited) {
  fs::create_directories(run.documents / "real");
  const fs::path target = run.documents / "real/doc.txt";
  const fs::path link = run.documents / "doc.txt";
  ProgramRun::Write(target, "text\n");
  fs::create_symlink("real/doc.txt", link);
  EXPECT_EQ(run.Run("type x\nkey Ctrl+S\nwait 200\nmenu Exit1\n", Args(link)), 0) << run.errors;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(test::ReadWholeFile(target), "xtext\n");
}

TEST_F(ProgramFiles, FileThatCannotBeReadIsNotEmptiedBySave) {
  // A file of another user that this one may not read, in a folder this one
  // may write: the failed load leaves no document to save over it.
  const fs::path file = run.documents / "private.txt";
  ProgramRun::Write(file, "someone's text\n");
  if (::geteuid() == 0) {
    if (!run.AsAnotherUser()) GTEST_SKIP() << "no other user to run the program as";
    ASSERT_EQ(::chown(file.c_str(), 0, 0), 0);
    fs::permissions(file, fs::perms(0600), fs::perm_options::replace);
  } else {
    fs::permissions(file, fs::perms::none, fs::perm_options::replace);
  }
  EXPECT_EQ(run.Run(std::string("wait 1000\nkey Return\nwait 200\nkey Ctrl+S\nwait 300\nkey Escape\nwait 200\n") +
                        kQuitWithoutSaving,
                    Args(file)),
            0)
      << run.errors;
  fs::permissions(file, fs::perms(0600), fs::perm_options::replace);
  EXPECT_EQ(test::ReadWholeFile(file), "someone's text\n");
  EXPECT_TRUE(run.Told("Cannot read the file")) << run.errors;
  EXPECT_TRUE(run.Told("permission denied")) << run.errors;
}

TEST_F(ProgramFiles, FullDiskLeavesTheFileAndSaysSo) {
  const fs::path disk = run.documents / "small";
  fs::create_directories(disk);
  if (!test::PrivateMounts() || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "a small file system cannot be mounted here (it takes the superuser and a mount namespace)";
  struct Unmount {
    fs::path at;
    ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
  } unmount{disk};
  // Lines of 80 bytes: the old file and its new copy do not fit together.
  std::string text;
  for (int i = 0; i < 500; ++i) text += std::string(79, 'a' + i % 26) + "\n";
  const fs::path file = disk / "big.txt";
  ProgramRun::Write(file, text);
  EXPECT_EQ(run.Run(std::string("type x\nkey Ctrl+S\nwait 300\nkey Return\nwait 200\n") + kQuitWithoutSaving, Args(file)),
            0)
      << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), text);
  EXPECT_TRUE(run.Told("the disk is full. The file is as it was.")) << run.errors;
  EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 1) << "nothing left beside it";
}

}  // namespace
}  // namespace nuvel
