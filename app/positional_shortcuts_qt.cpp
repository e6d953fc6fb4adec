#include "app/positional_shortcuts_qt.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>

#include "platform/qt/key_edge_qt.h"

namespace nuvel {

bool TriggerShortcutByKeyPlace(QWidget& window, QWidget* focus, const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods =
      key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier);
  if (!(mods & (Qt::ControlModifier | Qt::AltModifier))) return false;
  // Latin letters, digits and the named keys match as they are.
  const int k = key.key();
  if (k < 0x80 || k >= Qt::Key_Escape) return false;
  const uint8_t vk = platform::VirtualKeyOf(key, platform::CurrentScanCodeSet());
  if (!((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) return false;
  if (focus) {
    // A control that takes the key (an editor's table key) keeps it.
    QKeyEvent probe(QEvent::ShortcutOverride, vk, key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                    key.nativeModifiers());
    probe.ignore();
    QCoreApplication::sendEvent(focus, &probe);
    if (probe.isAccepted()) return false;
  }
  const QKeySequence sequence(QKeyCombination(mods, static_cast<Qt::Key>(vk)));
  for (QAction* action : window.findChildren<QAction*>()) {
    if (action->isEnabled() && action->shortcuts().contains(sequence)) {
      action->trigger();
      return true;
    }
  }
  return false;
}

}  // namespace nuvel
