#pragma once
// The filter entry: compiles rules from a rule file or from lines, runs them
// over a file and puts the result in place of the output file.
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>

namespace nuvel::tools {

// A filter run that could not be done: the rule file is missing or the
// temporary file cannot be written. The input and output files are unchanged.
class FilterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Name of the temporary result, written in the input file's folder.
inline constexpr const char* kFilterTempName = "SFILTR.$";

// `ruleFile` with its extension replaced by ".RLE" (appended when it has none).
std::string RuleFileName(const std::string& ruleFile);

// The rule file to read for `ruleFile`: RuleFileName(ruleFile) when it exists,
// else a file in the same folder of the same name whose extension is "rle" in
// any case. Empty when there is none.
std::filesystem::path FindRuleFile(const std::string& ruleFile);

// Filters `inFile` into `outFile` (they may be the same file). The rules are
// `rules` when it is not empty, else the lines of the rule file found for
// `ruleFile`. The result is written to kFilterTempName in the input file's
// folder and renamed over `outFile`. When `inFile` is empty or missing nothing
// is filtered. Throws RuleCompileError, FilterError, or EInOutError when the
// input cannot be read or the result cannot be renamed into place; the input
// and output files are then untouched.
void FilterFile(const std::string& ruleFile, const std::string& inFile, const std::string& outFile,
                std::span<const std::string> rules);

}  // namespace nuvel::tools
