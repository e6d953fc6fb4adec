#pragma once
// The main window's keystroke macro commands: Record Keystrokes (start and
// stop), Play Keystrokes, the recorded-macro files that key macros play,
// with the chooser when they name none, and Change Macros, the editor of
// the digit keys' macros.
#include <functional>
#include <optional>
#include <string>

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMacroDialogN;
class TMacroForm;
class TMacroMagic;

struct MacroCommandHooks {
  // Runs the chooser; true for OK. Unset: the dialog runs modally.
  std::function<bool(TMacroForm&)> runChooser;
  // Runs the key-macro editor; true for OK. Unset: the dialog runs modally.
  std::function<bool(TMacroDialogN&)> runEditor;
};

void AttachMacroCommands(MainCommands& commands, DocumentWindows& docs, TMacroMagic& magic,
                         MacroCommandHooks hooks = {});

}  // namespace nuvel
