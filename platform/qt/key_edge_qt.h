#pragma once
// The one place where a Qt key event becomes the Windows-style key press that
// command tables, key macros and the editor understand: virtual-key code,
// shift byte (2 Shift, 4 Ctrl, 8 Alt) and the byte the key types.
//
// Letters and digits are found by the key's position: from the X11 key code
// where the platform gives one, else from the key and its text. So Ctrl+S is
// Ctrl+S under a Hebrew layout too (where that key types shin), and
// Shift+1 is Shift+'1' although the key reports '!'.
#include <QKeyEvent>
#include <cstdint>

#include "platform/key_stroke.h"

namespace nuvel::platform {

// Where a key event's native scan code comes from.
enum class ScanCodeSet {
  None,  // no usable scan code (offscreen, tests, unknown platforms)
  X11,   // X11 key codes: Linux evdev codes plus 8 (xcb and Wayland)
};

// The scan-code set of the running platform.
ScanCodeSet CurrentScanCodeSet();

// Shift byte of Qt modifiers.
uint8_t ShiftByteOf(Qt::KeyboardModifiers modifiers);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});

// The shift byte of the keyboard right now: Ctrl 4, plus Shift 2, plus Alt 8.
uint8_t GetShiftFlags();

// Virtual-key code of a key event, 0 when the key has none.
uint8_t VirtualKeyOf(const QKeyEvent& event, ScanCodeSet set);

// The whole key press. `Typed` is what a Windows character message would
// carry: the character in the system's 8-bit set, the control character for
// Ctrl+letter, 8/9/13/27 for Backspace, Tab, Enter and Esc, and 0 for keys
// that type nothing and for Alt combinations.
KeyStroke KeyStrokeOf(const QKeyEvent& event, ScanCodeSet set);
inline KeyStroke KeyStrokeOf(const QKeyEvent& event) {
  return KeyStrokeOf(event, CurrentScanCodeSet());
}

// A key pressed with Alt and without Ctrl, or F10: what Windows reports as a
// system key.
bool IsSystemKey(const KeyStroke& key);

}  // namespace nuvel::platform
