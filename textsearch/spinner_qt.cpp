#include "textsearch/spinner_qt.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "platform/tick_count.h"
#include "textsearch/color_qt.h"
#include "textsearch/entry_field_qt.h"
#include "textsearch/spin_edit_text.h"

namespace nuvel {

TNvcSpinner::TNvcSpinner(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Clock = [] { return platform::GetTickCount(); };
  resize(16, 25);
  press_.SetGeometry(TNvcSpinnerStyle::stNormalVertical, width(), height());
  press_.OnStep = [this](TNvcSpinState s) { return Step(s); };
  press_.OnStateChanged = [this](TNvcSpinState, TNvcSpinState) { update(); };
  repeat_.setSingleShot(true);
  connect(&repeat_, &QTimer::timeout, this, [this] { RepeatPass(); });
}

void TNvcSpinner::SetStyle(TNvcSpinnerStyle style) {
  press_.SetGeometry(style, width(), height());
  update();
}

void TNvcSpinner::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  press_.SetGeometry(press_.Style(), width(), height());
}

bool TNvcSpinner::Step(TNvcSpinState state) {
  bool acted = false;
  if (auto* field = qobject_cast<TNvcEntryFieldWidget*>(FocusedControl.data())) {
    TNvcBaseEntryField& f = field->Field();
    if (state == ssUp) f.IncreaseValue(WrapMode, Delta);
    if (state == ssDown) f.DecreaseValue(WrapMode, Delta);
    if (state == ssLeft) f.MoveCaret(-1);
    if (state == ssRight) f.MoveCaret(1);
    acted = true;
  } else if (auto* edit = qobject_cast<QLineEdit*>(FocusedControl.data())) {
    if (auto text = SpinEditText(edit->text().toStdString(), state, Delta)) edit->setText(QString::fromStdString(*text));
    acted = true;
  }
  if (OnClick) {
    OnClick(*this, state, Delta, WrapMode);
    acted = true;
  }
  return acted;
}

void TNvcSpinner::ScheduleRepeat() {
  if (!press_.Repeats()) return;
  repeat_.start(static_cast<int>(press_.NextDelay(Clock())));
}

void TNvcSpinner::RepeatPass() {
  if (!press_.Held()) return;
  press_.Repeat(pointer_.x(), pointer_.y(), Clock());
  ScheduleRepeat();
}

void TNvcSpinner::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  if (e->button() != Qt::LeftButton || !isEnabled()) return;
  if (FocusedControl && !FocusedControl->hasFocus() && FocusedControl->focusPolicy() != Qt::NoFocus &&
      FocusedControl->isEnabled())
    FocusedControl->setFocus(Qt::OtherFocusReason);
  pointer_ = e->position().toPoint();
  press_.MouseDown(pointer_.x(), pointer_.y(), Clock());
  ScheduleRepeat();
}

void TNvcSpinner::mouseMoveEvent(QMouseEvent* e) {
  QWidget::mouseMoveEvent(e);
  pointer_ = e->position().toPoint();
  if (press_.Held()) {
    press_.MouseMove(pointer_.x(), pointer_.y());
    ScheduleRepeat();
  }
}

void TNvcSpinner::mouseReleaseEvent(QMouseEvent* e) {
  QWidget::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton || !press_.Held()) return;
  repeat_.stop();
  press_.MouseUp();
}

// Double clicks are presses like any other.
void TNvcSpinner::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

namespace {

// A filled arrow pointing to `dir` (0 up, 1 down, 2 left, 3 right) centred
// in `box`: its size the smaller side halved and made odd.
QPolygon Arrow(const QRect& box, int dir) {
  int size = std::min(box.width(), box.height()) / 2;
  if (size % 2 == 0) --size;
  size = std::max(size, 1);
  const int depth = (size + 1) / 2;
  const QPoint c = box.center();
  switch (dir) {
    case 0: return QPolygon({{c.x() - size / 2, c.y() + depth / 2}, {c.x() + size / 2, c.y() + depth / 2}, {c.x(), c.y() - depth / 2}});
    case 1: return QPolygon({{c.x() - size / 2, c.y() - depth / 2}, {c.x() + size / 2, c.y() - depth / 2}, {c.x(), c.y() + depth / 2}});
    case 2: return QPolygon({{c.x() + depth / 2, c.y() - size / 2}, {c.x() + depth / 2, c.y() + size / 2}, {c.x() - depth / 2, c.y()}});
    default: return QPolygon({{c.x() - depth / 2, c.y() - size / 2}, {c.x() - depth / 2, c.y() + size / 2}, {c.x() + depth / 2, c.y()}});
  }
}

}  // namespace

void TNvcSpinner::PaintArea(QPainter& p, int index, bool pressed) {
  const SpinRegion& r = press_.Regions().areas[static_cast<size_t>(index)];
  if (r.Empty()) return;
  int l, t, rr, b;
  r.Bounds(l, t, rr, b);
  const QRect box(l, t, rr - l, b - t);
  const QColor light = ToQColor(clWhite), dark = ToQColor(clBtnShadow);
  if (r.isRect) {
    p.fillRect(box, ToQColor(clBtnFace));
    p.setPen(pressed ? dark : light);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(pressed ? light : dark);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomRight());
  } else {
    QPolygon poly;
    for (const SpinPoint& pt : r.corners) poly << QPoint(pt.x, pt.y);
    p.setBrush(ToQColor(clBtnFace));
    p.setPen(pressed ? dark : light);
    p.drawPolygon(poly);
  }
  if (!ShowArrows || index == 4) return;
  const QRect arrowBox = pressed ? box.translated(1, 1) : box;
  p.setPen(Qt::NoPen);
  p.setBrush(ToQColor(clBtnText));
  p.drawPolygon(Arrow(arrowBox, index));
}

void TNvcSpinner::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
  for (int i = 0; i < 5; ++i)
    PaintArea(p, i, press_.Pressed() && press_.State() == SpinnerRegions::StateOf(i));
}

}  // namespace nuvel
