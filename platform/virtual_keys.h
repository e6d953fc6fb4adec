#pragma once
// Windows-style virtual-key codes. Command tables, key macros and the editor
// speak in these codes; the Qt key edge (platform/qt/key_edge_qt.h) turns each
// key event into one of them.
#include <cstdint>

namespace nuvel::platform {

inline constexpr uint8_t VK_LBUTTON = 0x01;
inline constexpr uint8_t VK_RBUTTON = 0x02;
inline constexpr uint8_t VK_CANCEL = 0x03;
inline constexpr uint8_t VK_MBUTTON = 0x04;
inline constexpr uint8_t VK_BACK = 0x08;
inline constexpr uint8_t VK_TAB = 0x09;
inline constexpr uint8_t VK_CLEAR = 0x0C;
inline constexpr uint8_t VK_RETURN = 0x0D;
inline constexpr uint8_t VK_SHIFT = 0x10;
inline constexpr uint8_t VK_CONTROL = 0x11;
inline constexpr uint8_t VK_MENU = 0x12;  // Alt
inline constexpr uint8_t VK_PAUSE = 0x13;
inline constexpr uint8_t VK_CAPITAL = 0x14;  // Caps Lock
inline constexpr uint8_t VK_ESCAPE = 0x1B;
inline constexpr uint8_t VK_SPACE = 0x20;
inline constexpr uint8_t VK_PRIOR = 0x21;  // Page Up
inline constexpr uint8_t VK_NEXT = 0x22;   // Page Down
inline constexpr uint8_t VK_END = 0x23;
inline constexpr uint8_t VK_HOME = 0x24;
inline constexpr uint8_t VK_LEFT = 0x25;
inline constexpr uint8_t VK_UP = 0x26;
inline constexpr uint8_t VK_RIGHT = 0x27;
inline constexpr uint8_t VK_DOWN = 0x28;
inline constexpr uint8_t VK_SELECT = 0x29;
inline constexpr uint8_t VK_PRINT = 0x2A;
inline constexpr uint8_t VK_SNAPSHOT = 0x2C;
inline constexpr uint8_t VK_INSERT = 0x2D;
inline constexpr uint8_t VK_DELETE = 0x2E;
inline constexpr uint8_t VK_HELP = 0x2F;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A, as their ASCII codes.
inline constexpr uint8_t VK_LWIN = 0x5B;
inline constexpr uint8_t VK_RWIN = 0x5C;
inline constexpr uint8_t VK_APPS = 0x5D;
inline constexpr uint8_t VK_NUMPAD0 = 0x60;  // .. VK_NUMPAD9 = 0x69
inline constexpr uint8_t VK_MULTIPLY = 0x6A;
inline constexpr uint8_t VK_ADD = 0x6B;
inline constexpr uint8_t VK_SEPARATOR = 0x6C;
inline constexpr uint8_t VK_SUBTRACT = 0x6D;
inline constexpr uint8_t VK_DECIMAL = 0x6E;
inline constexpr uint8_t VK_DIVIDE = 0x6F;
inline constexpr uint8_t VK_F1 = 0x70;  // .. VK_F24 = 0x87
inline constexpr uint8_t VK_F2 = 0x71;
inline constexpr uint8_t VK_F24 = 0x87;
inline constexpr uint8_t VK_NUMLOCK = 0x90;
inline constexpr uint8_t VK_SCROLL = 0x91;
inline constexpr uint8_t VK_OEM_1 = 0xBA;       // ;:
inline constexpr uint8_t VK_OEM_PLUS = 0xBB;    // =+
inline constexpr uint8_t VK_OEM_COMMA = 0xBC;   // ,<
inline constexpr uint8_t VK_OEM_MINUS = 0xBD;   // -_
inline constexpr uint8_t VK_OEM_PERIOD = 0xBE;  // .>
inline constexpr uint8_t VK_OEM_2 = 0xBF;       // /?
inline constexpr uint8_t VK_OEM_3 = 0xC0;       // `~
inline constexpr uint8_t VK_OEM_4 = 0xDB;       // [{
inline constexpr uint8_t VK_OEM_5 = 0xDC;       // backslash |
inline constexpr uint8_t VK_OEM_6 = 0xDD;       // ]}
inline constexpr uint8_t VK_OEM_7 = 0xDE;       // '"
inline constexpr uint8_t VK_OEM_102 = 0xE2;     // the extra key left of Z

}  // namespace nuvel::platform
