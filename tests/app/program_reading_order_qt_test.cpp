// The built program, driven by its input script, over files of other
// programs: a file opens in the direction of its first letter, with the
// keyboard to match, and the direction toggle leaves a file as it was; a
// file of the system's own visual forms keeps its bytes either way; Find
// and Replace All take English as it is typed in an English file and inside
// a Hebrew one.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/profile.h"
#include "tests/support/program_run_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

class ProgramReadingOrder : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    // Hebrew documents, the Hebrew keyboard.
    ProgramRun::Write(run.program / "NuvelW.INI",
                      "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=0\r\nKEYTYPE=H\r\n");
  }
  QStringList Args(const fs::path& file) const { return {QString::fromStdString(file.string())}; }
  std::string Ini(const char* key) const {
    return platform::GetPrivateProfileString("GENPREFS", key, run.UserIni()).value_or("(missing)");
  }
  // `bytes` written as `name`, an hour old.
  fs::path File(const char* name, const std::string& bytes) {
    const fs::path file = run.documents / name;
    ProgramRun::Write(file, bytes);
    fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(1));
    return file;
  }

  QTemporaryDir root;
  ProgramRun run{fs::path(root.path().toStdString())};
};

TEST_F(ProgramReadingOrder, AnEnglishFileOpensAsAnEnglishDocumentWithTheEnglishKeyboard) {
  const fs::path file = File("english.txt", "The quick brown fox\r\n");
  ASSERT_EQ(run.Run("wait 300\nmenu Exit1\n", Args(file)), 0) << run.errors;
  EXPECT_EQ(Ini("ENG_FILE"), "1");
  EXPECT_EQ(Ini("KEYTYPE"), "E");
  // A Hebrew file keeps the Hebrew document.
  const fs::path hebrew = File("hebrew.txt", "\xF9\xEC\xE5\xED quick\r\n");
  ProgramRun::Write(run.program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=0\r\n");
  ASSERT_EQ(run.Run("wait 300\nmenu Exit1\n", Args(hebrew)), 0) << run.errors;
  EXPECT_EQ(Ini("ENG_FILE"), "0");
}

TEST_F(ProgramReadingOrder, TheDirectionToggleThenSaveLeavesTheFileAsItWas) {
  const std::string mixed = "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED - Hello world 123 (ok)\r\nThe quick fox, 1,234.50\r\n";
  const std::string visual = "hello \xF9\xEC\xE5\xED (12)\r\n";
  struct Case {
    const char* name;
    const std::string& bytes;
  } cases[] = {
      {"mixed.txt", mixed},
      {"visual.nvw", visual},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = File(c.name, c.bytes);
    const auto before = fs::last_write_time(file);
    const std::string script = "menu Engm1\nwait 100\nmenu Save1\nwait 100\nmenu Exit1\n";
    ASSERT_EQ(run.Run(script, Args(file)), 0) << run.errors;
    EXPECT_EQ(test::ReadWholeFile(file), c.bytes);
    EXPECT_NE(fs::last_write_time(file), before) << "saved";
  }
}

TEST_F(ProgramReadingOrder, FindTakesEnglishAsTypedInEitherDirection) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"english.txt", "The quick brown fox\r\njumps over the lazy dog\r\n"},
      {"hebrew.txt", "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED - the quick brown fox 12\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = File(c.name, c.bytes);
    const auto find = [](const char* text) {
      return std::string("menu EnglishKeyboard1\nmenu Find1\nwait 300\ntype ") + text +
             "\nkey Return\nwait 200\nkey Escape\nwait 100\nmenu Exit1\n";
    };
    ASSERT_EQ(run.Run(find("quick"), Args(file)), 0) << run.errors;
    EXPECT_EQ(run.errors.find("not found"), std::string::npos) << run.errors;
    // What the screen shows is what is found; the stored order is not.
    ASSERT_EQ(run.Run(find("kciuq"), Args(file)), 0) << run.errors;
    EXPECT_NE(run.errors.find("Search string 'kciuq' not found"), std::string::npos) << run.errors;
    EXPECT_EQ(test::ReadWholeFile(file), c.bytes);
  }
}

TEST_F(ProgramReadingOrder, ReplaceAllInAHebrewDocumentSavesTheEnglishReplacementAsTyped) {
  const fs::path file = File("hebrew.txt", "\xF9\xEC\xE5\xED quick \xF2\xE5\xEC\xED, the quick fox\r\nquick\r\n");
  const std::string script =
      "menu EnglishKeyboard1\nmenu Replace1\nwait 300\ntype quick\nkey Tab\ntype Yerushalayim\n"
      "key Alt+A\nwait 300\nkey Escape\nmenu Save1\nwait 100\nmenu Exit1\n";
  ASSERT_EQ(run.Run(script, Args(file)), 0) << run.errors;
  EXPECT_EQ(Ini("ENG_FILE"), "0") << "a Hebrew document";
  EXPECT_EQ(test::ReadWholeFile(file),
            "\xF9\xEC\xE5\xED Yerushalayim \xF2\xE5\xEC\xED, the Yerushalayim fox\r\nYerushalayim\r\n");
  EXPECT_NE(run.errors.find("3 replacements"), std::string::npos) << run.errors;
}

}  // namespace
}  // namespace nuvel
