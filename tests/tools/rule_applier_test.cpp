#include "tools/rule_applier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tools/rule_compiler.h"

namespace nuvel::tools {
namespace {

std::string Apply(const std::vector<std::string>& rules, std::string_view input) {
  const RuleSet set = CompileRules(rules);
  const std::vector<uint8_t> out =
      RunRules(set, std::span(reinterpret_cast<const uint8_t*>(input.data()), input.size()));
  return std::string(out.begin(), out.end());
}

struct ApplyCase {
  std::string name;
  std::vector<std::string> rules;
  std::string input;
  std::string output;
};

void PrintTo(const ApplyCase& c, std::ostream* os) { *os << c.name; }

class ApplyTable : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyTable, RewritesInput) {
  const ApplyCase& c = GetParam();
  EXPECT_EQ(Apply(c.rules, c.input), c.output);
}

const std::string kLongLine = [] {
  std::string s;
  for (int i = 0; i < 300; ++i) s += char('a' + i % 26);
  return s;
}();
const std::string kLongLineReversed(kLongLine.rbegin(), kLongLine.rend());

INSTANTIATE_TEST_SUITE_P(
    Rules, ApplyTable,
    ::testing::Values(
        // Key test on the pair: the first "a" of "aab" is copied.
        ApplyCase{"pair key", {"ab=X"}, "aab", "aX"},
        ApplyCase{"line reversal", {"%{?*}$=^0$"}, "abc\r\nde\r\n", "cba\r\ned\r\n"},
        ApplyCase{"reversal longer than 255", {"%{?*}$=^0$"}, kLongLine + "\r\n", kLongLineReversed + "\r\n"},
        ApplyCase{"set run group", {"{[0-9]*}=<&0>"}, "x12y", "x<12>y"},
        ApplyCase{"skip to set", {"?*[;]="}, "ab;c", "c"},
        ApplyCase{"digits deleted", {"#="}, "a1b22", "ab"},
        ApplyCase{"numbers", {"!=N"}, "3.25 and 7", "N and N"},
        ApplyCase{"no number", {"!=N"}, "1.2.3", "1.N"},
        ApplyCase{"sign is no number", {"!=N"}, "+5", "+N"},
        ApplyCase{"line ends doubled", {"{$}=&0&0", "x=$"}, "a\r\nx", "a\r\n\r\n\r\n"},
        ApplyCase{"lone CR or LF is no line end", {"$=|"}, "a\rb\nc\r\n", "a\rb\nc|"},
        ApplyCase{"empty input", {"a=b"}, "", ""},
        ApplyCase{"no rule applies", {"q=Q"}, "abc", "abc"},
        // "%" holds at the first position of the look-ahead window, not of a line.
        ApplyCase{"window start after match", {"%a=X"}, "aaa", "XXX"},
        ApplyCase{"window start after failed attempt", {"%a=X"}, "baa", "baX"},
        ApplyCase{"window start after copied byte", {"%a=X"}, "aba", "Xba"},
        // A failed attempt rewinds to where it began and the bytes it read are tried again.
        ApplyCase{"rewind after look-ahead", {"abc=X", "b=Y"}, "abd", "aYd"},
        ApplyCase{"look-ahead to the end keeps every byte", {"abcd=X"}, "abc", "abc"},
        ApplyCase{"look-ahead past several bytes", {"abcdef=X", "c=C"}, "abcd", "abCd"},
        // Case: literals compare without regard to ASCII case, keys one way only.
        ApplyCase{"lower-case rule on upper-case input", {"abc=X"}, "ABC aBc", "X X"},
        ApplyCase{"upper-case rule letter on lower-case input", {"Ab=X"}, "ab Ab AB", "ab X X"},
        ApplyCase{"sets compare exactly", {"[a]=X"}, "aA", "XA"},
        ApplyCase{"Hebrew letters keep their case", {"\\224=A"}, "\xe0\xc0", "A\xc0"},
        // Only the first candidate and the rules linked from it are tried.
        ApplyCase{"linked rule tried without its key", {"a#=1", "Ax=2"}, "ax", "2"},
        ApplyCase{"unlinked rule not tried", {"a#=1", "?x=2"}, "ax", "ax"},
        ApplyCase{"first candidate in file order", {"#=D", "1=one"}, "1", "D"},
        // Modes flipped by a rule attempt stay flipped, whether it matched or not.
        ApplyCase{"case mode flipped off by a failed attempt", {"a\\cbc=X"}, "ax ABC abc ABC", "ax ABC X ABC"},
        ApplyCase{"case mode flipped by failing rule", {"q\\cx=1", "abc=2"}, "qy ABC qy ABC", "qy ABC qy 2"},
        ApplyCase{"blank skipping stays on", {"q\\w=", "a=A"}, "q a b", "Ab"},
        ApplyCase{"blank skipping at the end", {"q\\w="}, "q  ", ""},
        ApplyCase{"space run", {"a\\b=<&0>", "x{\\b}y=[&0]"}, "a   bx  y xy", "<>b[  ] []"},
        ApplyCase{"space run captured", {"x{\\b}y=[&0]"}, "x  y xy", "[  ] []"},
        // Runs at the end of the input.
        ApplyCase{"skip to line end at end of input", {"?*$=L"}, "abc", "abc"},
        ApplyCase{"skip to set at end of input", {"?*[;]=X"}, "abc", "abc"},
        ApplyCase{"skip to line end then more", {"{?*}$=[&0]"}, "ab\r\ncd", "[ab]cd"},
        ApplyCase{"set run at end of input", {"{[a-c]*}=<&0>"}, "xabc", "x<abc>"},
        ApplyCase{"negated set run at end of input", {"[~;]*=X"}, "ab;cd", "X;cd"},
        ApplyCase{"any at end of input", {"a?=X"}, "ba", "ba"},
        // Groups.
        ApplyCase{"groups swapped", {"{?}{?}=&1&0"}, "abcd", "badc"},
        ApplyCase{"group closed by skip", {"{?*}[;]=<&0>"}, "ab;c", "<ab>c"},
        ApplyCase{"group reversed", {"{[a-z]*}=^0"}, "abc def", "cba fed"},
        ApplyCase{"missing group is empty", {"a=<&5>"}, "a", "<>"},
        ApplyCase{"macro parameter writes nothing", {"MACRO P:@7:/* = */", "a=x@P@y"}, "a", "xy"},
        ApplyCase{"Hebrew run", {"MACRO HEB:[\\224-\\250]*/* = */", "{@HEB@}=(^0)"},
                  "ab \xf9\xec\xe5\xed cd", "ab (\xed\xe5\xec\xf9) cd"},
        // Patterns that can match no text still let the run move on.
        ApplyCase{"empty pattern", {"=X"}, "a b", "aX b"},
        ApplyCase{"window start only", {"%=>"}, "ab", ">a>b"}));

TEST(RuleApplier, NeverWritesPastTheInput) {
  // Every rule here looks ahead or steps at the very end of the input.
  const std::vector<std::vector<std::string>> sets = {
      {"a?=X"}, {"?*$=X"}, {"[~a]*=X"}, {"\\w=", "x=y"}, {"abc=X"}, {"!=N"}, {"$=X"}, {"?=X"},
  };
  for (const auto& rules : sets) {
    for (std::string input : {"a", "ab", "a ", "1.", "\r", "xyz  "}) {
      const std::string out = Apply(rules, input);
      EXPECT_EQ(out.find('\0'), std::string::npos) << rules.front() << " on " << input;
    }
  }
}

}  // namespace
}  // namespace nuvel::tools
