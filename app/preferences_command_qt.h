#pragma once
// Options | Preferences (and the frame popup's Preferences): runs the
// Properties dialog and, on OK, writes every setting and applies it at once
// to the main window and every open document. Also the Tabs commands and
// the English font command.
#include <functional>
#include <optional>

#include <QFont>

#include "app/preferences.h"

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMainForm;
class TPreferencesDlg;
class TFontCDlg;

struct PreferencesHooks {
  // Shows the dialog; true stands for a click on OK (the fields are then
  // checked as OK checks them). Tests answer it.
  std::function<bool(TPreferencesDlg&)> run;
  // The English font dialog; nullopt when cancelled. Unset: Qt's dialog.
  std::function<std::optional<QFont>(const QFont& start)> chooseFont;
  // The Hebrew screen-font chooser; true when it closed with OK.
  std::function<bool(TFontCDlg&)> runFontChooser;
};

void AttachPreferences(MainCommands& commands, TMainForm& form, DocumentWindows& docs, PreferencesHooks hooks = {});

// The settings as the dialog opens with them: stored values, with the live
// state of the main window where it holds them.
Preferences PreferencesToShow(TMainForm& form, DocumentWindows& docs);

// Writes the settings and applies them to the main window and the documents.
void ApplyPreferences(TMainForm& form, DocumentWindows& docs, const Preferences& p);

}  // namespace nuvel
