#include "app/main_form_keys.h"

#include "platform/key_stroke.h"

namespace nuvel {

uint16_t DigitKeyCommand(uint8_t shiftByte, uint8_t virtualKey) {
  if (virtualKey < '0' || virtualKey > '9') return 0;
  const int n = virtualKey - '0';  // 0..9
  const bool shift = shiftByte & platform::kShiftBitShift;
  const bool ctrl = shiftByte & platform::kShiftBitCtrl;
  const bool alt = shiftByte & platform::kShiftBitAlt;
  // Base of the digit 1; the digit 0 has its own number.
  auto pick = [n](uint16_t one, uint16_t zero) {
    return n == 0 ? zero : static_cast<uint16_t>(one + n - 1);
  };
  if (alt && !ctrl) return shift ? 0 : pick(267, 296);
  if (ctrl && alt) return pick(277, 286);
  if (ctrl && !shift) return pick(297, 306);
  return 0;
}

CtrlKAction CtrlKStep(bool& pending, uint8_t ch) {
  if (ch == 11) {
    pending = true;
    return CtrlKAction::None;
  }
  if (pending && ch == 18) return CtrlKAction::Open;
  if (pending && ch == 24) return CtrlKAction::Exit;
  pending = false;
  return CtrlKAction::None;
}

}  // namespace nuvel
