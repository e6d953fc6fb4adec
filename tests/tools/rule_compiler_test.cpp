#include "tools/rule_compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvel::tools {
using namespace std::string_view_literals;
namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct CompileCase {
  std::vector<std::string> lines;  // the last rule of the source is checked
  Bytes left;
  Bytes right;
  RuleKey key;
};

void PrintTo(const CompileCase& c, std::ostream* os) { *os << '"' << c.lines.back() << '"'; }

class CompileTable : public ::testing::TestWithParam<CompileCase> {};

TEST_P(CompileTable, CompilesToCodeAndKey) {
  const CompileCase& c = GetParam();
  const RuleSet set = CompileRules(c.lines);
  ASSERT_FALSE(set.rules.empty());
  const CompiledRule& rule = set.rules.back();
  EXPECT_EQ(rule.left, c.left);
  EXPECT_EQ(rule.right, c.right);
  EXPECT_EQ(rule.key.kind, c.key.kind);
  EXPECT_EQ(rule.key.first, c.key.first);
  EXPECT_EQ(rule.key.second, c.key.second);
}

RuleKey K(uint8_t kind, uint8_t first, uint8_t second) { return RuleKey{kind, first, second, 0}; }
const RuleKey kResetKey = K(0, ' ', ' ');

INSTANTIATE_TEST_SUITE_P(
    Rules, CompileTable,
    ::testing::Values(
        CompileCase{{"abc=xyz"}, B("\0\3abc"sv), B("\4\0\3xyz"sv), K(4, 'a', 'b')},
        CompileCase{{"a[bc]=x"}, Cat({B("\0\1a"sv), B("\x08\0\2bc"sv)}), B("\4\0\1x"sv), K(0, 'a', ' ')},
        CompileCase{{"{[abc]}=&0"}, B("\x06\x08\0\3abc\x07"sv), B("\4\1\0"sv), K(1, 'a', 'c')},
        CompileCase{{"[~xz]="}, B("\x08\1\2xz"sv), B("\4"sv), K(7, 'x', 'z')},
        CompileCase{{"\\65=B"}, B("\0\1A"sv), B("\4\0\1B"sv), K(0, 'A', ' ')},
        CompileCase{{"\\=x=y"}, B("\0\1=\0\1x"sv), B("\4\0\1y"sv), K(0, '=', ' ')},
        CompileCase{{"\\cab=x"}, B("\x0e\2\0\2ab"sv), B("\4\0\1x"sv), kResetKey},
        CompileCase{{"\\wx="}, B("\x0e\1\0\1x"sv), B("\4"sv), kResetKey},
        CompileCase{{"\\bx="}, B("\x0e\3\0\1x"sv), B("\4"sv), kResetKey},
        CompileCase{{"|a="}, B("\x0c\0\1a"sv), B("\4"sv), kResetKey},
        CompileCase{{"}a="}, B("\x07\0\1a"sv), B("\4"sv), kResetKey},
        CompileCase{{"[a-z]*="}, B("\x09\0\3a\0z"sv), B("\4"sv), K(1, 'a', 'z')},
        CompileCase{{"[a]=x"}, B("\x08\0\2aa"sv), B("\4\0\1x"sv), K(1, 'a', 'a')},
        CompileCase{{"[\\-a]="}, B("\x08\0\2-a"sv), B("\4"sv), K(1, '-', 'a')},
        CompileCase{{"[-a]="}, B("\x08\0\2-a"sv), B("\4"sv), K(1, '-', 'a')},
        CompileCase{{"[a-]="}, B("\x08\0\2a-"sv), B("\4"sv), K(1, '-', 'a')},
        CompileCase{{"[\\225x]="}, B("\x08\0\2\xe1x"sv), B("\4"sv), K(1, 'x', 0xE1)},
        CompileCase{{"[\\q]="}, B("\x08\0\2\\q"sv), B("\4"sv), K(1, '\\', 'q')},
        CompileCase{{"[z-a9]="}, B("\x08\0\4z\0a9"sv), B("\4"sv), K(1, '9', 'z')},
        CompileCase{{"?*[;]="}, B("\x0a\x08\0\2;;"sv), B("\4"sv), K(3, ' ', ' ')},
        CompileCase{{"%{?*}$=^0$"}, B("\4\6\x0b\5"sv), B("\4\5\0\3"sv), K(2, ' ', ' ')},
        CompileCase{{"{$}=&0&0"}, B("\6\5\7"sv), B("\4\1\0\1\0"sv), K(5, '\r', '\n')},
        CompileCase{{"?="}, B("\1"sv), B("\4"sv), K(3, ' ', ' ')},
        CompileCase{{"#="}, B("\2"sv), B("\4"sv), K(1, '0', '9')},
        CompileCase{{"!=N"}, B("\3"sv), B("\4\0\1N"sv), K(6, '0', '9')},
        CompileCase{{"*]~=x"}, B("\0\1*\0\1]\0\1~"sv), B("\4\0\1x"sv), K(0, '*', ' ')},
        CompileCase{{"a.b c=x"}, B("\0\5a.b c"sv), B("\4\0\1x"sv), K(4, 'a', '.')},
        CompileCase{{"\\0651=x"}, B("\0\1A\0\0011"sv), B("\4\0\1x"sv), K(0, 'A', ' ')},
        CompileCase{{"\\300=x"}, B("\0\1,"sv), B("\4\0\1x"sv), K(0, ',', ' ')},
        CompileCase{{"a=\\$\\&\\@\\\\\\^"}, B("\0\1a"sv), B("\4\0\1$\0\1&\0\1@\0\1\\\0\1^"sv), K(0, 'a', ' ')},
        CompileCase{{"a=x\\65y"}, B("\0\1a"sv), B("\4\0\1x\0\1A\0\1y"sv), K(0, 'a', ' ')},
        CompileCase{{"a=1=2"}, B("\0\1a"sv), B("\4\0\0031=2"sv), K(0, 'a', ' ')},
        CompileCase{{"a=&1^2$"}, B("\0\1a"sv), B("\4\1\1\5\2\3"sv), K(0, 'a', ' ')},
        CompileCase{{"="}, B(""sv), B("\4"sv), kResetKey},
        // Comments.
        CompileCase{{"a/*c=d*/b=e"}, B("\0\2ab"sv), B("\4\0\1e"sv), K(4, 'a', 'b')},
        CompileCase{{"a=b/* unclosed = comment"}, B("\0\1a"sv), B("\4\0\1b"sv), K(0, 'a', ' ')},
        CompileCase{{"[\\/*]=x"}, B("\x08\0\3\\/*"sv), B("\4\0\1x"sv), K(1, '*', '\\')},
        // Macros.
        CompileCase{{"MACRO HEB:[\\224-\\250]=", "@HEB@x=y"}, B("\x08\0\3\xe0\0\xfa"sv), B("\4\0\3x=y"sv),
                    K(1, 0xE0, 0xFA)},
        CompileCase{{"macro X:a=", "MACRO x:b=", "@x@1="}, B("\0\1a"sv), B("\4\0\0021="sv), K(0, 'a', ' ')},
        CompileCase{{"MACRO P:@12: /* = */", "a=@P@b"}, B("\0\1a"sv), B("\4\2\x0c\0\2 b"sv), K(0, 'a', ' ')},
        CompileCase{{"MACRO L abc=", "@L@z="}, B("\0\3abc"sv), B("\4\0\2z="sv), K(4, 'a', 'b')},
        // A line with no "=" of its own is no rule, whatever its macros hold.
        CompileCase{{"MACRO HEB:[\\224-\\250]=", "@HEB@x", "q=r"}, B("\0\1q"sv), B("\4\0\1r"sv), K(0, 'q', ' ')},
        CompileCase{{"\\@=b"}, B("\0\1@"sv), B("\4\0\1b"sv), K(0, '@', ' ')}));

struct ErrorCase {
  std::vector<std::string> lines;
  unsigned ruleNumber;
  std::string check;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << '"' << (c.lines.empty() ? std::string() : c.lines.back().substr(0, 40)) << '"';
}

class CompileErrorTable : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CompileErrorTable, ReportsRuleNumberAndText) {
  const ErrorCase& c = GetParam();
  try {
    CompileRules(c.lines);
    FAIL() << "compiled without error";
  } catch (const RuleCompileError& e) {
    EXPECT_EQ(e.RuleNumber(), c.ruleNumber);
    EXPECT_EQ(e.Check(), c.check);
  }
}

std::vector<std::string> ManyRules(std::size_t count) { return std::vector<std::string>(count, "a=b"); }

INSTANTIATE_TEST_SUITE_P(
    Errors, CompileErrorTable,
    ::testing::Values(
        ErrorCase{{"x=&"}, 1, "MISSED DIGIT AFTER & "},
        ErrorCase{{"a=b", "x=^y"}, 2, "MISSED DIGIT AFTER ^ "},
        ErrorCase{{"[ab=x"}, 1, "Need a closing \"]\" ON THIS LINE"},
        ErrorCase{{"\\q=x"}, 1, "COULD BE SPECIAL OPERATION OR \\\\"},
        ErrorCase{{"a=\\q"}, 1, "COULD BE SPECIAL OPERATION OR \\\\"},
        ErrorCase{{"a=b\\"}, 1, "COULD BE SPECIAL OPERATION OR \\\\"},
        ErrorCase{{"@X=y"}, 1, " \"@\" required AS MACRONAME DELIMITER"},
        ErrorCase{{"@Xy@=y"}, 1, "Name XyNOT FOUND AMONG MACRODEFINITIONS"},
        ErrorCase{{"?*a=x"}, 1, " MUST BE SET ([]) OR $ "},
        ErrorCase{{"?*}a=x"}, 1, " MUST BE SET ([]) OR $ "},
        ErrorCase{{"?*"}, 0, "No Rules!"},
        // A body is not expanded again, so its "@" reaches the pattern.
        ErrorCase{{"MACRO A:@B@=", "MACRO B:z=", "@A@y="}, 1, " SYMBOL @ in LEFT PART of RULE"},
        ErrorCase{{"MACRO P:@12x /* = */", "a=@P@"}, 1, "WRONG @ PARAMETR"},
        ErrorCase{{"MACRO P:@x: /* = */", "a=@P@"}, 1, "WRONG @ PARAMETR"},
        ErrorCase{{"no rule here", "/* = */", "MACRO A:x="}, 0, "No Rules!"},
        ErrorCase{{}, 0, "No Rules!"},
        // Comment lines and MACRO lines take no rule number.
        ErrorCase{{"/* = */", "MACRO A:b=", "a=b", "", "c=&"}, 2, "MISSED DIGIT AFTER & "},
        // Lines without a separator the rule could be split at.
        ErrorCase{{"[=]"}, 1, "NO \"=\" BETWEEN LEFT AND RIGHT PART"},
        ErrorCase{{"a\\=b"}, 1, "NO \"=\" BETWEEN LEFT AND RIGHT PART"},
        ErrorCase{{"abc /* = */"}, 1, "NO \"=\" BETWEEN LEFT AND RIGHT PART"},
        // Table limits.
        ErrorCase{{"{a}{b}{c}{d}{e}{f}{g}{h}{i}{j}{k}=x"}, 1, "MORE THAN 10 GROUPS IN RULE"},
        ErrorCase{{"}}}}}}}}}}{a}=x"}, 1, "MORE THAN 10 GROUPS IN RULE"},
        ErrorCase{{std::string(254, 'a') + "=x"}, 1, "MORE THAN 255 CODE BYTES ON ONE SIDE OF RULE"},
        ErrorCase{{"a=" + std::string(253, 'x')}, 1, "MORE THAN 255 CODE BYTES ON ONE SIDE OF RULE"},
        ErrorCase{{"a=" + std::string(260, '$')}, 1, "MORE THAN 255 CODE BYTES ON ONE SIDE OF RULE"},
        ErrorCase{{"[" + std::string(253, 'q') + "]=x"}, 1, "MORE THAN 255 CODE BYTES ON ONE SIDE OF RULE"},
        ErrorCase{ManyRules(1501), 1501, "MORE THAN 1500 RULES"}));

TEST(RuleCompiler, LimitsThemselvesCompile) {
  EXPECT_EQ(CompileRules(ManyRules(1500)).rules.size(), 1500u);
  EXPECT_EQ(CompileRules(std::vector<std::string>{"{a}{b}{c}{d}{e}{f}{g}{h}{i}{j}=x"}).rules.size(), 1u);
  EXPECT_EQ(CompileRules(std::vector<std::string>{std::string(253, 'a') + "=x"}).rules[0].left.size(), 255u);
}

TEST(RuleCompiler, ErrorTextNamesRuleAndLine) {
  try {
    CompileRules(std::vector<std::string>{"a=b", "x/* note */=&"});
    FAIL();
  } catch (const RuleCompileError& e) {
    EXPECT_EQ(e.Line(), "x=&");
    EXPECT_STREQ(e.what(), "********* COMPILATION ERROR in RULE # 2\r x=&\r MISSED DIGIT AFTER & ");
  }
  try {
    CompileRules(std::vector<std::string>{"no rules"});
    FAIL();
  } catch (const RuleCompileError& e) {
    EXPECT_STREQ(e.what(), "No Rules!");
  }
}

TEST(RuleCompiler, LinksRulesWithTheSameFirstKeyCharacter) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<uint32_t> links;
  };
  const Case cases[] = {
      {{"ab=1", "Ax=2"}, {2, 0}},
      {{"ab=1", "#=2"}, {0, 0}},
      {{"a=1", "b=2", "A=3", "a#=4"}, {3, 0, 4, 0}},
      // Keys left at their reset (first character a space) link to each other.
      {{"\\wa=1", " =2", "?=3"}, {2, 3, 0}},
      // A leading "{" does not count; the set's lowest member is the first character.
      {{"{[ab]}=1", "A=2", "[~a]=3"}, {2, 3, 0}},
  };
  for (const Case& c : cases) {
    const RuleSet set = CompileRules(c.lines);
    std::vector<uint32_t> links;
    for (const CompiledRule& r : set.rules) links.push_back(r.key.link);
    EXPECT_EQ(links, c.links) << c.lines.front();
  }
}

TEST(RuleCompiler, SplitsLinesAtLfAndCrLf) {
  EXPECT_EQ(SplitRuleLines("a=1\r\nb=2\nc=3"), (std::vector<std::string>{"a=1", "b=2", "c=3"}));
  EXPECT_EQ(SplitRuleLines("a=1\r\n\r\n"), (std::vector<std::string>{"a=1", ""}));
  EXPECT_EQ(SplitRuleLines(""), std::vector<std::string>{});
}

TEST(RuleCompiler, CandidateIndexKeepsFileOrderInBothCaseModes) {
  const RuleSet set = CompileRules(std::vector<std::string>{"ab=1", "%x=2", "A=3", "a=4", "?=5", "z=6"});
  // Pair and window-start keys depend on more than the byte: later rules stay.
  EXPECT_EQ(set.candidates[1]['a'], (std::vector<uint32_t>{1, 2, 4}));
  EXPECT_EQ(set.candidates[0]['a'], (std::vector<uint32_t>{1, 2, 4}));
  // An upper-case byte: the lower-case rule letters accept it only without regard to case.
  EXPECT_EQ(set.candidates[1]['A'], (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(set.candidates[0]['A'], (std::vector<uint32_t>{2, 3}));
  EXPECT_EQ(set.candidates[1]['q'], (std::vector<uint32_t>{2, 5}));
}

}  // namespace
}  // namespace nuvel::tools
