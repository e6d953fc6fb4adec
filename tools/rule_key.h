#pragma once
// The key test of a compiled rule: may the rule start at the current byte?
#include <cstdint>

#include "tools/rule_set.h"

namespace nuvel::tools {

// True when `key` accepts the current byte `c`, followed by `n`, with the
// current byte at the first window position when `atWindowStart`.
bool KeyAccepts(const RuleKey& key, uint8_t c, uint8_t n, bool atWindowStart, bool caseInsensitive);

// Fills `set.candidates` from the keys of `set.rules`.
void BuildCandidateIndex(RuleSet& set);

}  // namespace nuvel::tools
