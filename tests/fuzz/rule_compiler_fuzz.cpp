// Rule files come from outside: any bytes must either compile or give a
// compile error, and compiled rules must run over any text without reading or
// writing out of bounds. The first byte splits the data into rule-file bytes
// and the text the rules are run over.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <span>
#include <vector>

#include "tools/rule_applier.h"
#include "tools/rule_compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::size_t ruleBytes = std::min<std::size_t>(size - 1, data[0] * 4u);
  const std::string_view rules(reinterpret_cast<const char*>(data + 1), ruleBytes);
  const std::span<const uint8_t> text(data + 1 + ruleBytes, size - 1 - ruleBytes);
  try {
    const nuvel::tools::RuleSet set = nuvel::tools::CompileRules(nuvel::tools::SplitRuleLines(rules));
    const std::vector<uint8_t> out = nuvel::tools::RunRules(set, text.subspan(0, std::min<std::size_t>(text.size(), 512)));
    if (out.size() > (1u << 30)) __builtin_trap();
  } catch (const nuvel::tools::RuleCompileError&) {
  }
  return 0;
}
