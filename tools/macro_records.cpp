#include "tools/macro_records.h"

#include <algorithm>
#include <filesystem>

#include "platform/key_stroke.h"
#include "platform/program_path.h"
#include "platform/virtual_keys.h"

namespace nuvel {

namespace {

using namespace platform;

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t GetU32(std::string_view in, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(in[at + static_cast<size_t>(i)]);
  return v;
}

bool KnownMessage(uint32_t m) {
  return m == kWmKeyDown || m == kWmKeyUp || m == kWmSysKeyDown || m == kWmSysKeyUp ||
         (m >= kWmMouseMove && m <= kWmMouseWheel);
}

}  // namespace

std::string FormatMacroRecords(std::span<const MacroEvent> events) {
  std::string out;
  out.reserve(events.size() * kMacroRecordSize);
  for (const MacroEvent& e : events) {
    PutU32(out, e.message);
    PutU32(out, e.paramL);
    PutU32(out, e.paramH);
    PutU32(out, e.time);
    PutU32(out, e.hwnd);
  }
  return out;
}

std::optional<std::vector<MacroEvent>> ParseMacroRecords(std::string_view bytes, std::string* problem) {
  auto fail = [problem](std::string why) -> std::optional<std::vector<MacroEvent>> {
    if (problem) *problem = std::move(why);
    return std::nullopt;
  };
  if (bytes.size() % kMacroRecordSize != 0) {
    return fail("its size, " + std::to_string(bytes.size()) + " bytes, is no whole number of records");
  }
  std::vector<MacroEvent> events;
  events.reserve(bytes.size() / kMacroRecordSize);
  for (size_t at = 0; at < bytes.size(); at += kMacroRecordSize) {
    MacroEvent e{GetU32(bytes, at), GetU32(bytes, at + 4), GetU32(bytes, at + 8), GetU32(bytes, at + 12),
                 GetU32(bytes, at + 16)};
    if (!KnownMessage(e.message)) {
      return fail("record " + std::to_string(events.size() + 1) + " holds no key or mouse event");
    }
    events.push_back(e);
  }
  return events;
}

std::string MacroFileName(const std::string& name) {
  const size_t slash = name.rfind('/');
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot < start) return name + ".mcr";
  return name.substr(0, dot) + ".mcr";
}

std::string ExistingMacroFile(const std::string& name) {
  const size_t slash = name.rfind('/');
  if (slash == std::string::npos) return FindFileNoCase("", name);
  return FindFileNoCase(name.substr(0, slash + 1), name.substr(slash + 1));
}

// ---- Keys ----

uint8_t ScanCodeOfVirtualKey(uint8_t vk) {
  static constexpr uint8_t kLetters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                           0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                           0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
  if (vk >= 'A' && vk <= 'Z') return kLetters[vk - 'A'];
  if (vk >= '1' && vk <= '9') return static_cast<uint8_t>(0x02 + (vk - '1'));
  if (vk == '0') return 0x0B;
  if (vk >= VK_F1 && vk <= VK_F1 + 9) return static_cast<uint8_t>(0x3B + (vk - VK_F1));
  static constexpr uint8_t kKeypad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return kKeypad[vk - VK_NUMPAD0];
  switch (vk) {
    case VK_ESCAPE: return 0x01;
    case VK_OEM_MINUS: return 0x0C;
    case VK_OEM_PLUS: return 0x0D;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_OEM_4: return 0x1A;
    case VK_OEM_6: return 0x1B;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: return 0x1D;
    case VK_OEM_1: return 0x27;
    case VK_OEM_7: return 0x28;
    case VK_OEM_3: return 0x29;
    case VK_SHIFT: return 0x2A;
    case VK_OEM_5: return 0x2B;
    case VK_OEM_COMMA: return 0x33;
    case VK_OEM_PERIOD: return 0x34;
    case VK_OEM_2: return 0x35;
    case VK_MULTIPLY: return 0x37;
    case VK_MENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_CAPITAL: return 0x3A;
    case VK_NUMLOCK: return 0x45;
    case VK_PAUSE: return 0x45;
    case VK_SCROLL: return 0x46;
    case VK_CANCEL: return 0x46;
    case VK_SUBTRACT: return 0x4A;
    case VK_ADD: return 0x4E;
    case VK_DECIMAL: return 0x53;
    case VK_OEM_102: return 0x56;
    case VK_F1 + 10: return 0x57;  // F11
    case VK_F1 + 11: return 0x58;  // F12
    case VK_HOME: return 0x47;
    case VK_UP: return 0x48;
    case VK_PRIOR: return 0x49;
    case VK_LEFT: return 0x4B;
    case VK_RIGHT: return 0x4D;
    case VK_END: return 0x4F;
    case VK_DOWN: return 0x50;
    case VK_NEXT: return 0x51;
    case VK_INSERT: return 0x52;
    case VK_DELETE: return 0x53;
    case VK_DIVIDE: return 0x35;
    case VK_LWIN: return 0x5B;
    case VK_RWIN: return 0x5C;
    case VK_APPS: return 0x5D;
    default: return 0;
  }
}

bool IsExtendedVirtualKey(uint8_t vk) {
  switch (vk) {
    case VK_HOME: case VK_UP: case VK_PRIOR: case VK_LEFT: case VK_RIGHT: case VK_END:
    case VK_DOWN: case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_DIVIDE:
    case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_CANCEL:
      return true;
    default: return false;
  }
}

bool IsModifierKey(uint8_t vk) { return ModifierBit(vk) != 0; }

uint8_t ModifierBit(uint8_t vk) {
  switch (vk) {
    case VK_SHIFT: return kShiftBitShift;
    case VK_CONTROL: return kShiftBitCtrl;
    case VK_MENU: return kShiftBitAlt;
    default: return 0;
  }
}

MacroEvent KeyRecord(uint8_t vk, bool down, bool system, uint32_t time) {
  MacroEvent e;
  e.message = system ? (down ? kWmSysKeyDown : kWmSysKeyUp) : (down ? kWmKeyDown : kWmKeyUp);
  e.paramL = static_cast<uint32_t>(vk) | (static_cast<uint32_t>(ScanCodeOfVirtualKey(vk)) << 8);
  e.paramH = 1u | (IsExtendedVirtualKey(vk) ? 0x8000u : 0u);
  e.time = time;
  return e;
}

std::optional<MacroKey> KeyOfRecord(const MacroEvent& e) {
  const uint8_t vk = static_cast<uint8_t>(e.paramL & 0xFF);
  switch (e.message) {
    case kWmKeyDown:
    case kWmSysKeyDown: return MacroKey{vk, true};
    case kWmKeyUp:
    case kWmSysKeyUp: return MacroKey{vk, false};
    default: return std::nullopt;
  }
}

char UsCharOfKey(uint8_t vk, bool shift) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<char>(shift ? vk : vk + ('a' - 'A'));
  if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<char>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char>('0' + (vk - VK_NUMPAD0));
  struct Pair { uint8_t vk; char plain, shifted; };
  static constexpr Pair kPunct[] = {
      {VK_SPACE, ' ', ' '},       {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'},
      {VK_OEM_COMMA, ',', '<'},   {VK_OEM_MINUS, '-', '_'},  {VK_OEM_PERIOD, '.', '>'},
      {VK_OEM_2, '/', '?'},       {VK_OEM_3, '`', '~'},      {VK_OEM_4, '[', '{'},
      {VK_OEM_5, '\\', '|'},      {VK_OEM_6, ']', '}'},      {VK_OEM_7, '\'', '"'},
      {VK_MULTIPLY, '*', '*'},    {VK_ADD, '+', '+'},        {VK_SUBTRACT, '-', '-'},
      {VK_DECIMAL, '.', '.'},     {VK_DIVIDE, '/', '/'},
  };
  for (const Pair& p : kPunct) {
    if (p.vk == vk) return shift ? p.shifted : p.plain;
  }
  return 0;
}

// ---- Mouse ----

namespace {

uint32_t DownMessage(MouseButton b) {
  return b == MouseButton::Right ? kWmRButtonDown : b == MouseButton::Middle ? kWmMButtonDown : kWmLButtonDown;
}

}  // namespace

MacroEvent MouseRecord(const MacroMouse& m, uint32_t time) {
  MacroEvent e;
  switch (m.action) {
    case MouseAction::Move: e.message = kWmMouseMove; break;
    case MouseAction::Down: e.message = DownMessage(m.button); break;
    case MouseAction::Up: e.message = DownMessage(m.button) + 1; break;
    case MouseAction::DoubleClick: e.message = DownMessage(m.button) + 2; break;
    case MouseAction::Wheel: e.message = kWmMouseWheel; break;
  }
  e.paramL = static_cast<uint32_t>(m.x);
  e.paramH = static_cast<uint32_t>(m.y);
  if (m.action == MouseAction::Wheel) e.hwnd = static_cast<uint32_t>(m.wheel);
  e.time = time;
  return e;
}

std::optional<MacroMouse> MouseOfRecord(const MacroEvent& e) {
  if (e.message < kWmMouseMove || e.message > kWmMouseWheel) return std::nullopt;
  MacroMouse m;
  m.x = static_cast<int32_t>(e.paramL);
  m.y = static_cast<int32_t>(e.paramH);
  if (e.message == kWmMouseMove) return m;
  if (e.message == kWmMouseWheel) {
    m.action = MouseAction::Wheel;
    m.wheel = static_cast<int32_t>(e.hwnd);
    return m;
  }
  const uint32_t k = e.message - kWmLButtonDown;  // 0..8
  m.button = k / 3 == 0 ? MouseButton::Left : k / 3 == 1 ? MouseButton::Right : MouseButton::Middle;
  m.action = k % 3 == 0 ? MouseAction::Down : k % 3 == 1 ? MouseAction::Up : MouseAction::DoubleClick;
  return m;
}

// ---- Modifiers ----

namespace {

constexpr uint8_t kModifierOrder[3] = {VK_CONTROL, VK_SHIFT, VK_MENU};

}  // namespace

std::vector<MacroEvent> SyncModifiers(uint8_t& held, uint8_t wanted, uint32_t time) {
  std::vector<MacroEvent> out;
  for (uint8_t vk : kModifierOrder) {
    const uint8_t bit = ModifierBit(vk);
    if ((held & bit) && !(wanted & bit)) out.push_back(KeyRecord(vk, false, false, time));
  }
  for (uint8_t vk : kModifierOrder) {
    const uint8_t bit = ModifierBit(vk);
    if (!(held & bit) && (wanted & bit)) out.push_back(KeyRecord(vk, true, false, time));
  }
  held = wanted;
  return out;
}

uint8_t HeldModifiers(std::span<const MacroEvent> events) {
  uint8_t held = 0;
  for (const MacroEvent& e : events) {
    const auto key = KeyOfRecord(e);
    if (!key) continue;
    const uint8_t bit = ModifierBit(key->vk);
    if (!bit) continue;
    held = key->down ? static_cast<uint8_t>(held | bit) : static_cast<uint8_t>(held & ~bit);
  }
  return held;
}

void TrimStopChord(std::vector<MacroEvent>& events, uint8_t vk, uint8_t shiftByte) {
  auto isDownOf = [](const MacroEvent& e, auto pred) {
    const auto key = KeyOfRecord(e);
    return key && key->down && pred(key->vk);
  };
  if (!IsModifierKey(vk)) {
    while (!events.empty() && isDownOf(events.back(), [vk](uint8_t k) { return k == vk; })) events.pop_back();
  }
  while (!events.empty() &&
         isDownOf(events.back(), [shiftByte](uint8_t k) { return (ModifierBit(k) & shiftByte) != 0; })) {
    events.pop_back();
  }
  const uint8_t stillHeld = static_cast<uint8_t>(HeldModifiers(events) & shiftByte);
  if (stillHeld == 0) return;
  const uint32_t time = events.empty() ? 0 : events.back().time;
  uint8_t held = stillHeld;
  for (const MacroEvent& e : SyncModifiers(held, 0, time)) events.push_back(e);
}

}  // namespace nuvel
