#pragma once
// Recorded keystroke macros (.mcr files): a sequence of 20-byte records and
// nothing else, each the journal event record of one key or mouse event:
// message, first parameter, second parameter, milliseconds since the
// recording began and the window, five 32-bit little-endian numbers.
//
// Keys are kept as Windows virtual-key codes (low byte of the first
// parameter, the PC scan code in the next byte), so a file recorded by any
// copy of the program replays its keys. Mouse events keep the screen
// position (x in the first parameter, y in the second).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

struct MacroEvent {
  uint32_t message = 0;
  uint32_t paramL = 0;
  uint32_t paramH = 0;
  uint32_t time = 0;
  uint32_t hwnd = 0;

  friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

inline constexpr size_t kMacroRecordSize = 20;
// A recording stops when it holds this many events.
inline constexpr size_t kMaxMacroEvents = 100000;

// The messages a record may carry.
inline constexpr uint32_t kWmKeyDown = 0x100;
inline constexpr uint32_t kWmKeyUp = 0x101;
inline constexpr uint32_t kWmSysKeyDown = 0x104;
inline constexpr uint32_t kWmSysKeyUp = 0x105;
inline constexpr uint32_t kWmMouseMove = 0x200;
inline constexpr uint32_t kWmLButtonDown = 0x201;
inline constexpr uint32_t kWmLButtonUp = 0x202;
inline constexpr uint32_t kWmLButtonDblClk = 0x203;
inline constexpr uint32_t kWmRButtonDown = 0x204;
inline constexpr uint32_t kWmRButtonUp = 0x205;
inline constexpr uint32_t kWmRButtonDblClk = 0x206;
inline constexpr uint32_t kWmMButtonDown = 0x207;
inline constexpr uint32_t kWmMButtonUp = 0x208;
inline constexpr uint32_t kWmMButtonDblClk = 0x209;
inline constexpr uint32_t kWmMouseWheel = 0x20A;

// The bytes of a .mcr file holding `events`.
std::string FormatMacroRecords(std::span<const MacroEvent> events);

// The events of a .mcr file's bytes; nullopt, with the reason in `problem`,
// when the file is damaged: its size is no whole number of records, or a
// record holds a message that is neither a key nor a mouse event.
std::optional<std::vector<MacroEvent>> ParseMacroRecords(std::string_view bytes, std::string* problem = nullptr);

// `name` with its extension (the part after the last "." of the last path
// element) replaced by ".mcr", or ".mcr" added when it has none.
std::string MacroFileName(const std::string& name);
// The file a macro name stands for: an existing file in its folder whose
// name equals it without regard to ASCII case ("Didod.mcr" finds
// "Didod.MCR"), else the name itself.
std::string ExistingMacroFile(const std::string& name);

// ---- Keys ----

// The PC keyboard (set 1) scan code of a virtual key, 0 when it has none.
uint8_t ScanCodeOfVirtualKey(uint8_t vk);
// Keys whose scan code comes with the extended-key prefix (arrows, Ins,
// Del, Home, End, PgUp, PgDn, the right Ctrl and Alt, keypad Enter and /).
bool IsExtendedVirtualKey(uint8_t vk);
// Shift, Ctrl and Alt.
bool IsModifierKey(uint8_t vk);
// The shift-byte bit (2 Shift, 4 Ctrl, 8 Alt) of a modifier key, 0 for others.
uint8_t ModifierBit(uint8_t vk);

// The record of a key going down or up. `system` marks what Windows sends
// as a system key (Alt held without Ctrl, or F10).
MacroEvent KeyRecord(uint8_t vk, bool down, bool system, uint32_t time);

struct MacroKey {
  uint8_t vk = 0;
  bool down = false;
  friend bool operator==(const MacroKey&, const MacroKey&) = default;
};
// The key of a key record; nullopt for other records.
std::optional<MacroKey> KeyOfRecord(const MacroEvent& e);

// The character a US keyboard types with this key, Shift held or not;
// 0 for keys that type none (the control keys Backspace 8, Tab 9, Enter 13
// and Esc 27 included).
char UsCharOfKey(uint8_t vk, bool shift);

// ---- Mouse ----

enum class MouseButton : uint8_t { None, Left, Right, Middle };
enum class MouseAction : uint8_t { Move, Down, Up, DoubleClick, Wheel };

struct MacroMouse {
  MouseAction action = MouseAction::Move;
  MouseButton button = MouseButton::None;
  int32_t x = 0, y = 0;  // screen position
  int32_t wheel = 0;     // wheel turn in eighths of a degree (120 a notch)
  friend bool operator==(const MacroMouse&, const MacroMouse&) = default;
};
MacroEvent MouseRecord(const MacroMouse& m, uint32_t time);
// The mouse event of a mouse record; nullopt for other records.
std::optional<MacroMouse> MouseOfRecord(const MacroEvent& e);

// ---- Modifiers ----

// The records that bring the held modifiers from `held` to `wanted` (shift
// bytes): ups of those let go, then downs of those newly held, in the order
// Ctrl, Shift, Alt. `held` becomes `wanted`.
std::vector<MacroEvent> SyncModifiers(uint8_t& held, uint8_t wanted, uint32_t time);

// The modifiers held after `events`, as a shift byte.
uint8_t HeldModifiers(std::span<const MacroEvent> events);

// Cuts from the end of a recording the keys of the chord that stopped it:
// the last record when it is the chord key `vk` going down (with any of its
// repeats before it), then the downs of the chord's modifiers (`shiftByte`)
// just before it; modifiers of the chord still held after that, because a
// key before the chord used them too, get their up records. Nothing else is
// removed, and a recording without the chord stays as it is.
void TrimStopChord(std::vector<MacroEvent>& events, uint8_t vk, uint8_t shiftByte);

}  // namespace nuvel
