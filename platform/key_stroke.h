#pragma once
// One key press as the command tables and the editor see it: the Windows-style
// virtual-key code, the shift byte and the byte the key typed. The Qt key edge
// makes these from Qt key events; engines and tests make them directly.
#include <cstdint>

namespace nuvel::platform {

// Bits of the shift byte, summed.
inline constexpr uint8_t kShiftBitShift = 2;
inline constexpr uint8_t kShiftBitCtrl = 4;
inline constexpr uint8_t kShiftBitAlt = 8;

// The modifier and button state that comes with key and mouse events.
struct TShiftState {
  bool Shift = false;
  bool Alt = false;
  bool Ctrl = false;
  bool Left = false;
  bool Right = false;
  bool Middle = false;

  friend bool operator==(const TShiftState&, const TShiftState&) = default;
};

// Shift byte of a shift state: Shift 2, Ctrl 4, Alt 8.
constexpr uint8_t ShiftByte(const TShiftState& s) {
  return static_cast<uint8_t>((s.Shift ? kShiftBitShift : 0) | (s.Ctrl ? kShiftBitCtrl : 0) |
                              (s.Alt ? kShiftBitAlt : 0));
}

struct KeyStroke {
  uint16_t VirtualKey = 0;  // the low byte is the virtual-key code
  uint8_t Shift = 0;        // shift byte at the time of the press
  uint8_t Typed = 0;        // the byte the key types, 0 when it types none
  bool AutoRepeat = false;  // held down and repeating

  friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

}  // namespace nuvel::platform
