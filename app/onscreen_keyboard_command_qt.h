#pragma once
// Languages | Onscreen Keyboard: shows the on-screen keyboard over the
// active document, or closes it; the item carries its check while it is shown.
namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMainForm;
class TKey_Form;

void AttachOnScreenKeyboard(MainCommands& commands, TMainForm& form, DocumentWindows& docs);

// The keyboard window while it is shown; null otherwise.
TKey_Form* OnScreenKeyboardOf(TMainForm& form);

}  // namespace nuvel
