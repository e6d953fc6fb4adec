#pragma once
// A script of user input that the program plays into itself when it is
// started with NUVEL_INPUT_SCRIPT naming a script file. It lets tests drive
// the built program as a separate process, where no test library can reach
// its windows. One step a line:
//   type <text>      each character typed as a key press (UTF-8 text)
//   key <keys>       one key with modifiers, e.g. "Return", "Ctrl+S"
//   menu <item>      triggers the main window's menu item of that object name
//   wait <ms>        lets the program run for that long
// Blank lines and lines starting with "#" are skipped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

enum class InputStepKind : uint8_t { Type, Key, Menu, Wait };

struct InputStep {
  InputStepKind kind = InputStepKind::Type;
  std::string text;  // the characters, key name or menu item name
  int32_t ms = 0;    // for Wait
  bool operator==(const InputStep&) const = default;
};

struct InputScript {
  std::vector<InputStep> steps;
  std::string error;  // empty when the whole script was read; else names the line
};

InputScript ParseInputScript(std::string_view text);

}  // namespace nuvel
