#pragma once
// The user commands 256 and up that every editor hands to its document
// window, and the digit keys that the document window turns into them.
#include <cstdint>
#include <optional>

namespace nuvel {

enum class UserAction {
  None,
  PlayMacro,          // slot: the key-macro slot played
  Find,               // 266
  Replace,            // 307
  FindNext,           // 308
  Open,               // 309
  SaveAndClose,       // 310
  Save,               // 311
  FlipCase,           // 312
  GotoChar,           // 313
  BlockBegin,         // 314
  BlockEnd,           // 315
  CopyBlock,          // 316
  DeleteBlock,        // 317
  MoveBlock,          // 318, 319
  CutWord,            // 320
  ReformatParagraph,  // 321
  BuiltInFilter,      // 328, 329: filter kind 4 or 5
  MacroFind,          // 457
  MacroReplace,       // 458
  NextParagraph,      // 459
};

struct UserCommand {
  UserAction action = UserAction::None;
  int slot = -1;        // PlayMacro
  int filterKind = 0;   // BuiltInFilter

  bool operator==(const UserCommand&) const = default;
};

inline constexpr uint16_t kFirstUserCommand = 256;

UserCommand DecodeUserCommand(uint16_t number);

// The user command of a digit key pressed in a document window, or nullopt:
//   Ctrl+Shift: 0 -> 276, 1..9 -> 287..295
//   Ctrl+Alt:   0 -> 286, 1..9 -> 277..285
//   Ctrl:       0 -> 306, 1..9 -> 297..305
//   Alt:        0 -> 296, 1..9 -> 267..275
std::optional<uint16_t> DocumentDigitCommand(bool ctrl, bool shift, bool alt, int digit);

}  // namespace nuvel
