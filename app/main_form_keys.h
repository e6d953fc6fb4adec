#pragma once
// The keys the main window's application filter takes before any window:
// the digit macro keys and, while no document is open, Ctrl+K Ctrl+R (open)
// and Ctrl+K Ctrl+X (exit).
#include <cstdint>

namespace nuvel {

// The user command of a digit key with its shift byte (Shift 2, Ctrl 4,
// Alt 8), or 0 when the filter leaves the key alone:
//   Alt+1..9, Alt+0            267..275, 296
//   Ctrl+1..9, Ctrl+0          297..305, 306
//   Ctrl+Alt(+Shift)+1..9, +0  277..285, 286
// Alt+Shift and Ctrl+Shift digits are left to the document window.
uint16_t DigitKeyCommand(uint8_t shiftByte, uint8_t virtualKey);

enum class CtrlKAction { None, Open, Exit };

// One typed character while no document window is open: Ctrl+K (11) sets
// `pending`; with `pending` set Ctrl+R (18) opens and Ctrl+X (24) exits; any
// other character clears it.
CtrlKAction CtrlKStep(bool& pending, uint8_t ch);

}  // namespace nuvel
