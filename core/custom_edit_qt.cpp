#include "core/custom_edit_qt.h"

#include <exception>

#include "core/notify_event_qt.h"
#include "platform/message_sink.h"

namespace nuvel {

TNvcCustomEdit::TNvcCustomEdit(QWidget* parent)
    : QLineEdit(parent), label_(this), controller_(this) {}

TNvcCustomEdit::~TNvcCustomEdit() = default;

void TNvcCustomEdit::SetController(TNvcController* controller) {
  controller_.SetController(controller);
}

void TNvcCustomEdit::CreateWnd() { controller_.LookUp(); }

bool TNvcCustomEdit::WantsShortcutKey(QKeyEvent* event) { return controller_.ClaimShortcut(event); }

bool TNvcCustomEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (WantsShortcutKey(key)) {
      key->accept();
      return true;
    }
  }
  if (NotifyMessageOf(*e) == kNotifyMoveLabel) {
    movePending_ = false;
    label_.Place();
    return true;
  }
  return QLineEdit::event(e);
}

void TNvcCustomEdit::LabelMoveLater() {
  if (movePending_) return;
  movePending_ = true;
  PostNotify(this, kNotifyMoveLabel);
}

void TNvcCustomEdit::moveEvent(QMoveEvent* e) {
  QLineEdit::moveEvent(e);
  LabelMoveLater();
}

void TNvcCustomEdit::resizeEvent(QResizeEvent* e) {
  QLineEdit::resizeEvent(e);
  LabelMoveLater();
}

void TNvcCustomEdit::showEvent(QShowEvent* e) {
  QLineEdit::showEvent(e);
  label_.Place();
  label_.FollowVisibility();
  if (created_) return;
  created_ = true;
  try {
    CreateWnd();
  } catch (const std::exception& ex) {
    platform::MessageRequest box;
    box.text = ex.what();
    box.type = platform::MsgDlgType::Error;
    platform::ShowMessageRequest(box);
  }
}

void TNvcCustomEdit::hideEvent(QHideEvent* e) {
  QLineEdit::hideEvent(e);
  label_.FollowVisibility();
}

}  // namespace nuvel
