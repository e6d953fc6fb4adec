// `cmake --install` into a prefix of the test's own: the program folder, the
// launcher, the desktop entry, the icon and the MIME types land where the
// desktop looks for them, the desktop entry passes the desktop's own
// validator, and the installed launcher runs the program from the prefix,
// which nobody may write, with a file to open.
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/profile.h"
#include "tests/support/file_tree.h"
#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

// Runs a command; its exit code (-1 when it did not start or end), its output in `output`.
int Command(const QString& program, const QStringList& arguments, std::string& output) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForStarted() || !process.waitForFinished(120000)) return -1;
  output = process.readAll().toStdString();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

class ProgramInstall : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    std::string output;
    ASSERT_EQ(Command(NUVEL_CMAKE_COMMAND, {"--install", NUVEL_BUILD_DIR, "--prefix", QString::fromStdString(prefix.string())},
                      output),
              0)
        << output;
  }

  QTemporaryDir root;
  ProgramRun run{fs::path(root.path().toStdString())};
  fs::path prefix = fs::path(root.path().toStdString()) / "prefix";
};

TEST_F(ProgramInstall, TheProgramFolderLauncherAndDesktopFilesLandUnderThePrefix) {
  const fs::path folder = prefix / "lib" / "nuvel";
  // The program folder: the executable, runnable by everyone, and its data.
  EXPECT_EQ(fs::status(folder / "nuvel").permissions() & fs::perms::others_exec, fs::perms::others_exec);
  for (const char* data : {"DIDOD.drf", "NuvStr.DLL", "NUVHSPE.DIC", "Texts/README.txt", "help/en/index.html"}) {
    EXPECT_TRUE(fs::is_regular_file(folder / data)) << data;
    EXPECT_EQ(test::ReadWholeFile(folder / data), test::ReadWholeFile(fs::path(NUVEL_PROGRAM_DIR) / data)) << data;
  }
  // The launcher leads to the installed executable.
  EXPECT_EQ(fs::canonical(prefix / "bin" / "nuvel"), fs::canonical(folder / "nuvel"));
  EXPECT_EQ(::access((prefix / "bin" / "nuvel").c_str(), X_OK), 0);

  const fs::path desktop = prefix / "share" / "applications" / "nuvel.desktop";
  const struct {
    const char* key;
    const char* value;
  } entries[] = {
      {"Name", "Nuvel Text Editor"},
      {"Name[he]", "\xD7\xA2\xD7\x95\xD7\xA8\xD7\x9A \xD7\x94\xD7\x98\xD7\xA7\xD7\xA1\xD7\x98 \xD7\xA0\xD7\x95\xD7\x91\xD7\x9C"},
      {"Exec", "nuvel %F"},
      {"Icon", "nuvel"},
      {"MimeType", "application/x-nuvel-nvw;application/x-nuvel-nvs;text/plain;"},
  };
  for (const auto& e : entries)
    EXPECT_EQ(platform::GetPrivateProfileString("Desktop Entry", e.key, desktop), e.value) << e.key;
  std::string output;
  EXPECT_EQ(Command("desktop-file-validate", {QString::fromStdString(desktop.string())}, output), 0) << output;
  EXPECT_EQ(output, "");
  EXPECT_TRUE(fs::is_regular_file(prefix / "share" / "icons" / "hicolor" / "scalable" / "apps" / "nuvel.svg"));

  // The MIME types, as the desktop's database reads them from the package file.
  const fs::path mime = fs::path(root.path().toStdString()) / "mime";
  fs::create_directories(mime / "packages");
  fs::copy_file(prefix / "share" / "mime" / "packages" / "nuvel.xml", mime / "packages" / "nuvel.xml");
  ASSERT_EQ(Command("update-mime-database", {QString::fromStdString(mime.string())}, output), 0) << output;
  const std::string globs = test::ReadWholeFile(mime / "globs2");
  EXPECT_NE(globs.find("application/x-nuvel-nvw:*.nvw"), std::string::npos) << globs;
  EXPECT_NE(globs.find("application/x-nuvel-nvs:*.nvs"), std::string::npos) << globs;
}

TEST_F(ProgramInstall, TheInstalledLauncherOpensAFileAndWritesNothingUnderThePrefix) {
  const fs::path file = run.documents / "letter.nvw";
  ProgramRun::Write(file, "text\r\n");
  fs::create_directories(run.UserIni().parent_path());
  ProgramRun::Write(run.UserIni(), ProgramRun::kEnglishIni);
  if (!run.AsAnotherUser()) GTEST_SKIP() << "no other user to run the program as";
  const test::WritingTakenAway readOnly(prefix);
  const auto before = test::FileTreeOf(prefix);
  run.programFile = prefix / "bin" / "nuvel";
  EXPECT_EQ(run.Run("wait 500\nmenu Exit1\n", {QString::fromStdString(file.string())}), 0) << run.errors;
  EXPECT_EQ(platform::GetPrivateProfileString("REOPEN", "0", run.UserIni()), file.string()) << "the file was opened";
  EXPECT_EQ(test::ReadWholeFile(file), "text\r\n");
  EXPECT_EQ(test::FileTreeOf(prefix), before) << "the run wrote under the prefix";
}

}  // namespace
}  // namespace nuvel
