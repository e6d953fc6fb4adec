#pragma once
// Formatting commands written inline in a document, in brackets, for the
// RTF export: font size, paragraph alignment, stored texts and their recall,
// and the width bookkeeping of the layout commands. In an English document
// "<" opens a command and ">" closes it; in a Hebrew one the other way
// round. The interpreter rewrites the paragraph in place (RTF control words
// in place of the command) and reports bad commands through the message
// sink.
#include <array>
#include <cstdint>
#include <string>

namespace nuvel {

// What the interpreter keeps between calls for the whole run: 106 text
// slots (1..106), the last alignment code and the width bookkeeping in twips.
struct TBracketState {
  static constexpr int kSlots = 106;
  std::array<std::string, kSlots + 1> Strings;  // index 0 unused
  uint8_t Justification = 0;
  int32_t LineWidth = 0;
  int32_t Slack = 0;
};

// The one state of the program.
TBracketState& SharedBracketState();

// A length in points as twips: points x 20 rounded to the nearest whole
// number (halves to the even one), then cut toward zero to a multiple of 4.
int32_t Twips(double points);

// Runs the command whose opening bracket is at s[pos] (1-based). On return
// `pos` is the index after which the caller goes on scanning (it adds 1).
// `changed` is set by an alignment command: the caller then closes the RTF
// group it opened, at the paragraph's end. `promptNo` is shown in the
// prompt message; `stop` is not set by any command.
void ExecBracketCommand(TBracketState& state, int32_t& pos, std::string& s, bool english, uint8_t promptNo,
                        bool& changed, bool& stop);

}  // namespace nuvel
