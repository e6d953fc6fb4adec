#include "app/user_commands.h"

namespace nuvel {

UserCommand DecodeUserCommand(uint16_t n) {
  auto macro = [](int slot) { return UserCommand{UserAction::PlayMacro, slot, 0}; };
  if (n == 256) return macro(0);
  if (n >= 257 && n <= 265) return macro(n - 256);
  if (n >= 267 && n <= 275) return macro(n - 256);   // slots 11..19
  if (n == 276) return macro(20);
  if (n >= 277 && n <= 285) return macro(n - 256);   // slots 21..29
  if (n == 286) return macro(30);
  if (n >= 287 && n <= 295) return macro(n - 256);   // slots 31..39
  if (n == 296) return macro(40);
  if (n >= 297 && n <= 305) return macro(n - 296);   // slots 1..9
  if (n == 306) return macro(10);
  switch (n) {
    case 266: return {UserAction::Find};
    case 307: return {UserAction::Replace};
    case 308: return {UserAction::FindNext};
    case 309: return {UserAction::Open};
    case 310: return {UserAction::SaveAndClose};
    case 311: return {UserAction::Save};
    case 312: return {UserAction::FlipCase};
    case 313: return {UserAction::GotoChar};
    case 314: return {UserAction::BlockBegin};
    case 315: return {UserAction::BlockEnd};
    case 316: return {UserAction::CopyBlock};
    case 317: return {UserAction::DeleteBlock};
    case 318:
    case 319: return {UserAction::MoveBlock};
    case 320: return {UserAction::CutWord};
    case 321: return {UserAction::ReformatParagraph};
    case 328: return {UserAction::BuiltInFilter, -1, 4};
    case 329: return {UserAction::BuiltInFilter, -1, 5};
    case 457: return {UserAction::MacroFind};
    case 458: return {UserAction::MacroReplace};
    case 459: return {UserAction::NextParagraph};
    default: return {};
  }
}

std::optional<uint16_t> DocumentDigitCommand(bool ctrl, bool shift, bool alt, int digit) {
  if (digit < 0 || digit > 9) return std::nullopt;
  auto pick = [digit](uint16_t zero, uint16_t one) -> uint16_t {
    return digit == 0 ? zero : static_cast<uint16_t>(one + digit - 1);
  };
  if (ctrl && shift) return pick(276, 287);
  if (ctrl && alt) return pick(286, 277);
  if (ctrl) return pick(306, 297);
  if (alt) return pick(296, 267);
  return std::nullopt;
}

}  // namespace nuvel
