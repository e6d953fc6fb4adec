#pragma once
// Menu shortcuts found by the key's place on the keyboard. Under a desktop
// layout without Latin letters (the Hebrew layout alone), Ctrl+S arrives as
// Ctrl with the letter dalet, which no menu shortcut matches; the key's X
// key code still names the S key, as it does for the editor's own keys.
#include <QKeyEvent>
#include <QWidget>

namespace nuvel {

// Triggers the enabled action of `window` whose shortcut is `key` read by
// the key's place, when the key carries Ctrl or Alt, its letter is not a
// Latin one, and `focus` (the widget with the keyboard focus) does not take
// the key as its own. True when an action was triggered.
bool TriggerShortcutByKeyPlace(QWidget& window, QWidget* focus, const QKeyEvent& key);

}  // namespace nuvel
