#include "core/controller_qt.h"

#include <QCoreApplication>
#include <QDate>
#include <exception>

#include "core/notify_event_qt.h"
#include "platform/message_sink.h"

namespace nuvel {

TNvcController::TNvcController(QObject* owner, TNvcTimerPool::TClock clock)
    : QObject(owner),
      epoch_(QDate::currentDate().year() / 100 * 100),
      timerPool_(this, std::move(clock)) {
  TimerPool().OnAllTriggers = [this](TNvcTimerPool& pool, int32_t handle, uint32_t interval,
                                     uint32_t elapsed) {
    (void)pool;
    if (OnTimerTrigger) OnTimerTrigger(this, handle, interval, elapsed);
  };
  timerPool_.OnHandlerError = [this](const std::string& text) { DoError(this, 0, text); };
}

TNvcController::~TNvcController() = default;

int TNvcController::Epoch() {
  if (OnGetEpoch) OnGetEpoch(this, epoch_);
  return epoch_;
}

void TNvcController::SetEpoch(int year) {
  if (year >= 1600 && year <= 3999) epoch_ = year;
}

void TNvcController::DoError(QObject* sender, uint16_t errorCode, const std::string& errorMsg) {
  if (OnError) {
    OnError(sender, errorCode, errorMsg);
  } else {
    platform::MessageRequest box;
    box.text = errorMsg;
    box.type = platform::MsgDlgType::Error;
    box.buttons = platform::mbOK;
    platform::ShowMessageRequest(box);
  }
}

void TNvcController::PreEditNotify(QObject* sender, QWidget* control) {
  PostNotify(this, kNotifyPreEdit, sender, control);
}

void TNvcController::PostEditNotify(QObject* sender, QWidget* control) {
  PostNotify(this, kNotifyPostEdit, sender, control);
}

void TNvcController::PostShowAndFocus(QWidget* control) {
  PostNotify(this, kNotifyShowAndFocus, nullptr, control);
}

void TNvcController::DelayNotify(QObject* sender, uint16_t code) {
  PostNotify(this, kNotifyDelay, sender, nullptr, code);
}

bool TNvcController::IsSpecialControl(QWidget* control) {
  bool special = false;
  if (OnIsSpecialControl) OnIsSpecialControl(this, control, special);
  return special;
}

bool TNvcController::event(QEvent* e) {
  const uint16_t message = NotifyMessageOf(*e);
  if (message == 0) return QObject::event(e);
  auto* n = static_cast<TNvcNotifyEvent*>(e);
  // A notification about a control that has gone meanwhile is dropped.
  if (n->Orphaned()) return true;
  try {
    Dispatch(*n);
  } catch (const std::exception& ex) {
    // Errors of handlers stop here, never crossing the event loop.
    DoError(n->Sender.data(), 0, ex.what());
  }
  return true;
}

void TNvcController::Dispatch(const TNvcNotifyEvent& n) {
  QWidget* control = qobject_cast<QWidget*>(n.Control.data());
  switch (n.Message) {
    case kNotifyShowAndFocus:
      if (control != nullptr) {
        control->show();
        if (control->isEnabled() && control->isVisible() && control->focusPolicy() != Qt::NoFocus) {
          control->setFocus();
        }
      }
      break;
    case kNotifyPreEdit:
      if (OnPreEdit) OnPreEdit(n.Sender.data(), control);
      break;
    case kNotifyPostEdit:
      if (OnPostEdit) OnPostEdit(n.Sender.data(), control);
      break;
    case kNotifyDelay:
      if (OnDelayNotify) OnDelayNotify(n.Sender.data(), static_cast<uint16_t>(n.WParam & 0xFFFF));
      break;
    default:
      break;
  }
}

}  // namespace nuvel
