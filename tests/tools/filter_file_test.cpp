#include "tools/filter_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "tests/support/named_pipe.h"
#include "tests/support/temp_program_folder.h"
#include "tools/rule_applier.h"
#include "tools/rule_compiler.h"

namespace nuvel::tools {
namespace {

namespace fs = std::filesystem;
using test::FixturePath;
using test::ReadWholeFile;
using test::TempProgramFolder;

std::string RunOn(const std::vector<std::string>& rules, std::string_view input) {
  const std::vector<uint8_t> out =
      RunRules(CompileRules(rules), std::span(reinterpret_cast<const uint8_t*>(input.data()), input.size()));
  return std::string(out.begin(), out.end());
}

// The rule fixtures as an array of lines, the way a caller that builds its
// own rules passes them.
struct RuleFixture {
  const char* file;
  std::vector<std::string> lines;
  std::string input;
  std::string output;
};

const RuleFixture kFixtures[] = {
    {"hebrew.RLE",
     {"/* Hebrew and English clean-up rules */", "MACRO HEB:[\\224-\\250]/* = */", "MACRO DIG:[0-9]/* = */",
      "\xf9\xec\xe5\xed=shalom", "{@HEB@*}\\b{@DIG@*}=&1 &0/* number before the Hebrew word */", "colour=color",
      "$$=$/* collapse blank lines */"},
     "colour \xe3\xf3 12\r\n\r\n\xf9\xec\xe5\xed\r\n",
     "color 12 \xe3\xf3\r\nshalom\r\n"},
    {"numbers.rle",
     {"!=<N>", "#=D", "x\\w=X/* blank skipping on after the first x */", "%y=Y"},
     "y 3.5 x 1 y",
     "Y <N> X<N>Y"},
    {"words.Rle",
     {"MACRO W:[a-z]*/* = */", "%{@W@}=^0", "{?}{?}[;]=&1&0"},
     "abc de;f",
     "cba edf"},
};

TEST(FilterFile, RuleFilesCompileLikeTheirLines) {
  for (const RuleFixture& f : kFixtures) {
    const fs::path path = FixturePath(std::string("rules/") + f.file);
    const std::vector<std::string> fromFile = ReadRuleFile(path);
    EXPECT_EQ(fromFile, f.lines) << f.file;
    EXPECT_EQ(CompileRules(fromFile).rules, CompileRules(f.lines).rules) << f.file;
    EXPECT_EQ(RunOn(f.lines, f.input), f.output) << f.file;
  }
}

TEST(FilterFile, FiltersThroughRuleFileAndArrayAlike) {
  TempProgramFolder folder;
  for (const RuleFixture& f : kFixtures) {
    fs::copy_file(FixturePath(std::string("rules/") + f.file), folder.Path(f.file));
    folder.WriteFile("viaFile.txt", f.input);
    folder.WriteFile("viaArray.txt", f.input);
    // The rule file is named with another extension; ".RLE" in any case is read.
    FilterFile(folder.Path(fs::path(f.file).stem().string() + ".txt").string(), folder.Path("viaFile.txt").string(),
               folder.Path("viaFile.txt").string(), {});
    FilterFile("", folder.Path("viaArray.txt").string(), folder.Path("viaArray.txt").string(), f.lines);
    EXPECT_EQ(folder.ReadFile("viaFile.txt"), f.output) << f.file;
    EXPECT_EQ(folder.ReadFile("viaArray.txt"), f.output) << f.file;
    EXPECT_FALSE(fs::exists(folder.Path(kFilterTempName)));
  }
}

TEST(FilterFile, RuleFileNameTakesExtensionRle) {
  EXPECT_EQ(RuleFileName("X.txt"), "X.RLE");
  EXPECT_EQ(RuleFileName("/a.b/X"), "/a.b/X.RLE");
  EXPECT_EQ(RuleFileName("/a/X.rle"), "/a/X.RLE");
  EXPECT_EQ(RuleFileName("/a/X.tar.gz"), "/a/X.tar.RLE");
}

TEST(FilterFile, PrefersExactRuleFileName) {
  TempProgramFolder folder;
  folder.WriteFile("R.RLE", "a=1\r\n");
  folder.WriteFile("R.rle", "a=2\r\n");
  EXPECT_EQ(FindRuleFile(folder.Path("R.txt").string()), folder.Path("R.RLE"));
  folder.WriteFile("in.txt", "a");
  FilterFile(folder.Path("R").string(), folder.Path("in.txt").string(), folder.Path("in.txt").string(), {});
  EXPECT_EQ(folder.ReadFile("in.txt"), "1");
  // The stem is compared exactly.
  EXPECT_TRUE(FindRuleFile(folder.Path("r.txt").string()).empty());
}

TEST(FilterFile, WritesOutputBesideAndLeavesInput) {
  TempProgramFolder folder;
  folder.WriteFile("in.txt", "abc");
  fs::create_directory(folder.Path("out"));
  const std::vector<std::string> rules = {"b=B"};
  FilterFile("", folder.Path("in.txt").string(), folder.Path("out/result.txt").string(), rules);
  EXPECT_EQ(folder.ReadFile("in.txt"), "abc");
  EXPECT_EQ(ReadWholeFile(folder.Path("out/result.txt")), "aBc");
  // An existing output file is replaced.
  FilterFile("", folder.Path("in.txt").string(), folder.Path("out/result.txt").string(), std::vector<std::string>{"a="});
  EXPECT_EQ(ReadWholeFile(folder.Path("out/result.txt")), "bc");
}

TEST(FilterFile, EmptyInputFileGivesEmptyOutput) {
  TempProgramFolder folder;
  folder.WriteFile("in.txt", "");
  folder.WriteFile("out.txt", "old");
  FilterFile("", folder.Path("in.txt").string(), folder.Path("out.txt").string(), std::vector<std::string>{"a=b"});
  EXPECT_TRUE(fs::exists(folder.Path("out.txt")));
  EXPECT_EQ(folder.ReadFile("out.txt"), "");
}

TEST(FilterFile, MissingOrUnnamedInputFiltersNothing) {
  TempProgramFolder folder;
  folder.WriteFile("out.txt", "old");
  const std::vector<std::string> rules = {"a=b"};
  FilterFile("", folder.Path("missing.txt").string(), folder.Path("out.txt").string(), rules);
  FilterFile("", "", folder.Path("out.txt").string(), rules);
  EXPECT_EQ(folder.ReadFile("out.txt"), "old");
  EXPECT_FALSE(fs::exists(folder.Path(kFilterTempName)));
}

// Every failure leaves the input and the output as they were.
TEST(FilterFile, FailuresLeaveFilesUntouched) {
  struct Case {
    const char* name;
    std::vector<std::string> rules;  // empty: read "rules.RLE" when present
    const char* ruleFile;            // written as "rules.RLE" when not null
    const char* message;             // start of the error text
  };
  const Case cases[] = {
      {"missing rule file", {}, nullptr, "Rule file not found: "},
      {"compile error in file", {}, "a=b\r\nc=&\r\n", "********* COMPILATION ERROR in RULE # 2"},
      {"compile error in array", {"x=^"}, nullptr, "********* COMPILATION ERROR in RULE # 1"},
      {"no rules in file", {}, "/* nothing = here */\r\n", "No Rules!"},
      {"no rules in array", {"no rule"}, nullptr, "No Rules!"},
  };
  for (const Case& c : cases) {
    TempProgramFolder folder;
    folder.WriteFile("in.txt", "abc");
    folder.WriteFile("out.txt", "old");
    if (c.ruleFile != nullptr) folder.WriteFile("rules.RLE", c.ruleFile);
    try {
      FilterFile(folder.Path("rules").string(), folder.Path("in.txt").string(), folder.Path("out.txt").string(),
                 c.rules);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.name << ": " << e.what();
    }
    EXPECT_EQ(folder.ReadFile("in.txt"), "abc") << c.name;
    EXPECT_EQ(folder.ReadFile("out.txt"), "old") << c.name;
    EXPECT_FALSE(fs::exists(folder.Path(kFilterTempName))) << c.name;
  }
}

TEST(FilterFile, MissingRuleFileTextNamesTheFile) {
  TempProgramFolder folder;
  folder.WriteFile("in.txt", "abc");
  const std::string rules = folder.Path("nothere.txt").string();
  try {
    FilterFile(rules, folder.Path("in.txt").string(), folder.Path("in.txt").string(), {});
    FAIL();
  } catch (const FilterError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Rule file not found: " + folder.Path("nothere.RLE").string() + " :\xE0\xF6\xEE\xF0 \xE0\xEC");
  }
}

TEST(FilterFile, TemporaryFileThatCannotBeMadeStopsTheRun) {
  TempProgramFolder folder;
  folder.WriteFile("in.txt", "abc");
  fs::create_directory(folder.Path(kFilterTempName));
  try {
    FilterFile("", folder.Path("in.txt").string(), folder.Path("in.txt").string(), std::vector<std::string>{"a=b"});
    FAIL();
  } catch (const FilterError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Ioresult<>0 ", 0), 0u) << e.what();
  }
  EXPECT_EQ(folder.ReadFile("in.txt"), "abc");
}

TEST(FilterFile, UnreadableInputIsAnError) {
  TempProgramFolder folder;
  fs::create_directory(folder.Path("dir"));
  folder.WriteFile("out.txt", "old");
  EXPECT_THROW(FilterFile("", folder.Path("dir").string(), folder.Path("out.txt").string(),
                          std::vector<std::string>{"a=b"}),
               EInOutError);
  EXPECT_EQ(folder.ReadFile("out.txt"), "old");
}

TEST(FilterFile, ANamedPipeAsInputIsRefusedAtOnce) {
  TempProgramFolder folder;
  folder.WriteFile("out.txt", "old");
  const test::NamedPipe input(folder.Path("pipe.txt"));
  ASSERT_TRUE(input.Made());
  bool refused = false;
  const auto filter = [&] {
    try {
      FilterFile("", input.Name(), folder.Path("out.txt").string(), std::vector<std::string>{"a=b"});
    } catch (const EInOutError&) {
      refused = true;
    }
  };
  EXPECT_TRUE(input.EndsWithinASecond(filter)) << "waited for a writer";
  EXPECT_TRUE(refused);
  EXPECT_EQ(folder.ReadFile("out.txt"), "old");
}

TEST(FilterFile, FailedRenameKeepsInputAndRemovesTemporary) {
  TempProgramFolder folder;
  folder.WriteFile("in.txt", "abc");
  EXPECT_THROW(FilterFile("", folder.Path("in.txt").string(), folder.Path("no/such/out.txt").string(),
                          std::vector<std::string>{"a=b"}),
               EInOutError);
  EXPECT_EQ(folder.ReadFile("in.txt"), "abc");
  EXPECT_FALSE(fs::exists(folder.Path(kFilterTempName)));
}

}  // namespace
}  // namespace nuvel::tools
