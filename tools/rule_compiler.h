#pragma once
// Compiles rule lines ("pattern=replacement", MACRO lines, comments) into the
// byte code that the rule applier runs.
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/rule_set.h"

namespace nuvel::tools {

// A rule source that cannot be compiled. `RuleNumber()` is the number of the
// rule that failed (0 when the source holds no rule at all), `Line()` the rule
// line after comment removal and macro expansion, `Check()` the text of the
// failed check; what() joins them into the text shown to the user.
class RuleCompileError : public std::runtime_error {
 public:
  RuleCompileError(unsigned ruleNumber, std::string line, std::string check);
  unsigned RuleNumber() const { return ruleNumber_; }
  const std::string& Line() const { return line_; }
  const std::string& Check() const { return check_; }

 private:
  unsigned ruleNumber_;
  std::string line_;
  std::string check_;
};

// Texts of the failed checks.
namespace rule_errors {
inline constexpr const char* kNeedCloseBracket = "Need a closing \"]\" ON THIS LINE";
inline constexpr const char* kBadEscape = "COULD BE SPECIAL OPERATION OR \\\\";
inline constexpr const char* kMacroDelimiter = " \"@\" required AS MACRONAME DELIMITER";
inline constexpr const char* kMustBeSet = " MUST BE SET ([]) OR $ ";
inline constexpr const char* kAtInLeftPart = " SYMBOL @ in LEFT PART of RULE";
inline constexpr const char* kDigitAfterAmpersand = "MISSED DIGIT AFTER & ";
inline constexpr const char* kWrongAtParameter = "WRONG @ PARAMETR";
inline constexpr const char* kDigitAfterCaret = "MISSED DIGIT AFTER ^ ";
inline constexpr const char* kNoRules = "No Rules!";
inline constexpr const char* kNoSeparator = "NO \"=\" BETWEEN LEFT AND RIGHT PART";
inline constexpr const char* kTooManyGroups = "MORE THAN 10 GROUPS IN RULE";
inline constexpr const char* kCodeTooLong = "MORE THAN 255 CODE BYTES ON ONE SIDE OF RULE";
inline constexpr const char* kTooManyRules = "MORE THAN 1500 RULES";
// "Name " + name + kMacroNotFound
inline constexpr const char* kMacroNotFound = "NOT FOUND AMONG MACRODEFINITIONS";
}  // namespace rule_errors

// Characters that end a literal run in a pattern and that a backslash turns
// into literals there: ! # $ % * = ? @ [ \ ] { | } ~
extern const ByteSet LeftSpecialChars;
// Characters that a backslash turns into literals in a replacement: $ & @ \ ^
extern const ByteSet RightSpecialChars;

// Compiles the lines in order (each without its line end). Throws
// RuleCompileError on a failed check and when no line holds a rule.
RuleSet CompileRules(std::span<const std::string> lines);

// Splits rule-file bytes into lines; a line ends at LF, and a CR right before
// the LF is dropped. The last line needs no line end.
std::vector<std::string> SplitRuleLines(std::string_view bytes);

// Reads a rule file whole and splits it into lines. Throws std::runtime_error
// when the file cannot be read.
std::vector<std::string> ReadRuleFile(const std::filesystem::path& path);

}  // namespace nuvel::tools
