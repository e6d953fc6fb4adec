#include "core/custom_edit_qt.h"

#include "core/custom_control_qt.h"
#include "core/notify_event_qt.h"

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
  if (ClaimShortcutOverride(e, [this](QKeyEvent* key) { return WantsShortcutKey(key); })) return true;
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
  CreateOnFirstShow(created_, [this] { CreateWnd(); });
}

void TNvcCustomEdit::hideEvent(QHideEvent* e) {
  QLineEdit::hideEvent(e);
  label_.FollowVisibility();
}

}  // namespace nuvel
