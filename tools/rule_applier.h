#pragma once
// Runs compiled rules over text in memory: at each input position the first
// rule whose key accepts the current byte (and the rules linked from it) is
// tried; a match writes the rule's replacement in place of the matched text,
// every other byte is copied unchanged.
#include <cstdint>
#include <span>
#include <vector>

#include "tools/rule_set.h"

namespace nuvel::tools {

// Filters `input` through `rules` and returns the result. Blank skipping
// starts off and case-insensitive matching on; both stay as rules flip them
// for the rest of the run.
std::vector<uint8_t> RunRules(const RuleSet& rules, std::span<const uint8_t> input);

}  // namespace nuvel::tools
