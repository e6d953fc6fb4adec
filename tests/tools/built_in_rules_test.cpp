// The rule sets the program carries, run over small texts: each row of the
// Divine-name tables with the text around it, their undoing, the reversals,
// the English name and the tags to RTF.
#include "tools/built_in_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "tools/rule_applier.h"
#include "tools/rule_compiler.h"

namespace nuvel::tools {
namespace {

std::string Filter(int kind, std::string_view input) {
  const RuleSet rules = CompileRules(BuiltInRules(kind));
  const std::vector<uint8_t> out = RunRules(rules, std::span(reinterpret_cast<const uint8_t*>(input.data()), input.size()));
  return std::string(out.begin(), out.end());
}

struct Case {
  int kind;
  std::string input;
  std::string output;
};

TEST(BuiltInRules, EachSetOverSmallTexts) {
  const Case cases[] = {
      // 1: the names in Hebrew letters; the text around them stays.
      {1, "\xE1\xF9\xED \xE9\xE4\xE5\xE4.", "\xE1\xF9\xED \xE9\x5F\xE5\xE4."},
      {1, "\xE0\xEC \xE0\xEC\xE4\xE9 \xE0\xE1", "\x5F\xEC \xE0\xEC\x5F\xE9 \xE0\xE1"},
      {1, "\xE0\xEC\xE4\xE9\xED", "\xE0\xEC\x5F\xE9\xED"},
      {1, "\xE0\xEC\xE5\xE4", "\xE0\xEC\xE5\x5F"},
      {1, "\xE0\xE3\xF0\xE9", "\xE0\x5F\xF0\xE9"},
      {1, "\xE0\xEC \xF9\xE3\xE9", "\x5F\xEC \xF9\x5F\xE9"},
      {1, "\xE0 \xF9\xE3\xE9 \xE1", "\xE0 \xF9\x5F\xE9 \xE1"},
      {1, "\xE0 \xE9\xE4 \xE1", "\xE0 \xE9\x5F \xE1"},
      {1, "\xE0 \xE9\xE4.", "\xE0 \xE9\x5F."},
      // The short names only as words of their own.
      {1, "\xE9\xE4\xE5\xE3\xE4 \xE9\xE4\xE9", "\xE9\xE4\xE5\xE3\xE4 \xE9\xE4\xE9"},
      {1, "\xF9\xE3\xE9\xED \xE9\xE4\xEC", "\xF9\xE3\xE9\xED \xE9\xE4\xEC"},
      // 2 undoes 1.
      {2, "\xE9\x5F\xE5\xE4 \xE0\xEC\x5F\xE9\xED", "\xE9\xE4\xE5\xE4 \xE0\xEC\xE4\xE9\xED"},
      // 4: the plain names, then the pointed forms.
      {4, "\xE9\xE4\xE5\xE4", "\xE9\x5F\xE5\xE4"},
      {4, "\xE9\xC0\xE4\xC9\xE5\xC8\xE4", "\xE9\xC0\x5F\xC9\xE5\xC8\xE4"},
      {4, "\xE9\xC0\xE4\x8D\xC8\xE4", "\xE9\xC0\x5F\xC9\xE5\xC8\xE4"},
      // The form after he with qamats keeps its blank, so the next word
      // stays a word of its own.
      {4, "\xE4\xC8\xE0\xC5\xEC \xE4\xE2\xE3\xE5\xEC", "\xE4\xC8\x5F\xC5\xEC \xE4\xE2\xE3\xE5\xEC"},
      {4, "<\xE0\xC5\xEC \xE0", "<\x5F\xC5\xEC \xE0"},
      {4, "\xE0 \xE0\xC5\xEC: \xE1", "\xE0 \x5F\xC5\xEC: \xE1"},
      {4, "\xE0\xC1\xEC\xE5\xC9\xE4\xCC\xC7", "\xE0\xC1\xEC\xE5\xC9\x5F\xC7"},
      {4, "\xF9\xD1\xC7\xE3\xCC\xC7\xE9", "\xF9\xD1\xC7\x5F\xC7\xE9"},
      {4, "\xE0\xC1\x8F\xE4\xC8\xE9\xE5", "\xE0\xC1\x8F\x5F\xC8\xE9\xE5"},
      // 5 undoes 4, the blank of the fourth form included.
      {5, "\xE4\xC8\x5F\xC5\xEC \xE4\xE2\xE3\xE5\xEC", "\xE4\xC8\xE0\xC5\xEC \xE4\xE2\xE3\xE5\xEC"},
      {5, "\xE9\x5F\xE5\xE4 \xE9\xC0\x5F\xE5\xC9\xC8\xE4", "\xE9\xE4\xE5\xE4 \xE9\xC0\xE4\xE5\xC9\xC8\xE4"},
      // 3: every line reversed.
      {3, "abc\r\nde\r\n", "cba\r\ned\r\n"},
      // 6: runs of Hebrew letters, double quotes and blanks reversed.
      {6, "ab\xE0\xE1 \"\xE2.", "ab\xE2\" \xE1\xE0."},
      // 7: runs of the characters from blank to "z" reversed.
      {7, "ab cd\xE0xy\r\n", "dc ba\xE0yx\r\n"},
      // 8: the English name; its first rule needs no word boundary.
      {8, "GOD", "G-D"},
      {8, " God,", " G-d,"},
      {8, "GODLY", "G-DLY"},
      {8, "(god)", "(G-d)"},
      {8, "x\r\nGod\r\ny", "x\r\nG-d\r\ny"},
      {8, "Godly", "Godly"},
      // 9 undoes 8.
      {9, "G-D and \"G-d\"", "GOD and \"GOD\""},
      // 10: tags and dashes to RTF control words.
      {10, "<B>x<M> <i>y<D>", "\\b x\\b0  \\i y\\i0 "},
      {10, "a--b", "a\\emdash b"},
      {10, "@YEND=YN", "   *** YN ***"},
  };
  for (const Case& c : cases) EXPECT_EQ(Filter(c.kind, c.input), c.output) << "kind " << c.kind << ": " << c.input;
}

TEST(BuiltInRules, ProtectionIsUndoneExactly) {
  // A text with every plain name and pointed forms that keep their letters:
  // protecting and unprotecting gives it back byte for byte.
  const std::string text =
      "\xE9\xE4\xE5\xE4 \xE0\xEC \xE0\xEC\xE4\xE9 \xE0\xEC\xE5\xE4 \xE0\xE3\xF0\xE9 \xE9\xE4.\r\n"
      "\xE4\xC8\xE0\xC5\xEC \xE0\xC1\xEC\xC9\xE4\xC4\xE9\xED \xE0\xC2\xE3\xC9\xF0\xC8\xE9\r\n";
  const std::string kept = Filter(4, text);
  EXPECT_NE(kept, text);
  EXPECT_EQ(Filter(5, kept), text);
}

TEST(BuiltInRules, SetSizesAndUnknownKinds) {
  const struct {
    int kind;
    std::size_t count;
  } sizes[] = {{1, 9}, {2, 9}, {3, 1}, {4, 57}, {5, 57}, {6, 1}, {7, 1}, {8, 5}, {9, 5}, {10, 11}};
  for (const auto& s : sizes) EXPECT_EQ(BuiltInRules(s.kind).size(), s.count) << s.kind;
  EXPECT_TRUE(BuiltInRules(0).empty());
  EXPECT_TRUE(BuiltInRules(11).empty());
}

}  // namespace
}  // namespace nuvel::tools
