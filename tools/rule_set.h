#pragma once
// Compiled filter rules: the byte code of each rule, its key (what the first
// element of its pattern needs to see), the link to the next rule with the same
// first key character, and an index of candidate rules by input byte.
#include <array>
#include <cstdint>
#include <vector>

namespace nuvel::tools {

// Opcodes of a rule's left (pattern) code.
enum LeftOp : uint8_t {
  kLeftLiteral = 0,      // 0, length, characters
  kLeftAny = 1,          // "?"
  kLeftDigit = 2,        // "#"
  kLeftNumber = 3,       // "!"
  kLeftWindowStart = 4,  // "%"
  kLeftLineEnd = 5,      // "$"
  kLeftGroupOpen = 6,    // "{"
  kLeftGroupClose = 7,   // "}"
  kLeftSet = 8,          // 8, negated, length, members
  kLeftSetRun = 9,       // 9, negated, length, members
  kLeftSkipTo = 10,      // "?*"
  kLeftSkipToClose = 11, // "?*}"
  kLeftNothing = 12,     // "|"
  kLeftSwitch = 14,      // 14, then kSwitchBlanks, kSwitchCase or kSwitchSpaceRun
};

enum SwitchKind : uint8_t {
  kSwitchBlanks = 1,    // "\w"
  kSwitchCase = 2,      // "\c"
  kSwitchSpaceRun = 3,  // "\b"
};

// Opcodes of a rule's right (replacement) code.
enum RightOp : uint8_t {
  kRightLiteral = 0,   // 0, length, characters
  kRightGroup = 1,     // 1, group digit
  kRightParam = 2,     // 2, number (writes nothing)
  kRightLineEnd = 3,   // "$": CR LF
  kRightMarker = 4,    // first byte of every right code; does nothing
  kRightReversed = 5,  // 5, group digit
};

// How a rule's key is tested against the current input byte c and the one after it.
enum KeyKind : uint8_t {
  kKeyChar = 0,          // c equals the first character
  kKeyRange = 1,         // c lies in first..second
  kKeyWindowStart = 2,   // the match starts at the first window position
  kKeyAlways = 3,        // any c
  kKeyPair = 4,          // c and the next byte equal first and second
  kKeyLineEnd = 5,       // CR then LF
  kKeyNumberStart = 6,   // '+', '-', '.' or a digit
  kKeyOutsideRange = 7,  // c lies outside first..second
};

struct RuleKey {
  uint8_t kind = kKeyChar;
  uint8_t first = ' ';
  uint8_t second = ' ';
  // Number (from 1) of the next rule whose first key character is the same
  // without regard to ASCII case; 0 when there is none.
  uint32_t link = 0;

  friend bool operator==(const RuleKey&, const RuleKey&) = default;
};

struct CompiledRule {
  std::vector<uint8_t> left;   // at most 255 bytes
  std::vector<uint8_t> right;  // at most 255 bytes; starts with kRightMarker
  RuleKey key;

  friend bool operator==(const CompiledRule&, const CompiledRule&) = default;
};

inline constexpr std::size_t kMaxRules = 1500;
inline constexpr std::size_t kMaxGroups = 10;
inline constexpr std::size_t kMaxCodeBytes = 255;

// A set of byte values.
using ByteSet = std::array<bool, 256>;

// The compiled rules of one source, numbered from 1 in source order
// (rules[0] is rule 1). `candidates[caseInsensitive][c]` lists, in file
// order, the rules whose key can accept the byte c in that case mode; a list
// ends with the first rule that accepts c whatever the next byte and the
// window position are, since no later rule can then be the first candidate.
// `firstCandidate` answers from those lists at once: the number of the first
// rule whose key accepts c followed by n, 0 for none (see FirstCandidateSlot).
struct RuleSet {
  std::vector<CompiledRule> rules;
  std::array<std::array<std::vector<uint32_t>, 256>, 2> candidates;
  std::vector<uint16_t> firstCandidate;
};

constexpr std::size_t FirstCandidateSlot(bool caseInsensitive, bool atWindowStart, uint8_t c, uint8_t n) {
  return ((std::size_t(caseInsensitive) * 2 + std::size_t(atWindowStart)) * 256 + c) * 256 + n;
}

}  // namespace nuvel::tools
