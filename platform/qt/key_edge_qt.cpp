#include "platform/qt/key_edge_qt.h"

#include <QGuiApplication>
#include <QString>

#include "platform/virtual_keys.h"

namespace nuvel::platform {

namespace {

// Linux evdev key codes of the main block, by position, to virtual keys.
uint8_t VirtualKeyOfEvdev(uint32_t code) {
  static constexpr uint8_t kRowDigits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0',
                                           VK_OEM_MINUS, VK_OEM_PLUS};  // 2..13
  static constexpr uint8_t kRowQ[] = {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P',
                                      VK_OEM_4, VK_OEM_6};  // 16..27
  static constexpr uint8_t kRowA[] = {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L',
                                      VK_OEM_1, VK_OEM_7, VK_OEM_3};  // 30..41
  static constexpr uint8_t kRowZ[] = {VK_OEM_5, 'Z', 'X', 'C', 'V', 'B', 'N',
                                      'M', VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2};  // 43..53
  if (code >= 2 && code <= 13) return kRowDigits[code - 2];
  if (code >= 16 && code <= 27) return kRowQ[code - 16];
  if (code >= 30 && code <= 41) return kRowA[code - 30];
  if (code >= 43 && code <= 53) return kRowZ[code - 43];
  if (code == 86) return VK_OEM_102;
  return 0;
}

// Keys of the standard Israeli layout (SI-1452), by the key they sit on.
uint8_t VirtualKeyOfHebrewLetter(char32_t ch) {
  static constexpr uint8_t kLetters[27] = {
      'T', 'C', 'D', 'S', 'V', 'U', 'Z', 'J', 'Y', 'H', 'L',  // alef .. kaf sofit
      'F', 'K', 'O', 'N', 'I', 'B', 'X', 'G', VK_OEM_1, 'P',  // kaf .. pe
      VK_OEM_PERIOD, 'M', 'E', 'R', 'A', VK_OEM_COMMA};       // tsadi sofit .. tav
  if (ch >= 0x05D0 && ch <= 0x05EA) return kLetters[ch - 0x05D0];
  return 0;
}

// The unshifted key of a character a US layout types with Shift.
uint8_t VirtualKeyOfShiftedSymbol(int key) {
  switch (key) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Plus: return VK_OEM_PLUS;
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
  }
}

uint8_t VirtualKeyOfKeypad(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint8_t>(VK_NUMPAD0 + (key - Qt::Key_0));
  switch (key) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma: return VK_DECIMAL;
    case Qt::Key_Slash: return VK_DIVIDE;
    default: return 0;
  }
}

// Keys that are not letters, digits or punctuation.
uint8_t VirtualKeyOfNamedKey(int key) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint8_t>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return VK_LWIN;
    case Qt::Key_Super_R: return VK_RWIN;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    default: return 0;
  }
}

// Punctuation keys by their unshifted character.
uint8_t VirtualKeyOfPunctuation(int key) {
  switch (key) {
    case Qt::Key_Semicolon: return VK_OEM_1;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Comma: return VK_OEM_COMMA;
    case Qt::Key_Minus: return VK_OEM_MINUS;
    case Qt::Key_Period: return VK_OEM_PERIOD;
    case Qt::Key_Slash: return VK_OEM_2;
    case Qt::Key_QuoteLeft: return VK_OEM_3;
    case Qt::Key_BracketLeft: return VK_OEM_4;
    case Qt::Key_Backslash: return VK_OEM_5;
    case Qt::Key_BracketRight: return VK_OEM_6;
    case Qt::Key_Apostrophe: return VK_OEM_7;
    default: return 0;
  }
}

// A character in the system's 8-bit set (Windows-1255 positions), 0 when
// the set has no place for it. A control character in a key event's text
// types nothing: X gives Delete the text 0x7F and Ctrl+/ the text 0x1F, and
// none of them is meant as text. The keys that do type a control character
// (Ctrl+letter, Backspace, Enter, Tab, Esc) are found by key above.
uint8_t ByteOfCharacter(char32_t ch) {
  if (ch < 0x20 || ch == 0x7F) return 0;
  if (ch < 0x80) return static_cast<uint8_t>(ch);
  if (ch >= 0x05D0 && ch <= 0x05EA) return static_cast<uint8_t>(0xE0 + (ch - 0x05D0));
  if (ch >= 0x05B0 && ch <= 0x05C3) return static_cast<uint8_t>(0xC0 + (ch - 0x05B0));
  if (ch >= 0x05F0 && ch <= 0x05F4) return static_cast<uint8_t>(0xD4 + (ch - 0x05F0));
  if (ch >= 0xA0 && ch <= 0xBF && ch != 0xA4 && ch != 0xAA && ch != 0xBA) {
    return static_cast<uint8_t>(ch);
  }
  switch (ch) {
    case 0x20AA: return 0xA4;  // new sheqel sign
    case 0x00D7: return 0xAA;  // multiplication sign
    case 0x00F7: return 0xBA;  // division sign
    case 0x200E: return 0xFD;  // left-to-right mark
    case 0x200F: return 0xFE;  // right-to-left mark
    default: return 0;
  }
}

bool IsLetterOrDigitKey(uint8_t vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'); }

}  // namespace

ScanCodeSet CurrentScanCodeSet() {
  const QString name = QGuiApplication::platformName();
  if (name == QLatin1String("xcb") || name.startsWith(QLatin1String("wayland"))) {
    return ScanCodeSet::X11;
  }
  return ScanCodeSet::None;
}

uint8_t ShiftByteOf(Qt::KeyboardModifiers modifiers) {
  return ShiftByte(ShiftStateOf(modifiers));
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s;
  s.Shift = modifiers.testFlag(Qt::ShiftModifier);
  s.Ctrl = modifiers.testFlag(Qt::ControlModifier);
  s.Alt = modifiers.testFlag(Qt::AltModifier);
  s.Left = buttons.testFlag(Qt::LeftButton);
  s.Right = buttons.testFlag(Qt::RightButton);
  s.Middle = buttons.testFlag(Qt::MiddleButton);
  return s;
}

uint8_t GetShiftFlags() { return ShiftByteOf(QGuiApplication::queryKeyboardModifiers()); }

uint8_t VirtualKeyOf(const QKeyEvent& event, ScanCodeSet set) {
  const int key = event.key();
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);

  if (uint8_t vk = VirtualKeyOfNamedKey(key)) return vk;
  if (keypad) {
    if (uint8_t vk = VirtualKeyOfKeypad(key)) return vk;
  }
  // The main block by position, whatever the layout types there.
  if (set == ScanCodeSet::X11 && event.nativeScanCode() > 8) {
    if (uint8_t vk = VirtualKeyOfEvdev(event.nativeScanCode() - 8)) return vk;
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint8_t>(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint8_t>(key);
  if (uint8_t vk = VirtualKeyOfHebrewLetter(static_cast<char32_t>(key))) return vk;
  const QString text = event.text();
  if (text.size() == 1) {
    const char32_t ch = text.at(0).unicode();
    if (ch >= 'a' && ch <= 'z') return static_cast<uint8_t>(ch - 32);
    if (uint8_t vk = VirtualKeyOfHebrewLetter(ch)) return vk;
  }
  if (uint8_t vk = VirtualKeyOfShiftedSymbol(key)) return vk;
  return VirtualKeyOfPunctuation(key);
}

KeyStroke KeyStrokeOf(const QKeyEvent& event, ScanCodeSet set) {
  KeyStroke k;
  k.VirtualKey = VirtualKeyOf(event, set);
  k.Shift = ShiftByteOf(event.modifiers());
  k.AutoRepeat = event.isAutoRepeat();
  // Pressing a modifier reports it among the modifiers on some platforms and
  // not on others; a lone modifier key carries its own bit either way.
  if (k.VirtualKey == VK_SHIFT) k.Shift |= kShiftBitShift;
  if (k.VirtualKey == VK_CONTROL) k.Shift |= kShiftBitCtrl;
  if (k.VirtualKey == VK_MENU && event.key() == Qt::Key_Alt) k.Shift |= kShiftBitAlt;

  const bool ctrl = (k.Shift & kShiftBitCtrl) != 0;
  const bool alt = (k.Shift & kShiftBitAlt) != 0;
  const uint8_t vk = static_cast<uint8_t>(k.VirtualKey);
  if (alt && !ctrl) {
    k.Typed = 0;  // Alt combinations type nothing
  } else if (ctrl && !alt && vk >= 'A' && vk <= 'Z') {
    k.Typed = static_cast<uint8_t>(vk - 'A' + 1);
  } else if (ctrl && !alt && (vk == VK_OEM_4 || vk == VK_OEM_5 || vk == VK_OEM_6)) {
    k.Typed = vk == VK_OEM_4 ? 27 : vk == VK_OEM_5 ? 28 : 29;
  } else if (vk == VK_BACK) {
    k.Typed = ctrl ? 127 : 8;
  } else if (vk == VK_RETURN) {
    k.Typed = ctrl ? 10 : 13;
  } else if (vk == VK_TAB) {
    k.Typed = ctrl ? 0 : 9;
  } else if (vk == VK_ESCAPE) {
    k.Typed = 27;
  } else if (ctrl && !alt && IsLetterOrDigitKey(vk)) {
    k.Typed = 0;  // Ctrl+digit types nothing
  } else {
    const QString text = event.text();
    if (text.size() == 1) k.Typed = ByteOfCharacter(text.at(0).unicode());
  }
  return k;
}

bool IsSystemKey(const KeyStroke& key) {
  const bool alt = (key.Shift & kShiftBitAlt) != 0;
  const bool ctrl = (key.Shift & kShiftBitCtrl) != 0;
  return (alt && !ctrl) || (key.VirtualKey & 0xFF) == 0x79;  // F10
}

}  // namespace nuvel::platform
