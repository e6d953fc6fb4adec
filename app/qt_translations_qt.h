#pragma once
// Qt's own texts (the buttons of message boxes, the file dialogs) in the
// interface's language: Hebrew from the program folder's translations/, else
// from the system's Qt translations.
class QObject;
class QTranslator;

namespace nuvel {

// Installs the Hebrew texts, owned by `owner`; null when none were found.
// Removing the translator (QCoreApplication::removeTranslator) undoes it.
QTranslator* InstallQtHebrewTexts(QObject* owner);

}  // namespace nuvel
