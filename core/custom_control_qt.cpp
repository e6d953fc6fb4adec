#include "core/custom_control_qt.h"

#include <QFocusEvent>
#include <QWheelEvent>
#include <exception>

#include "core/guarded_call.h"
#include "core/notify_event_qt.h"
#include "platform/message_sink.h"
#include "platform/qt/key_edge_qt.h"

namespace nuvel {

bool ClaimShortcutOverride(QEvent* e, const std::function<bool(QKeyEvent*)>& wants) {
  if (e->type() != QEvent::ShortcutOverride) return false;
  auto* key = static_cast<QKeyEvent*>(e);
  if (!wants(key)) return false;
  key->accept();
  return true;
}

void CreateOnFirstShow(bool& created, const std::function<void()>& create) {
  if (created) return;
  created = true;
  Guarded(create);
}

TNvcCustomControl::TNvcCustomControl(QWidget* parent) : QWidget(parent), label_(this) {}

TNvcCustomControl::~TNvcCustomControl() = default;

bool TNvcCustomControl::event(QEvent* e) {
  switch (NotifyMessageOf(*e)) {
    case kNotifyAfterEnter:
      if (AfterEnter) AfterEnter(this);
      return true;
    case kNotifyAfterExit:
      if (AfterExit) AfterExit(this);
      return true;
    case kNotifyMoveLabel:
      movePending_ = false;
      label_.Place();
      return true;
    default:
      return QWidget::event(e);
  }
}

void TNvcCustomControl::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  PostNotify(this, kNotifyAfterEnter);
}

void TNvcCustomControl::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  PostNotify(this, kNotifyAfterExit);
}

void TNvcCustomControl::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (!movePending_) {
    movePending_ = true;
    PostNotify(this, kNotifyMoveLabel);
  }
}

void TNvcCustomControl::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (!movePending_) {
    movePending_ = true;
    PostNotify(this, kNotifyMoveLabel);
  }
}

void TNvcCustomControl::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  label_.Place();
  label_.FollowVisibility();
}

void TNvcCustomControl::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  label_.FollowVisibility();
}

void TNvcCustomControl::wheelEvent(QWheelEvent* e) {
  const QPoint at = e->globalPosition().toPoint();
  DoMouseWheel(platform::ShiftStateOf(e->modifiers(), e->buttons()), e->angleDelta().y(), at.x(),
               at.y());
  e->accept();
}

void TNvcCustomControl::DoMouseWheel(const platform::TShiftState& shift, int delta, int x, int y) {
  if (OnMouseWheel) OnMouseWheel(this, shift, delta, x, y);
}

TNvcCustomControlEx::TNvcCustomControlEx(QWidget* parent)
    : TNvcCustomControl(parent), controller_(this) {}

void TNvcCustomControlEx::SetController(TNvcController* controller) {
  controller_.SetController(controller);
}

void TNvcCustomControlEx::CreateWnd() { controller_.LookUp(); }

bool TNvcCustomControlEx::WantsShortcutKey(QKeyEvent* event) {
  return controller_.ClaimShortcut(event);
}

bool TNvcCustomControlEx::event(QEvent* e) {
  if (ClaimShortcutOverride(e, [this](QKeyEvent* key) { return WantsShortcutKey(key); })) return true;
  return TNvcCustomControl::event(e);
}

void TNvcCustomControlEx::showEvent(QShowEvent* e) {
  TNvcCustomControl::showEvent(e);
  CreateOnFirstShow(created_, [this] { CreateWnd(); });
}

}  // namespace nuvel
