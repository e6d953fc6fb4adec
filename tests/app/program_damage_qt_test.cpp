// The built program, driven by its input script, over damaged and foreign
// things: a damaged RTF, missing or damaged data files, file names that are
// not UTF-8. Each run ends with the files as they were (or as edited and
// saved) and the message the user was given.
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "formats/doc_file.h"
#include "platform/profile.h"
#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

class ProgramDamage : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root.isValid()); }
  QStringList Args(const fs::path& file) const { return {QString::fromStdString(file.string())}; }
  // The message boxes the last run showed.
  int Messages() const {
    int n = 0;
    for (size_t at = run.errors.find("nuvel: message: "); at != std::string::npos;
         at = run.errors.find("nuvel: message: ", at + 1))
      ++n;
    return n;
  }

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
  EXPECT_TRUE(run.Told("is damaged (it is shorter than the 2,640 bytes its conversion tables take): texts are read "
                       "and saved without character conversion"))
      << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), "text!\n") << run.errors;
}

// Data files damaged in ways their size does not show: all named at start,
// each with its reason, in one message.
TEST_F(ProgramDamage, DamagedDataFilesAreNamedWithTheirReasonsInOneMessage) {
  std::string tables = test::ReadWholeFile(run.program / "DIDOD.drf");
  tables[13 * 80 + 64 + 0xE9] ^= 0x04;  // one bit of a Hebrew letter's entry
  ProgramRun::Write(run.program / "DIDOD.drf", tables);
  std::string english = test::ReadWholeFile(run.program / "NUVHSPE.DIC");
  english.resize(english.size() / 2);
  ProgramRun::Write(run.program / "NUVHSPE.DIC", english);
  EXPECT_EQ(run.Run("wait 1000\nkey Return\nwait 300\nmenu Exit1\n", {}), 0) << run.errors;
  EXPECT_EQ(Messages(), 1) << run.errors;
  EXPECT_TRUE(run.Told((run.program / "DIDOD.drf").string() +
                       "\xE2\x81\xA9 is damaged (its checksum does not match its content)"))
      << run.errors;
  EXPECT_TRUE(run.Told((run.program / "NUVHSPE.DIC").string() +
                       "\xE2\x81\xA9 is damaged (its index points past its end: the file is cut short)"))
      << run.errors;
}

TEST_F(ProgramDamage, CutEbookIsToldAndTheOriginalKeptOnSave) {
  if (std::system("command -v txt2pdbdoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "txt2pdbdoc not installed";
  std::string small;
  for (int i = 0; small.size() < 3000; ++i) small += "Line " + std::to_string(i) + " of a small book.\n";
  small.resize(3000);
  const fs::path source = run.documents / "small.txt", whole = run.documents / "z.pdb", cut = run.documents / "cut.pdb";
  ProgramRun::Write(source, small);
  ASSERT_EQ(std::system(("txt2pdbdoc -c 'Test Book' '" + source.string() + "' '" + whole.string() + "' >/dev/null 2>&1")
                            .c_str()),
            0);
  const std::string cutBytes = test::ReadWholeFile(whole).substr(0, 686);
  ProgramRun::Write(cut, cutBytes);
  // Told on opening; the save writes what was read and keeps the book as it was.
  EXPECT_EQ(run.Run("wait 1000\nkey Return\nwait 200\nkey Ctrl+S\nwait 500\nmenu Exit1\n", Args(cut)), 0) << run.errors;
  EXPECT_EQ(Messages(), 1) << run.errors;
  EXPECT_TRUE(run.Told("The e-book \xE2\x81\xA6" + cut.string() + "\xE2\x81\xA9 is damaged: ")) << run.errors;
  EXPECT_TRUE(run.Told("bytes of text were read where the book gives 3,000")) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(run.documents / "cut.BAK"), cutBytes);
  TDocFile saved(cut.string());
  const std::string text = saved.GetText();
  EXPECT_FALSE(saved.TextDamaged);
  EXPECT_EQ(text.rfind("Line 0 of a small book.\r\nLine 1 of", 0), 0u) << text;
}

TEST_F(ProgramDamage, FileLargerThanADocumentIsRefusedInOneMessage) {
  const fs::path big = run.documents / "big.txt";
  ProgramRun::Write(big, "");
  fs::resize_file(big, uint64_t{5} << 30);  // as `truncate -s 5G` makes it: sparse
  EXPECT_EQ(run.Run("wait 1000\nkey Return\nwait 300\nmenu Exit1\n", Args(big)), 0) << run.errors;
  EXPECT_EQ(Messages(), 1) << run.errors;
  EXPECT_TRUE(run.Told(big.string() + "\xE2\x81\xA9 is too large to open: it holds 5,368,709,120 bytes, and a document holds "
                       "at most 2,147,483,647 bytes"))
      << run.errors;
  EXPECT_EQ(fs::file_size(big), uint64_t{5} << 30);
}

// The program's address space while it idles, in kilobytes, as the system
// counts it against `ulimit -v`.
long IdleAddressSpace(ProgramRun& run) {
  auto process = run.Start("wait 1500\nmenu Exit1\n", {});
  QThread::msleep(1000);
  std::ifstream status("/proc/" + std::to_string(process->processId()) + "/status");
  long kb = 0;
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmSize:", 0) == 0) kb = std::stol(line.substr(7));
  }
  run.Finish(*process);
  return kb;
}

// Memory the system will not give, wherever it runs out while a file is
// opened (reading it, the threads that read ahead, the paragraphs), is told
// in one message that names the file and the reason, and the program goes on.
TEST_F(ProgramDamage, MemoryRunningOutWhileOpeningIsToldInOneClearMessage) {
  const fs::path file = run.documents / "forty.txt";
  {
    std::ofstream out(file, std::ios::binary);
    const std::string line = "a line of text that fills the file, one of many\n";
    for (std::size_t written = 0; written < (std::size_t{40} << 20); written += line.size()) out << line;
  }
  const long idle = IdleAddressSpace(run);
  ASSERT_GT(idle, 0);
  const fs::path launcher = run.documents / "limited.sh";
  int toldMemory = 0;
  for (long extraMb : {200, 500, 1200}) {
    SCOPED_TRACE(extraMb);
    ProgramRun::Write(launcher, "ulimit -v " + std::to_string(idle + extraMb * 1024) + "\nexec \"$@\"\n");
    // Escape closes a message; typed into a document it changes nothing.
    auto process = run.Start("wait 2000\nkey Escape\nwait 300\nmenu Exit1\nwait 300\nkey N\n",
                             {QString::fromStdString((run.program / "nuvel").string()),
                              QString::fromStdString(file.string())},
                             {}, QString::fromStdString(launcher.string()));
    EXPECT_EQ(run.Finish(*process), 0) << run.errors;
    EXPECT_LE(Messages(), 1) << run.errors;
    EXPECT_FALSE(run.Told("bad_alloc")) << run.errors;
    EXPECT_FALSE(run.Told("Resource temporarily")) << run.errors;
    if (run.Told("there is not enough memory")) {
      ++toldMemory;
      EXPECT_TRUE(run.Told("Cannot read the file \xE2\x81\xA6" + file.string() + "\xE2\x81\xA9: there is not enough memory."))
          << run.errors;
    }
  }
  EXPECT_GT(toldMemory, 0) << "no limit was low enough";
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
