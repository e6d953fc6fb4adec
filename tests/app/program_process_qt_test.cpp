// The built program run as its own process on the offscreen platform, in a
// temporary program folder, driven by an input script.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/settings.h"
#include "platform/profile.h"
#include "platform/program_path.h"
#include "platform/temporary_files.h"
#include "platform/unfinished_save.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

class ProgramProcess : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    program = fs::path(root.path().toStdString()) / "program";
    documents = fs::path(root.path().toStdString()) / "documents";
    fs::create_directories(program);
    fs::create_directories(documents);
    // The built program folder: the executable and its data files together.
    fs::copy(NUVEL_PROGRAM_DIR, program, fs::copy_options::recursive);
    Write(program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
  }

  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  // Runs the program with the script and arguments; its exit code, -1 when it
  // did not end within a minute.
  int Run(const std::string& script, const QStringList& arguments) {
    const fs::path scriptFile = fs::path(root.path().toStdString()) / "input.script";
    Write(scriptFile, script);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("NUVEL_INPUT_SCRIPT", QString::fromStdString(scriptFile.string()));
    env.insert("XDG_CONFIG_HOME", root.filePath("config"));
    env.insert("HOME", root.filePath("home"));
    // Folders of its own for the lock, the socket and temporary files, so that
    // no other running copy can answer it.
    const fs::path runtime = fs::path(root.path().toStdString()) / "runtime";
    const fs::path temp = fs::path(root.path().toStdString()) / "tmp";
    fs::create_directories(runtime);
    fs::create_directories(temp);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    env.insert("TMPDIR", QString::fromStdString(temp.string()));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(documents.string()));
    process.start(QString::fromStdString((program / "nuvel").string()), arguments);
    if (!process.waitForFinished(60000)) {
      process.kill();
      process.waitForFinished();
      return -1;
    }
    errors = process.readAllStandardError().toStdString();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  std::string Ini(const char* section, const char* key) const {
    // The settings the run kept: the user's copy of the program folder's file.
    const fs::path kept = fs::path(root.path().toStdString()) / "config" / "nuvel" / "settings" / "NuvelW.INI";
    return platform::GetPrivateProfileString(section, key, kept).value_or("(missing)");
  }

  QTemporaryDir root;
  fs::path program;
  fs::path documents;
  std::string errors;
};

// Files of other programs with English, numbers and points inside Hebrew
// lines: opened and left, the program quits without a question; edited and
// edited back, each is saved byte for byte as it came.
TEST_F(ProgramProcess, FilesOfOtherProgramsQuitUnaskedAndSaveBackByteForByte) {
  std::string libreOffice;
  {
    std::ifstream in(std::string(NUVEL_FIXTURES_DIR) + "/rtf/libreoffice_mixed.rtf", std::ios::binary);
    libreOffice.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  ASSERT_FALSE(libreOffice.empty());
  // shalom "test file 1234" olam / "Hello" shalom "2024/05/12" / bereshit bara, pointed, "12.5"
  const std::string utf8 =
      "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D test file 1234 \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D\n"
      "Hello \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 2024/05/12\n"
      "\xD7\x91\xD6\xB0\xD6\xBC\xD7\xA8\xD6\xB5\xD7\x90\xD7\xA9\xD6\xB4\xD7\x81\xD7\x99\xD7\xAA 12.5\n";
  const std::string cp1255 =
      "\xF9\xEC\xE5\xED test file 1234 \xF2\xE5\xEC\xED\r\n"
      "Hello \xF9\xEC\xE5\xED 2024/05/12\r\n"
      "\xE1\xC0\xCC\xF8\xC5\xE0\xF9\xC4\xD1\xE9\xFA 12.5\r\n";
  // UTF-16 as iconv writes it: big-endian with its mark, little-endian without.
  const std::string big = test::ReadWholeFile(test::FixturePath("unicode/hello_utf16be.txt"));
  const std::string little = test::ReadWholeFile(test::FixturePath("unicode/hello_utf16le.txt"));
  const std::string hebrew = test::ReadWholeFile(test::FixturePath("unicode/shalom_utf16le.txt"));
  ASSERT_FALSE(big.empty() || little.empty() || hebrew.empty());
  // Edited: "x" typed, and taken away again by Backspace, in either
  // direction (each file takes its direction from its first letter).
  struct Case {
    const char* name;
    const std::string& bytes;
    const char* edit;
  } cases[] = {
      {"windows.txt", cp1255, nullptr}, {"unicode.txt", utf8, nullptr},   {"office.rtf", libreOffice, nullptr},
      {"big.txt", big, nullptr},        {"little.txt", little, nullptr},  {"hebrew.txt", hebrew, nullptr},
      {"windows.txt", cp1255, "Backspace"}, {"unicode.txt", utf8, "Backspace"}, {"big.txt", big, "Backspace"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.edit ? " edited" : " unedited"));
    const fs::path file = documents / c.name;
    Write(file, c.bytes);
    fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(1));
    const auto before = fs::last_write_time(file);
    // Backspace takes away the character typed last, whichever way it
    // reads beside the text: the text is as it was, but edited.
    const std::string script = c.edit ? "type x\nkey " + std::string(c.edit) + "\nmenu Save1\nwait 100\nmenu Exit1\n"
                                      : "wait 300\nmenu Exit1\n";
    ASSERT_EQ(Run(script, {QString::fromStdString(file.string())}), 0) << errors;
    EXPECT_EQ(test::ReadWholeFile(file), c.bytes);
    EXPECT_EQ(fs::last_write_time(file) != before, c.edit != nullptr) << "saved only when edited";
  }
}

// Lines of another program's file that end in blanks and tabs keep them:
// opened and left, the file is no change to ask about; edited, undone and
// saved, it is written as it came.
TEST_F(ProgramProcess, TrailingBlanksOfOtherProgramsFilesAreKept) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      // "Hello" and "shalom", each with blanks or a tab after it; a Markdown line break.
      {"unicode.txt", "Hello  \n\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \t\nline break  \nend\n"},
      {"windows.txt", "Hello  \r\n\xF9\xEC\xE5\xED \t\r\nline break  \r\nend\r\n"},
  };
  const char* scripts[] = {
      "wait 300\nmenu Exit1\n",
      // The files open as English documents, their first letter being
      // Latin: Backspace takes the typed "x" away again.
      "type x\nwait 100\nmenu Undo1\nwait 100\ntype x\nkey Backspace\nmenu Save1\nwait 100\nmenu Exit1\n",
  };
  for (const auto& c : cases) {
    for (const char* script : scripts) {
      SCOPED_TRACE(std::string(c.name) + ": " + script);
      const fs::path file = documents / c.name;
      Write(file, c.bytes);
      ASSERT_EQ(Run(script, {QString::fromStdString(file.string())}), 0) << errors;
      EXPECT_EQ(test::ReadWholeFile(file), c.bytes);
    }
  }
}

TEST_F(ProgramProcess, OpenHebrewFileTypeSaveQuit) {
  // "shalom" in Windows-1255, on two lines.
  const fs::path file = documents / "shalom.txt";
  Write(file, "\xF9\xEC\xE5\xED\r\n\xF2\xE5\xEC\xED\r\n");
  const char* script =
      "# the Hebrew keyboard, the keys of \"shalom\" and a blank, save, quit\n"
      "menu HebrewKeyboard1\n"
      "type akuo \n"
      "key Ctrl+S\n"
      "wait 100\n"
      "menu Exit1\n";
  ASSERT_EQ(Run(script, {QString::fromStdString(file.string())}), 0) << errors;
  EXPECT_EQ(test::ReadWholeFile(file), "\xF9\xEC\xE5\xED \xF9\xEC\xE5\xED\r\n\xF2\xE5\xEC\xED\r\n");
  EXPECT_EQ(Ini("REOPEN", "0"), file.string());
  EXPECT_NE(Ini("StartUp", "WindowState"), "(missing)");
  EXPECT_NE(Ini("StartUp", "WindowPosition"), "(missing)");
  EXPECT_EQ(Ini("GENPREFS", "ENG_FILE").size(), 1u);
}

TEST_F(ProgramProcess, HebrewDocumentReformatCounterAndBlockCase) {
  // Three lines of one paragraph ended by the paragraph mark, then a line
  // for the counter: alef, het and Latin letters, which upper case changes.
  const fs::path file = documents / "edit.txt";
  Write(file, "\xE0\xE7 ab\r\ncd\r\nef\x14\r\nend\r\n");
  // Hebrew documents, and the WordStar keys (Ctrl+B).
  Write(program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nWordStarCommands=1\r\nENG_FILE=0\r\n");
  const char* script =
      "# Ctrl+B joins the run up to the mark and moves to the start of the\n"
      "# next line; the two counter templates typed there in their Hebrew\n"
      "# form (numbering leaves templates without a digit); everything in\n"
      "# upper case; save, quit\n"
      "key Ctrl+B\n"
      "menu Counter1\n"
      "menu HebrewCounter1\n"
      "menu Replacewithnumbers1\n"
      "menu SelectAll1\n"
      "menu SelUpperCase1\n"
      "menu Save1\n"
      "wait 100\n"
      "menu Exit1\n";
  ASSERT_EQ(Run(script, {QString::fromStdString(file.string())}), 0) << errors;
  // The file is Windows-1255 text, kept in logical order: the lines are
  // joined as they read, so the joined English reads in its order; the
  // counter templates typed at the line's start come first.
  EXPECT_EQ(test::ReadWholeFile(file), "\xE0\xE7 AB CD EF\x14\r\n<#><#\xF2>END\r\n");
}

TEST_F(ProgramProcess, ReplaceAHebrewWordThroughTheReplaceDialogAndSave) {
  // "shalom olam" / "shalom" in Windows-1255; Replace takes the word at the
  // caret, Tab moves to the replacement, Alt+A replaces all with "sefer".
  const fs::path file = documents / "words.txt";
  Write(file, "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED\r\n\xF9\xEC\xE5\xED\r\n");
  Write(program / "NuvelW.INI",
        "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nFind_Cursor_Word=1\r\nENG_FILE=0\r\n");
  const char* script =
      "menu Replace1\n"
      "wait 300\n"
      "key Tab\n"
      "type \xD7\xA1\xD7\xA4\xD7\xA8\n"
      "key Alt+A\n"
      "wait 200\n"
      "key Escape\n"
      "menu Save1\n"
      "wait 100\n"
      "menu Exit1\n";
  ASSERT_EQ(Run(script, {QString::fromStdString(file.string())}), 0) << errors;
  EXPECT_EQ(test::ReadWholeFile(file), "\xF1\xF4\xF8 \xF2\xE5\xEC\xED\r\n\xF1\xF4\xF8\r\n");
}

TEST_F(ProgramProcess, CopyAHebrewLineIntoASecondDocumentThroughTheClipboard) {
  // Two Hebrew documents: "shalom olam" / "sefer", and "toda".
  const fs::path first = documents / "first.txt";
  const fs::path second = documents / "second.txt";
  Write(first, "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED\r\n\xF1\xF4\xF8\r\n");
  Write(second, "\xFA\xE5\xE3\xE4\r\n");
  // The program's own file-name prompt opens the second file.
  Write(program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nNuvelDlg=1\r\n");
  const std::string script =
      "# select the first line, copy it, open the second file, paste, save both, quit\n"
      "wait 200\n"
      "key Home\n"
      "key Shift+End\n"
      "key Ctrl+C\n"
      "menu Open1\n"
      "wait 300\n"
      "type " + second.string() + "\n"
      "key Return\n"
      "wait 300\n"
      "key Ctrl+V\n"
      "key Return\n"
      "key Ctrl+S\n"
      "menu NextWindow1\n"
      "key End\n"
      "type !\n"
      "key Ctrl+S\n"
      "wait 100\n"
      "menu Exit1\n";
  ASSERT_EQ(Run(script, {QString::fromStdString(first.string())}), 0) << errors;
  EXPECT_EQ(test::ReadWholeFile(second), "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED\r\n\xFA\xE5\xE3\xE4\r\n");
  EXPECT_EQ(test::ReadWholeFile(first), "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED!\r\n\xF1\xF4\xF8\r\n");
}

TEST_F(ProgramProcess, OpensTheHelpAndTheWizardAndQuitsCleanly) {
  const char* script =
      "menu Contents1\n"
      "wait 200\n"
      "menu ConversionWizard1\n"
      "wait 200\n"
      "key Return\n"
      "key Escape\n"
      "wait 100\n"
      "menu Exit1\n";
  ASSERT_EQ(Run(script, {}), 0) << errors;
  EXPECT_NE(Ini("StartUp", "WindowState"), "(missing)");
}

TEST_F(ProgramProcess, OpenWithSheimHashemProtectionAndSave) {
  // "GOD" and the Divine Name in Hebrew letters, with Linux line ends.
  const fs::path file = documents / "names.txt";
  Write(file, "GOD \xE9\xE4\xE5\xE4\n\xE0\xEC\xE4\xE9\xED\n");
  Write(program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=0\r\nConversion=0\r\n");
  // The English name is protected too: that protection stays in the file.
  platform::SetUserConfigFolderOverride(root.filePath("config").toStdString());
  WriteRegString("GENPREFS", "EngSheimProt", "1");
  platform::SetUserConfigFolderOverride("");
  const std::string script =
      "# open the file through the open dialog of the command, save, quit\n"
      "wait 200\n"
      "menu OpenWithSheimProtection1\n"
      "wait 500\n"
      "type " + file.string() + "\n"
      "key Return\n"
      "wait 500\n"
      "menu Save1\n"
      "wait 100\n"
      "menu Exit1\n";
  ASSERT_EQ(Run(script, {}), 0) << errors;
  // The Hebrew names are whole again, the English one keeps its protection
  // (the name at the start of a line, in any case, becomes "G-d"), the line
  // ends are the file's own.
  EXPECT_EQ(test::ReadWholeFile(file), "G-d \xE9\xE4\xE5\xE4\n\xE0\xEC\xE4\xE9\xED\n");
  // Nothing was left beside the document or in the program folder.
  EXPECT_FALSE(fs::exists(documents / "TEM-FLT.$$"));
  EXPECT_FALSE(fs::exists(program / "TEM-FLT.$$"));
}

TEST_F(ProgramProcess, OpensAnEbookGivenOnTheCommandLineAndSavesItAsAnEbook) {
  if (std::system("command -v txt2pdbdoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "txt2pdbdoc not installed";
  const fs::path source = documents / "source.txt";
  const fs::path book = documents / "book.pdb";
  Write(source, "Palm line\nsecond\n");
  // English documents: typed Latin text is stored as typed.
  Write(program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=1\r\n");
  ASSERT_EQ(std::system(("txt2pdbdoc Book '" + source.string() + "' '" + book.string() + "' >/dev/null 2>&1").c_str()), 0);
  const char* script =
      "# type at the start of the e-book, save it, quit\n"
      "wait 200\n"
      "type New \n"
      "key Ctrl+S\n"
      "wait 100\n"
      "menu Exit1\n";
  ASSERT_EQ(Run(script, {QString::fromStdString(book.string())}), 0) << errors;
  const fs::path decoded = documents / "decoded.txt";
  ASSERT_EQ(std::system(("txt2pdbdoc -d '" + book.string() + "' '" + decoded.string() + "' >/dev/null 2>&1").c_str()), 0);
  EXPECT_EQ(test::ReadWholeFile(decoded), "New Palm line\nsecond\n");
}

TEST_F(ProgramProcess, ScriptItCannotReadEndsBeforeStarting) {
  EXPECT_EQ(Run("type a\npress b\n", {}), 2);
  EXPECT_NE(errors.find("line 2: unknown step \"press\""), std::string::npos) << errors;
  EXPECT_EQ(Ini("StartUp", "WindowState"), "(missing)") << "the program did not start";
}

// At start the program removes what saves of killed runs left in the
// temporary folder (where a file in a folder that cannot be written is put
// together), but not a copy that still holds a file's only good text, nor
// the files of a run that goes on, nor anything else.
TEST_F(ProgramProcess, StartRemovesWhatKilledSavesLeftInTheTemporaryFolder) {
  const fs::path temp = fs::path(root.path().toStdString()) / "tmp";
  const fs::path markers = fs::path(root.path().toStdString()) / "config" / "nuvel" / "unfinished-saves";
  fs::create_directories(temp);
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  const std::string tail = std::to_string(ended) + "-0badf00d.tmp";
  const fs::path leftover = temp / (platform::TemporaryNamePrefix("a.txt") + tail);
  const fs::path held = temp / (platform::TemporaryNamePrefix("b.txt") + tail);
  const fs::path running = temp / (platform::TemporaryNamePrefix("c.txt") + std::to_string(::getpid()) + "-0badf00d.tmp");
  const fs::path other = temp / "notes.tmp";
  for (const fs::path& p : {leftover, held, running, other}) Write(p, "text");
  Write(documents / "b.txt", "mixture");
  const pid_t saver = ::fork();
  if (saver == 0)
    ::_exit(platform::WriteUnfinishedSaveMarker(markers.string(), (documents / "b.txt").string(), held.string(), false)
                .empty());
  int status = 0;
  ::waitpid(saver, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  ASSERT_EQ(Run("menu Exit1\n", {}), 0) << errors;
  EXPECT_FALSE(fs::exists(leftover));
  EXPECT_TRUE(fs::exists(held));
  EXPECT_TRUE(fs::exists(running));
  EXPECT_TRUE(fs::exists(other));
}

}  // namespace
}  // namespace nuvel
