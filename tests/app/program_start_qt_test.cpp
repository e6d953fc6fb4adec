// Starting the built program as its own process: which running copy a new
// start hands its file to, starts that race or meet a stopped copy, the end
// of the program with its main window, and names on the command line that
// are not documents.
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "platform/profile.h"
#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

// Waits until a running copy listens in `runtime` (its socket is there).
bool AwaitListening(const fs::path& runtime) {
  for (int i = 0; i < 500; ++i) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(runtime, ec))
      if (entry.path().extension() == ".sock") return true;
    QThread::msleep(20);
  }
  return false;
}

QProcessEnvironment Env(const char* key, const char* value) {
  QProcessEnvironment env;
  env.insert(key, value);
  return env;
}

// Types at the start of the document of the file named on the command line
// and saves it: the file shows which copy opened it.
constexpr char kMarkAndSave[] = "wait 300\ntype mark \nkey Ctrl+S\nwait 100\nmenu Exit1\n";

TEST(ProgramStart, OnlyTheSameUsersSameProgramInTheSameSessionAnswers) {
  // A copy runs. A new start that differs from it in its program folder,
  // its settings folder or its display, with the same runtime and temporary
  // folders, must open its file itself, not hand it to that copy.
  struct Case {
    const char* what;
    bool otherProgram;
    bool otherSettings;
    const char* display;
  };
  const Case cases[] = {
      {"another program folder", true, false, ":5"},
      {"another settings folder", false, true, ":5"},
      {"another display", false, false, ":6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir root;
    ProgramRun running(fs::path(root.path().toStdString()) / "a");
    ProgramRun later(fs::path(root.path().toStdString()) / "b");
    later.runtime = running.runtime;
    later.temp = running.temp;
    if (!c.otherProgram) later.program = running.program;
    if (!c.otherSettings) later.config = running.config;
    auto first = running.Start("wait 4000\nmenu Exit1\n", {}, Env("DISPLAY", ":5"));
    ASSERT_TRUE(AwaitListening(running.runtime));
    const fs::path file = later.documents / "later.txt";
    ProgramRun::Write(file, "text\n");
    EXPECT_EQ(later.Run(kMarkAndSave, {QString::fromStdString(file.string())}, Env("DISPLAY", c.display)), 0)
        << later.errors;
    EXPECT_EQ(test::ReadWholeFile(file), "mark text\n") << "the later start opened its file itself";
    EXPECT_EQ(running.Finish(*first), 0) << running.errors;
  }
}

TEST(ProgramStart, LaterStartHandsItsFileToTheRunningCopy) {
  QTemporaryDir root;
  ProgramRun run(fs::path(root.path().toStdString()));
  // The running copy types into whatever document it has then and saves it.
  auto first = run.Start("wait 2500\ntype mark \nkey Ctrl+S\nwait 100\nmenu Exit1\n", {});
  ASSERT_TRUE(AwaitListening(run.runtime));
  const fs::path file = run.documents / "handed.txt";
  ProgramRun::Write(file, "text\n");
  const auto began = std::chrono::steady_clock::now();
  EXPECT_EQ(run.Run("wait 60000\n", {QString::fromStdString(file.string())}), 0) << run.errors;
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(20)) << "the later start ended at once";
  EXPECT_EQ(run.Finish(*first), 0) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), "mark text\n");
}

TEST(ProgramStart, TwoStartsAtOnceKeepBothFiles) {
  QTemporaryDir root;
  ProgramRun run(fs::path(root.path().toStdString()));
  const fs::path one = run.documents / "one.txt";
  const fs::path two = run.documents / "two.txt";
  ProgramRun::Write(one, "1\n");
  ProgramRun::Write(two, "2\n");
  const char* script = "wait 2000\nmenu Exit1\n";
  auto a = run.Start(script, {QString::fromStdString(one.string())});
  auto b = run.Start(script, {QString::fromStdString(two.string())});
  EXPECT_EQ(run.Finish(*a), 0) << run.errors;
  EXPECT_EQ(run.Finish(*b), 0) << run.errors;
  // One copy opened both: its reopen list holds the two names.
  const fs::path ini = run.UserIni();
  std::set<std::string> reopened;
  for (const char* key : {"0", "1"})
    reopened.insert(platform::GetPrivateProfileString("REOPEN", key, ini).value_or("(missing)"));
  EXPECT_EQ(reopened, (std::set<std::string>{one.string(), two.string()}));
}

TEST(ProgramStart, StoppedCopyDoesNotSwallowANewStart) {
  QTemporaryDir root;
  ProgramRun run(fs::path(root.path().toStdString()));
  auto stopped = run.Start("wait 3000\nmenu Exit1\n", {});
  ASSERT_TRUE(AwaitListening(run.runtime));
  ASSERT_EQ(::kill(static_cast<pid_t>(stopped->processId()), SIGSTOP), 0);
  const fs::path file = run.documents / "mine.txt";
  ProgramRun::Write(file, "text\n");
  const int code = run.Run(kMarkAndSave, {QString::fromStdString(file.string())});
  ::kill(static_cast<pid_t>(stopped->processId()), SIGCONT);
  EXPECT_EQ(code, 0) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), "mark text\n") << "the new start ran on its own";
  EXPECT_EQ(run.Finish(*stopped), 0) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), "mark text\n") << "the stopped copy, running again, left it alone";
}

TEST(ProgramStart, ProgramEndsWithItsMainWindow) {
  // A second file manager window is shown; closing the main window ends the program.
  QTemporaryDir root;
  ProgramRun run(fs::path(root.path().toStdString()));
  ProgramRun::Write(run.program / "NuvelW.INI", std::string(ProgramRun::kEnglishIni) + "[FileManager]\r\nNumber=2\r\n");
  auto process = run.Start("menu Exit1\n", {});
  EXPECT_EQ(run.Finish(*process, 20000), 0) << run.errors;
}

TEST(ProgramStart, NamesThatAreNotDocumentsGetAMessageAndNoWindow) {
  // A message box is up when the user leaves the program (or closes every
  // window) and then answers it: nothing may use the window that was being
  // made, and the name on disk stays what it was.
  struct Case {
    const char* what;
    const char* told;
    const char* script;
  };
  const Case cases[] = {
      {"pipe", "is not a regular file", "wait 1500\nmenu Exit1\nwait 500\nkey Return\n"},
      {"folder", "is a folder", "wait 1500\nmenu Exit1\nwait 500\nkey Return\n"},
      {"pipe", "is not a regular file", "wait 1000\nmenu CloseAll1\nwait 300\nkey Return\nwait 300\nkey Ctrl+S\nmenu Exit1\n"},
      {"folder", "is a folder", "wait 1000\nmenu CloseAll1\nwait 300\nkey Return\nwait 300\nkey Ctrl+S\nmenu Exit1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + c.script);
    QTemporaryDir root;
    ProgramRun run(fs::path(root.path().toStdString()));
    const fs::path name = run.documents / c.what;
    if (std::string(c.what) == "pipe") {
      ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0);
    } else {
      fs::create_directory(name);
    }
    EXPECT_EQ(run.Run(c.script, {QString::fromStdString(name.string())}), 0) << run.errors;
    EXPECT_TRUE(run.Told(c.told)) << run.errors;
    EXPECT_TRUE(std::string(c.what) == "pipe" ? fs::is_fifo(name) : fs::is_directory(name));
  }
}

}  // namespace
}  // namespace nuvel
