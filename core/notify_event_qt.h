#pragma once
// The framework's private notifications (0x7F01-0x7F10) as Qt events of the
// project's own types. They are posted, never sent, so each one runs after
// the event that caused it has been handled, in the order they were posted.
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <cstdint>

namespace nuvel {

// The notifications and what each one asks of its receiver.
inline constexpr uint16_t kNotifyShowAndFocus = 0x7F01;   // controller: show and focus Control
inline constexpr uint16_t kNotifyCaretMoved = 0x7F02;     // editor: caret moved (WParam column, LParam line)
inline constexpr uint16_t kNotifyPreEdit = 0x7F06;        // controller: OnPreEdit(Sender, Control)
inline constexpr uint16_t kNotifyPostEdit = 0x7F07;       // controller: OnPostEdit(Sender, Control)
inline constexpr uint16_t kNotifyAfterEnter = 0x7F08;     // control: AfterEnter
inline constexpr uint16_t kNotifyAfterExit = 0x7F09;      // control: AfterExit
inline constexpr uint16_t kNotifyDelay = 0x7F0A;          // controller: OnDelayNotify(Sender, code)
inline constexpr uint16_t kNotifyMoveLabel = 0x7F0B;      // control: move the attached label along
inline constexpr uint16_t kNotifyCollectionChanged = 0x7F10;

// The Qt event type of a notification.
constexpr QEvent::Type NotifyEventType(uint16_t message) {
  return static_cast<QEvent::Type>(QEvent::User + message);
}
// The notification of an event, or 0 when it is none of them.
uint16_t NotifyMessageOf(const QEvent& event);

class TNvcNotifyEvent : public QEvent {
 public:
  TNvcNotifyEvent(uint16_t message, QObject* sender, QObject* control, intptr_t wParam = 0,
                  intptr_t lParam = 0)
      : QEvent(NotifyEventType(message)),
        Message(message),
        Sender(sender),
        Control(control),
        WParam(wParam),
        LParam(lParam),
        hadSender_(sender != nullptr),
        hadControl_(control != nullptr) {}

  const uint16_t Message;
  // Guarded: a sender or control destroyed before the event runs reads as null.
  const QPointer<QObject> Sender;
  const QPointer<QObject> Control;
  const intptr_t WParam;
  const intptr_t LParam;

  // True when an object named by the event has gone meanwhile.
  bool Orphaned() const { return (hadSender_ && !Sender) || (hadControl_ && !Control); }

 private:
  const bool hadSender_;
  const bool hadControl_;
};

// Posts a notification to `receiver`; it runs after the current event.
void PostNotify(QObject* receiver, uint16_t message, QObject* sender = nullptr,
                QObject* control = nullptr, intptr_t wParam = 0, intptr_t lParam = 0);

}  // namespace nuvel
