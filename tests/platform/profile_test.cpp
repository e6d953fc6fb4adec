#include "platform/profile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

struct ReadCase {
  const char* name;
  const char* file;  // nullptr: no file
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsValuesAsTheWindowsProfileFunctionsDo) {
  const ReadCase& c = GetParam();
  test::TempProgramFolder temp;
  if (c.file) temp.WriteFile("t.ini", c.file);
  EXPECT_EQ(GetPrivateProfileString(c.section, c.key, temp.Path("t.ini")), c.expected);
}


INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    ::testing::Values(
        ReadCase{"NoFile", nullptr, "A", "k", std::nullopt},
        ReadCase{"MissingSection", "[B]\r\nk=1\r\n", "A", "k", std::nullopt},
        ReadCase{"MissingKey", "[A]\r\nother=1\r\n", "A", "k", std::nullopt},
        ReadCase{"KeyOfAnotherSection", "[A]\r\n[B]\r\nk=1\r\n", "A", "k", std::nullopt},
        ReadCase{"CrLf", "[A]\r\nk=v\r\n", "A", "k", "v"},
        ReadCase{"LfOnly", "[A]\nk=v\n", "A", "k", "v"},
        ReadCase{"NoFinalLineEnd", "[A]\nk=v", "A", "k", "v"},
        ReadCase{"SectionCaseIgnored", "[GenPrefs]\nk=v\n", "GENPREFS", "k", "v"},
        ReadCase{"KeyCaseIgnored", "[A]\nEng_Prompts=No\n", "A", "ENG_PROMPTS", "No"},
        ReadCase{"BlanksAroundNamesAndValue", "[ A ]\n  k  =  v w  \n", "A", "k", "v w"},
        ReadCase{"QuotesRemoved", "[A]\nk=\"a b\"\n", "A", "k", "a b"},
        ReadCase{"EmptyValue", "[A]\nk=\n", "A", "k", ""},
        ReadCase{"EqualsInValue", "[A]\nk=a=b\n", "A", "k", "a=b"},
        ReadCase{"CommentIsNoKey", "[A]\n;k=1\n", "A", ";k", std::nullopt},
        ReadCase{"FirstOfDuplicateKeys", "[A]\nk=1\nk=2\n", "A", "k", "1"},
        ReadCase{"HebrewBytes", "[A]\nk=\xE0\xE1\xE2\n", "A", "k", "\xE0\xE1\xE2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Profile, LongValuesComeBackWhole) {
  test::TempProgramFolder temp;
  const std::string value = "/home/user/" + std::string(300, 'd') + "/file.nvw";
  ASSERT_TRUE(WritePrivateProfileString("REOPEN", "F1", value, temp.Path("t.ini")));
  EXPECT_EQ(GetPrivateProfileString("REOPEN", "F1", temp.Path("t.ini")), value);
}

struct WriteCase {
  const char* name;
  const char* before;  // nullptr: no file
  const char* section;
  std::optional<std::string> key;
  std::optional<std::string> value;
  const char* after;  // nullptr: no file
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyWhatItMust) {
  const WriteCase& c = GetParam();
  test::TempProgramFolder temp;
  if (c.before) temp.WriteFile("t.ini", c.before);
  std::optional<std::string_view> key, value;
  if (c.key) key = *c.key;
  if (c.value) value = *c.value;
  EXPECT_TRUE(WritePrivateProfileString(c.section, key, value, temp.Path("t.ini")));
  if (c.after) {
    EXPECT_EQ(temp.ReadFile("t.ini"), c.after);
  } else {
    EXPECT_FALSE(std::filesystem::exists(temp.Path("t.ini")));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    ::testing::Values(
        WriteCase{"CreatesFileAndSection", nullptr, "A", "k", "v", "[A]\r\nk=v\r\n"},
        WriteCase{"AppendsNewSectionAfterBlankLine", "[A]\r\nk=v\r\n", "B", "x", "1",
                  "[A]\r\nk=v\r\n\r\n[B]\r\nx=1\r\n"},
        WriteCase{"ReplacesValueKeepingKeySpelling", "[a]\r\nKey=old\r\n", "A", "KEY", "new", "[a]\r\nKey=new\r\n"},
        WriteCase{"AddsKeyAtEndOfSectionBeforeBlankLines", "[A]\r\nk=1\r\n\r\n[B]\r\nz=2\r\n", "A", "n", "3",
                  "[A]\r\nk=1\r\nn=3\r\n\r\n[B]\r\nz=2\r\n"},
        WriteCase{"KeepsCommentsAndForeignLines", "; top\r\n[A]\r\n; note\r\njunk line\r\nk=1\r\n", "A", "k", "2",
                  "; top\r\n[A]\r\n; note\r\njunk line\r\nk=2\r\n"},
        WriteCase{"KeepsLfLineEnds", "[A]\nk=1\n", "A", "n", "2", "[A]\nk=1\nn=2\n"},
        WriteCase{"AddsLineEndToLastLine", "[A]\nk=1", "A", "n", "2", "[A]\nk=1\nn=2\n"},
        WriteCase{"NullValueRemovesKey", "[A]\r\nk=1\r\nn=2\r\n", "A", "K", std::nullopt, "[A]\r\nn=2\r\n"},
        WriteCase{"NullValueOnMissingFileCreatesNothing", nullptr, "A", "k", std::nullopt, nullptr},
        WriteCase{"NullKeyRemovesSection", "[A]\r\nk=1\r\n[B]\r\nn=2\r\n", "a", std::nullopt, std::nullopt,
                  "[B]\r\nn=2\r\n"},
        WriteCase{"EmptyValueIsKept", "[A]\r\n", "A", "k", "", "[A]\r\nk=\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Profile, RefusesLineBreaksThatWouldDamageTheFile) {
  test::TempProgramFolder temp;
  temp.WriteFile("t.ini", "[A]\r\nk=1\r\n");
  EXPECT_FALSE(WritePrivateProfileString("A", "k", "two\r\nlines", temp.Path("t.ini")));
  EXPECT_FALSE(WritePrivateProfileString("A", "k=", "1", temp.Path("t.ini")));
  EXPECT_FALSE(WritePrivateProfileString("A]", "k", "1", temp.Path("t.ini")));
  EXPECT_EQ(temp.ReadFile("t.ini"), "[A]\r\nk=1\r\n");
}

TEST(Profile, FailedWriteLeavesTheOldFile) {
  test::TempProgramFolder temp;
  // A folder in the way of the temporary file's rename makes the write fail.
  std::filesystem::create_directories(temp.Path("dir.ini") / "x");
  EXPECT_FALSE(WritePrivateProfileString("A", "k", "1", temp.Path("dir.ini")));
  EXPECT_TRUE(std::filesystem::is_directory(temp.Path("dir.ini")));
  for (const auto& entry : std::filesystem::directory_iterator(temp.Folder())) {
    EXPECT_EQ(entry.path().filename().string().find("dir.ini."), std::string::npos) << "temporary file left";
  }
}

TEST(Profile, ListsSectionsAndKeys) {
  test::TempProgramFolder temp;
  temp.WriteFile("t.ini", "[A]\nk=1\n;c=3\nn=2\n[b]\n[a]\nz=1\n");
  EXPECT_EQ(platform::GetPrivateProfileSectionNames(temp.Path("t.ini")), (std::vector<std::string>{"A", "b"}));
  EXPECT_EQ(platform::GetPrivateProfileKeyNames("a", temp.Path("t.ini")), (std::vector<std::string>{"k", "n"}));
}

}  // namespace
}  // namespace nuvel
