#pragma once
// The main window's Phrase Dictionary (the chosen phrase goes into the
// active document at its caret) and Calculator (a window of its own that
// the Window menu lists while it is open).
#include <functional>

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TCalcltDlg;
class TPhraseDic;

struct ToolDialogHooks {
  // Runs the phrase dictionary modally; unset: exec().
  std::function<void(TPhraseDic&)> runPhrases;
};

void AttachToolDialogCommands(MainCommands& commands, DocumentWindows& docs, ToolDialogHooks hooks = {});

// The calculator window while it is open, else null.
TCalcltDlg* OpenCalculator(const DocumentWindows& docs);

}  // namespace nuvel
