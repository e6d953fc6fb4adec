#include "editor/heb_edit_win_qt.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <span>

#include "core/cell_painter_qt.h"
#include "core/fixed_font_qt.h"
#include "core/font_index.h"
#include "core/message_texts.h"
#include "core/shared_state.h"
#include "core/guarded_call.h"
#include "editor/clipboard_qt.h"
#include "platform/qt/key_edge_qt.h"
#include "platform/virtual_keys.h"

namespace nuvel {

THebEditWin::THebEditWin(QWidget* parent) : QWidget(parent), blinker_(this), caret_(&blinker_) {
  blinker_.Attach(&caret_);
  // Copy and paste reach the desktop's clipboard also when no editor is open.
  InstallDesktopClipboard();
  setObjectName(QStringLiteral("HebEditWin"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setCursor(Qt::IBeamCursor);
  MeasureFonts();
  setMinimumHeight(lineHeight_ + 2);
}

THebEditWin::~THebEditWin() = default;

void THebEditWin::MeasureFonts() {
  // The cell is the wider of the two fonts' average characters; the row is
  // the height of the font measured last.
  const QFontMetrics english(FixedFonts(1).Font());
  const QFontMetrics hebrew(FixedFonts(2).Font());
  englishWidth_ = std::max(english.averageCharWidth(), 1);
  hebrewWidth_ = std::max(hebrew.averageCharWidth(), 1);
  const QFontMetrics& last = hebrewWidth_ > englishWidth_ ? hebrew : english;
  charWidth_ = std::max(englishWidth_, hebrewWidth_);
  lineHeight_ = last.height() + last.leading() + 1;
  caret_.SetCellWidth(charWidth_);
  caret_.SetCellHeight(lineHeight_);
}

void THebEditWin::PlaceCaret() { caret_.SetCaretPosition(line_.CaretX(width(), charWidth_), 0); }

void THebEditWin::RefreshText() {
  line_.RefreshText();
  PlaceCaret();
  update();
  if (!hasFocus()) setFocus(Qt::OtherFocusReason);
}

void THebEditWin::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const QColor back = line_.AllSelected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
  const QColor ink = line_.AllSelected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
  painter.fillRect(rect(), back);
  painter.setPen(ink);
  painter.setBrush(back);
  Guarded([&] {
    const std::string& shown = line_.DisplayText;
    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(shown.data()), shown.size());
    FontIndex index;
    BuildFontIndex(bytes, index, line_.EnglishMode, true);
    CellRect r{line_.DisplayLeft(width(), charWidth_), 1, width(), height()};
    DrawMultiFontLine(bytes, painter, index, true, line_.HebScreenFont, line_.EnglishMode, hebrewWidth_,
                      englishWidth_, charWidth_, r, NikudOverstrike);
  });
  painter.setBrush(Qt::NoBrush);
  blinker_.Paint(painter);
}

void THebEditWin::keyPressEvent(QKeyEvent* e) {
  const platform::KeyStroke key = platform::KeyStrokeOf(*e);
  // Enter and Esc belong to the dialog.
  if (key.Typed == 13 || key.Typed == 27) {
    e->ignore();
    return;
  }
  e->accept();
  Guarded([&] {
    line_.KeyDown(key.VirtualKey);
    if (key.Typed != 0) line_.KeyChar(key.Typed);
  });
  RefreshText();
}

void THebEditWin::focusInEvent(QFocusEvent* e) {
  MeasureFonts();
  caret_.SetCaretActive(true);
  caret_.SetCaretVisible(true);
  line_.FocusEntered(width(), charWidth_);
  RefreshText();
  QWidget::focusInEvent(e);
}

void THebEditWin::focusOutEvent(QFocusEvent* e) {
  caret_.SetCaretActive(false);
  QWidget::focusOutEvent(e);
}

void THebEditWin::mousePressEvent(QMouseEvent* e) {
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  if (e->button() != Qt::LeftButton) return;
  line_.MouseAt(e->position().toPoint().x(), width(), charWidth_);
  PlaceCaret();
}

void THebEditWin::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  line_.MouseAt(e->position().toPoint().x(), width(), charWidth_);
  PlaceCaret();
}

void THebEditWin::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  line_.MouseDoubleClick(e->position().toPoint().x(), width(), charWidth_);
  RefreshText();
}

// The control takes every key, Tab included, as its text.
bool THebEditWin::focusNextPrevChild(bool) { return false; }

}  // namespace nuvel
