// Fuzzes the reader of the Hebrew dictionary's rule file (classes and
// prefix rules) and the splitting of words by what it read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/spell_prefix_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const nuvel::TSpPrefixRules rules = nuvel::TSpPrefixRules::Parse(input);
  std::size_t splits = 0;
  const auto count = [&](std::string_view root, nuvel::SpellClassMask) {
    splits += root.size();
    return false;
  };
  for (std::size_t i = 0; i + 6 <= input.size() && i < 96; i += 6) rules.ForEachSplit(input.substr(i, 6), count);
  rules.ForEachSplit("\x85\x84\x81\x89\x9A", count);
  rules.ForEachSplit("", count);
  volatile std::size_t sink = splits;
  (void)sink;
  return 0;
}
