#include "core/notify_event_qt.h"

#include <QCoreApplication>

namespace nuvel {

uint16_t NotifyMessageOf(const QEvent& event) {
  const int type = event.type();
  if (type >= NotifyEventType(0x7F00) && type <= NotifyEventType(0x7F10)) {
    return static_cast<uint16_t>(type - QEvent::User);
  }
  return 0;
}

void PostNotify(QObject* receiver, uint16_t message, QObject* sender, QObject* control,
                intptr_t wParam, intptr_t lParam) {
  if (receiver == nullptr) return;
  QCoreApplication::postEvent(receiver,
                              new TNvcNotifyEvent(message, sender, control, wParam, lParam));
}

}  // namespace nuvel
