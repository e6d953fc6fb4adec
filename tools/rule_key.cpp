#include "tools/rule_key.h"

#include "platform/ascii_case.h"

namespace nuvel::tools {

namespace {

using platform::AsciiUpper;

bool InRange(uint8_t c, uint8_t low, uint8_t high) { return c >= low && c <= high; }

// Whether the key's outcome at byte c depends on anything but c.
bool DependsOnMore(uint8_t kind) {
  return kind == kKeyWindowStart || kind == kKeyPair || kind == kKeyLineEnd;
}

// Whether some next byte and window position let the key accept c.
bool MayAccept(const RuleKey& key, uint8_t c, bool caseInsensitive) {
  switch (key.kind) {
    case kKeyWindowStart:
      return true;
    case kKeyPair:
      return c == key.first || (caseInsensitive && c == AsciiUpper(key.first));
    case kKeyLineEnd:
      return c == key.first;
    default:
      return KeyAccepts(key, c, 0, false, caseInsensitive);
  }
}

}  // namespace

bool KeyAccepts(const RuleKey& key, uint8_t c, uint8_t n, bool atWindowStart, bool caseInsensitive) {
  const uint8_t first = key.first;
  const uint8_t second = key.second;
  switch (key.kind) {
    case kKeyChar:
      return c == first || (caseInsensitive && AsciiUpper(first) == c);
    case kKeyRange:
      return InRange(c, first, second) ||
             (caseInsensitive && InRange(c, AsciiUpper(first), AsciiUpper(second)));
    case kKeyWindowStart:
      return atWindowStart;
    case kKeyAlways:
      return true;
    case kKeyPair:
      return (c == first && n == second) ||
             (caseInsensitive && (c == first || c == AsciiUpper(first)) &&
              (n == second || n == AsciiUpper(second)));
    case kKeyLineEnd:
      return c == first && n == second;
    case kKeyNumberStart:
      return c == '+' || c == '-' || c == '.' || InRange(c, '0', '9');
    case kKeyOutsideRange:
      return !InRange(c, first, second) ||
             (caseInsensitive && !InRange(c, AsciiUpper(first), AsciiUpper(second)));
    default:
      return false;
  }
}

void BuildCandidateIndex(RuleSet& set) {
  set.firstCandidate.assign(2 * 2 * 256 * 256, 0);
  for (int mode = 0; mode < 2; ++mode) {
    const bool caseInsensitive = mode == 1;
    for (int c = 0; c < 256; ++c) {
      std::vector<uint32_t>& list = set.candidates[mode][c];
      list.clear();
      for (std::size_t i = 0; i < set.rules.size(); ++i) {
        const RuleKey& key = set.rules[i].key;
        if (!MayAccept(key, uint8_t(c), caseInsensitive)) continue;
        list.push_back(uint32_t(i + 1));
        if (!DependsOnMore(key.kind)) break;
      }
      // The first rule of the list that accepts each next byte and window
      // position. Only the first window-start rule can be first anywhere.
      bool windowStartDone = false;
      for (uint32_t rule : list) {
        const RuleKey& key = set.rules[rule - 1].key;
        if (key.kind == kKeyWindowStart && windowStartDone) continue;
        windowStartDone = windowStartDone || key.kind == kKeyWindowStart;
        for (int atStart = 0; atStart < 2; ++atStart) {
          for (int n = 0; n < 256; ++n) {
            uint16_t& slot = set.firstCandidate[FirstCandidateSlot(caseInsensitive, atStart == 1, uint8_t(c), uint8_t(n))];
            if (slot == 0 && KeyAccepts(key, uint8_t(c), uint8_t(n), atStart == 1, caseInsensitive)) {
              slot = uint16_t(rule);
            }
          }
        }
      }
    }
  }
}

}  // namespace nuvel::tools
