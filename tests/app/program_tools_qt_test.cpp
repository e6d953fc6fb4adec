// Tools that finish what they start, in the built program driven by its
// input script: Compare goes from difference to difference, the phrase
// dictionary inserts at once, Super Find starts on the rule file the
// program ships.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

class ProgramTools : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root.isValid()); }
  // The messages the last run showed, in order.
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    const std::string mark = "nuvel: message: ";
    for (size_t at = run.errors.find(mark); at != std::string::npos; at = run.errors.find(mark, at + 1)) {
      const size_t from = at + mark.size();
      out.push_back(run.errors.substr(from, run.errors.find('\n', from) - from));
    }
    return out;
  }

  QTemporaryDir root;
  ProgramRun run{fs::path(root.path().toStdString())};
};

TEST_F(ProgramTools, CompareGoesToTheNextDifferenceAndSaysWhenThereAreNoMore) {
  const fs::path a = run.documents / "a.txt", b = run.documents / "b.txt";
  ProgramRun::Write(a, "one two three\r\nfour\r\n");
  ProgramRun::Write(b, "one tXo three\r\nfoXr\r\n");
  // The program's own file-name prompt opens the second file.
  ProgramRun::Write(run.program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nNuvelDlg=1\r\n");
  const std::string open = "wait 200\nmenu Open1\nwait 300\ntype " + b.string() + "\nkey Return\nwait 300\n";
  const std::string compare = "menu Compare1\nwait 200\nkey Return\nwait 100\n";
  ASSERT_EQ(run.Run(open + compare + compare + compare + "menu Exit1\n", {QString::fromStdString(a.string())}), 0)
      << run.errors;
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Here is a difference", "Here is a difference",
                                                  "No more differences to the end of the files"}))
      << run.errors;
}

TEST_F(ProgramTools, ThePhraseDictionaryInsertsOnEnterAndStaysOpen) {
  const fs::path file = run.documents / "thanks.txt";
  ProgramRun::Write(file, "");
  // Enter inserts the phrase and the window stays open; Escape closes it
  // without inserting it again.
  ASSERT_EQ(run.Run("menu PhraseDictionary1\nwait 300\ntype THANKS\nkey Return\nwait 200\nkey Escape\nwait 100\n"
                    "key Ctrl+S\nwait 200\nmenu Exit1\n",
                    {QString::fromStdString(file.string())}),
            0)
      << run.errors;
  // "תודה רבה", once, in reading order.
  EXPECT_EQ(test::ReadWholeFile(file), "\xFA\xE5\xE3\xE4 \xF8\xE1\xE4\r\n") << run.errors;
}

TEST_F(ProgramTools, SuperFindStartsOnTheShippedRuleFile) {
  ProgramRun::Write(run.program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=0\r\n");
  const fs::path file = run.documents / "slips.txt";
  // "שלומ  עולמ ." in Windows-1255 text.
  ProgramRun::Write(file, "\xF9\xEC\xE5\xEE  \xF2\xE5\xEC\xEE .\r\n");
  ASSERT_EQ(run.Run("menu SuperFind1\nwait 300\nkey Return\nwait 500\nkey Ctrl+S\nwait 200\nmenu Exit1\n",
                    {QString::fromStdString(file.string())}),
            0)
      << run.errors;
  EXPECT_TRUE(Messages().empty()) << run.errors;
  // "שלום עולם."
  EXPECT_EQ(test::ReadWholeFile(file), "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED.\r\n") << run.errors;
}

}  // namespace
}  // namespace nuvel
