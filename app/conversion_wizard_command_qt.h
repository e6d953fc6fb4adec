#pragma once
// Tools | Conversion Wizard: runs the wizard, then converts the chosen
// source (the active document, a file, or several files into a folder) as
// its choices say, leaving the result in the editor or writing it.
#include <functional>

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TWizrdFrm;

struct WizardCommandHooks {
  // Shows the dialog; true when it closed with Finish. Tests answer it.
  std::function<bool(TWizrdFrm&)> run;
};

void AttachConversionWizard(MainCommands& commands, DocumentWindows& docs, WizardCommandHooks hooks = {});

}  // namespace nuvel
