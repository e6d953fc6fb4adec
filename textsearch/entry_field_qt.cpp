#include "textsearch/entry_field_qt.h"

#include <QKeyEvent>
#include <QPainter>

#include "core/charset.h"
#include "core/qstring_bytes_qt.h"

namespace nuvel {

TNvcEntryFieldWidget::TNvcEntryFieldWidget(std::unique_ptr<TNvcBaseEntryField> field, QWidget* parent)
    : QWidget(parent), field_(std::move(field)) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::IBeamCursor);
  resize(130, 25);
  field_->OnChange = [this] {
    if (redraw_) update();
  };
  field_->OnRedraw = [this](bool on) {
    redraw_ = on;
    if (on) update();
  };
}

void TNvcEntryFieldWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), isEnabled() ? pal.color(QPalette::Base) : pal.color(QPalette::Window));
  p.setPen(pal.color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QString text = FromSystemText(field_->Text());
  const QFontMetrics fm(font());
  const int x0 = 4, baseline = (height() + fm.ascent() - fm.descent()) / 2;
  const int s1 = field_->SelStart(), s2 = field_->SelEnd();
  if (s1 != s2) {
    const int a = x0 + fm.horizontalAdvance(text.left(s1)), b = x0 + fm.horizontalAdvance(text.left(s2));
    p.fillRect(QRect(a, 3, b - a, height() - 6), pal.color(QPalette::Highlight));
  }
  p.setPen(pal.color(isEnabled() ? QPalette::Text : QPalette::PlaceholderText));
  p.drawText(x0, baseline, text);
  if (hasFocus()) {
    const int cx = x0 + fm.horizontalAdvance(text.left(field_->CaretPos()));
    p.fillRect(QRect(cx, 4, field_->InsertMode() ? 1 : 3, height() - 8), pal.color(QPalette::Text));
  }
}

void TNvcEntryFieldWidget::keyPressEvent(QKeyEvent* e) {
  const bool shift = e->modifiers() & Qt::ShiftModifier;
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  TNvcCommand cmd = ccNone;
  switch (e->key()) {
    case Qt::Key_Left: cmd = shift ? ccExtendLeft : ctrl ? ccWordLeft : ccLeft; break;
    case Qt::Key_Right: cmd = shift ? ccExtendRight : ctrl ? ccWordRight : ccRight; break;
    case Qt::Key_Home: cmd = shift ? ccExtendHome : ccHome; break;
    case Qt::Key_End: cmd = shift ? ccExtendEnd : ccEnd; break;
    case Qt::Key_Backspace: cmd = ccBack; break;
    case Qt::Key_Delete: cmd = ccDel; break;
    case Qt::Key_Insert: cmd = ccIns; break;
    case Qt::Key_Z: if (ctrl) cmd = ccUndo; break;
    default: break;
  }
  if (cmd == ccNone && !ctrl && !e->text().isEmpty() && e->text()[0].isPrint()) {
    field_->ProcessCommand(ccChar, UnicodeToHebChar(e->text()[0].unicode()));
    update();
    return;
  }
  if (cmd == ccNone) {
    QWidget::keyPressEvent(e);
    return;
  }
  field_->ProcessCommand(cmd);
  update();
}

void TNvcEntryFieldWidget::focusInEvent(QFocusEvent* e) {
  field_->SetHasFocus(true);
  QWidget::focusInEvent(e);
  update();
}

void TNvcEntryFieldWidget::focusOutEvent(QFocusEvent* e) {
  field_->SetHasFocus(false);
  QWidget::focusOutEvent(e);
  update();
}

}  // namespace nuvel
