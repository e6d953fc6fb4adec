#pragma once
// Qt's own texts (the buttons of message boxes, the file dialogs) in the
// interface's language: Hebrew from the program folder's translations/, else
// from the system's Qt translations.
namespace nuvel {

// Installs the Hebrew texts once; false when none were found.
bool InstallQtHebrewTexts();

}  // namespace nuvel
