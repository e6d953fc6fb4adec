#pragma once
// The WordStar translation of keys that the system feeds to an editor
// itself (key macros, counter texts, the cursor keys of Reformat
// Paragraph): control keys and the two-key prefixes ^J, ^K, ^P and ^Q
// become command numbers. Keys are 16-bit codes whose low byte counts:
// control keys 1-26 (^A = 1), characters their codes.
#include <cstdint>

#include "core/command_numbers.h"

namespace nuvel {

// The prefixes a fed key may leave pending.
inline constexpr uint16_t kWsNoPrefix = 0;
inline constexpr uint16_t kWsPrefixJ = 10;
inline constexpr uint16_t kWsPrefixK = 11;
inline constexpr uint16_t kWsPrefixP = 16;
inline constexpr uint16_t kWsPrefixQ = 17;
// After ^Q T: the next key is the character to go to.
inline constexpr uint16_t kWsGotoChar = 313;

struct TWordStarKey {
  TNvcCommand Command = ccNoCommand;
  // The key as the translation leaves it (a Hebrew document exchanges some).
  uint16_t Key = 0;
  // ^P: the key goes into the text as it is, and nothing else happens.
  bool InsertLiteral = false;
};

// Translates one key. `prefix` is the pending prefix, kept between keys;
// `gotoChar` receives the character typed after ^Q T. `engm` is the
// document's main direction (False: Hebrew, which exchanges ^A/^F and ^S/^D,
// and after ^Q the letters S and D, so that the line-end movements mirror
// too); `seng` turns ^H into ^G.
TWordStarKey TranslateWordStarKey(uint16_t& prefix, uint16_t key, bool engm, bool seng, uint8_t& gotoChar);

}  // namespace nuvel
