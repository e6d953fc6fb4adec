// The built program checks a document with Spell and Continue, driven by its
// input script: correct Hebrew words with their prefixes and English words
// with their endings are found correct, so the run over the document stops
// at none of them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>

#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

struct Document {
  const char* name;
  const char* ini;
  std::string text;  // Windows-1255
};

TEST(SpellProgram, SpellAndContinueStopAtNoCorrectWord) {
  const Document documents[] = {
      {"Hebrew", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=0\r\n",
      "\xE5\xF9\xE4\xE1\xE9\xFA \xEB\xF9\xE4\xEC\xEB\xF0\xE5 \xE4\xE1\xE9\xFA \xF9\xEC\xE5\xED \xE1\xE1\xE9\xFA \xE5\xE4\xF1\xF4\xF8\xE9\xED \xE4\xE2\xE3\xE5\xEC\xE9\xED \xEC\xE1\xE9\xFA \xE5\xEE\xE4\xF2\xE9\xF8 \xEB\xF9\xE1\xE0\xF0\xE5\r\n"
      "\xF9\xE4\xE9\xEC\xE3\xE9\xED \xE4\xEC\xEB\xE5 \xEC\xE1\xE9\xFA \xE4\xF1\xF4\xF8 \xE5\xE1\xE1\xE5\xF7\xF8 \xEB\xF9\xE7\xE6\xF8\xE5 \xEE\xE4\xE8\xE9\xE5\xEC \xE0\xEB\xEC\xE5 \xE0\xF8\xE5\xE7\xE4 \xE2\xE3\xE5\xEC\xE4\r\n"
      "\xE5\xEB\xF9\xE4\xE2\xF2\xF0\xE5 \xEC\xF2\xE9\xF8 \xE4\xE2\xE3\xE5\xEC\xE4 \xF8\xE0\xE9\xF0\xE5 \xF9\xE4\xE7\xF0\xE5\xE9\xE5\xFA \xF1\xE2\xE5\xF8\xE5\xFA \xE5\xF9\xE4\xF8\xE7\xE5\xE1\xE5\xFA \xF8\xE9\xF7\xE9\xED\r\n"},
      {"English", test::ProgramRun::kEnglishIni,
      "The children received their walking sticks and happily believed the dogs' stories\r\n"
      "She was unbelievably quick, and they're wondering whether the reports were rewritten\r\n"
      "Books, libraries and teachers' offices opened earlier than we'd expected\r\n"},
  };
  for (const Document& d : documents) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    test::ProgramRun run(root.path().toStdString());
    test::ProgramRun::Write(run.program / "NuvelW.INI", d.ini);
    const fs::path file = run.documents / "words.txt";
    test::ProgramRun::Write(file, d.text);
    // Spell on the first word: it is correct, and Continue goes over the
    // rest. A word found wrong would open the speller, which would take the
    // digit typed at the end instead of the document.
    const char* script =
        "wait 200\n"
        "menu Spell1\n"
        "wait 300\n"
        "key Tab\n"
        "key space\n"
        "wait 500\n"
        "key Ctrl+End\n"
        "type 5\n"
        "menu Save1\n"
        "wait 200\n"
        "menu Exit1\n";
    ASSERT_EQ(run.Run(script, {QString::fromStdString(file.string())}), 0) << d.name << "\n" << run.errors;
    // The digit went in at the end of the document, on its own line.
    EXPECT_EQ(test::ReadWholeFile(file), d.text + "5\r\n") << d.name << ": the run stopped at a word";
  }
}

// Exit while the speller asks about a word of a run over the document: the
// run ends with the window, and the program ends normally, the file as it was.
TEST(SpellProgram, ExitWhileTheSpellerAsksEndsTheProgram) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  test::ProgramRun run(root.path().toStdString());
  const fs::path file = run.documents / "words.txt";
  const std::string text = "This is a tset of teh speler and more wrods\r\n";
  test::ProgramRun::Write(file, text);
  // Spell on a correct word, Continue over the rest: the speller stops at
  // "tset", and Exit is chosen while it waits.
  const char* script =
      "wait 300\n"
      "menu Spell1\n"
      "wait 300\n"
      "key Tab\n"
      "key space\n"
      "wait 500\n"
      "menu Exit1\n"
      "wait 3000\n";
  EXPECT_EQ(run.Run(script, {QString::fromStdString(file.string())}), 0) << run.errors;
  EXPECT_EQ(test::ReadWholeFile(file), text);
}

}  // namespace
}  // namespace nuvel
