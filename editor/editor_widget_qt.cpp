#include "editor/editor_widget_qt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "core/cell_canvas.h"
#include "core/cell_plan.h"
#include "core/message_table.h"
#include "core/message_texts.h"
#include "editor/text_file_editor.h"
#include "editor/wrap_routines.h"
#include "platform/qt/key_edge_qt.h"

namespace nuvel {

namespace {
// Draws each cell's cluster in the editor's own font.
class TEditorFontCanvas : public CellCanvas {
 public:
  TEditorFontCanvas(QPainter& painter, int ascent) : painter_(painter), ascent_(ascent) {}
  void FillRect(const CellRect& r) override {
    painter_.fillRect(QRect(r.Left, r.Top, r.Width(), r.Bottom - r.Top), painter_.brush());
  }
  void DrawCell(int x, int y, int /*fontSlot*/, std::u16string_view cluster) override {
    if (cluster.empty()) return;
    painter_.drawText(QPointF(x, y + ascent_),
                      QString::fromUtf16(cluster.data(), static_cast<qsizetype>(cluster.size())));
  }

 private:
  QPainter& painter_;
  int ascent_;
};

// The shortest interval of the drag timer, so a pointer far outside does
// not starve the event loop.
constexpr int kMinDragInterval = 10;
}  // namespace

TNvcEditorWidget::TNvcEditorWidget(QWidget* parent, std::unique_ptr<TNvcCustomEditor> editor)
    : QAbstractScrollArea(parent),
      editor_(editor != nullptr ? std::move(editor) : std::make_unique<TNvcTextFileEditor>()),
      blinker_(viewport()),
      carets_(&blinker_),
      controller_(this),
      dragTimer_(this) {
  blinker_.Attach(&carets_);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setFrameShape(QFrame::StyledPanel);
  resize(200, 150);
  font_.OnChange = [this] { FontChanged(); };
  editor_->SetHost(this);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (settingBars_ == 0) Guarded([&] { editor_->VertScrollTo(value); });
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (settingBars_ == 0) Guarded([&] { editor_->HorzScrollTo(value); });
  });
  connect(&dragTimer_, &QTimer::timeout, this, [this] { DragTimerFired(); });
}

TNvcEditorWidget::~TNvcEditorWidget() { editor_->SetHost(nullptr); }

void TNvcEditorWidget::SetController(TNvcController* controller) {
  controller_.SetController(controller);
  editor_->SetCommandProcessor(controller != nullptr ? &controller->EntryCommands() : nullptr);
}

void TNvcEditorWidget::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  setFrameShape(style == TBorderStyle::bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}

void TNvcEditorWidget::ShowError(const std::string& text) {
  // A message box while the mouse is held would leave the drag running.
  dragTimer_.stop();
  editor_->MouseUp();
  ShowGuardedError(text);
}

void TNvcEditorWidget::CreateWnd() {
  if (created_) return;
  created_ = true;
  controller_.LookUp();
  editor_->SetCommandProcessor(&controller_.Controller()->EntryCommands());
  UpdateCaretCell();
  editor_->WindowCreated();
}

void TNvcEditorWidget::FontChanged() {
  viewport()->setFont(font_.Font());
  UpdateCaretCell();
  Guarded([&] { editor_->FontChanged(); });
}

void TNvcEditorWidget::UpdateCaretCell() {
  const TEditorFontMetrics m = MeasureFont();
  carets_.SetCellWidth(m.CharWidth);
  carets_.SetCellHeight(m.LineHeight);
}

// ---- TEditorHost ----

int32_t TNvcEditorWidget::ClientWidth() const { return viewport()->width(); }
int32_t TNvcEditorWidget::ClientHeight() const { return viewport()->height(); }

TEditorFontMetrics TNvcEditorWidget::MeasureFont() const {
  const QFontMetrics fm(font_.Font());
  return {std::max(fm.horizontalAdvance(QLatin1Char('x')), 1), fm.height() + fm.leading() + 1};
}

void TNvcEditorWidget::InvalidateAll() { viewport()->update(); }

void TNvcEditorWidget::InvalidateRows(int32_t firstRow, int32_t lastRow) {
  const int32_t h = editor_->LineHeight();
  viewport()->update(QRect(0, firstRow * h, viewport()->width(), (lastRow - firstRow + 1) * h));
}

void TNvcEditorWidget::UpdateWindow() {
  // Qt paints what is pending when the event ends; nothing to force.
}

void TNvcEditorWidget::SetRedraw(bool on) { viewport()->setUpdatesEnabled(on); }

void TNvcEditorWidget::SetVertScrollBar(const TEditorScrollBar& bar) {
  ++settingBars_;
  // Setting a policy lays the window's bars out again even when it stays as
  // it was: only a change is set, since an edit that changes many places
  // (Replace All) sets the bars after each.
  const Qt::ScrollBarPolicy policy = bar.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
  QScrollBar* sb = verticalScrollBar();
  sb->setRange(0, bar.Max);
  sb->setPageStep(bar.Page);
  sb->setSingleStep(1);
  sb->setValue(bar.Pos);
  --settingBars_;
}

void TNvcEditorWidget::SetHorzScrollBar(const TEditorScrollBar& bar) {
  ++settingBars_;
  const Qt::ScrollBarPolicy policy = bar.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
  QScrollBar* sb = horizontalScrollBar();
  sb->setRange(0, bar.Max);
  sb->setPageStep(bar.Page);
  sb->setSingleStep(1);
  sb->setValue(bar.Pos);
  --settingBars_;
}

void TNvcEditorWidget::MoveCaret(int32_t x, int32_t y) {
  if (x >= 32767 || y >= 32767) {
    carets_.SetCaretPosition(-1, -1);
  } else {
    carets_.SetCaretPosition(x, y);
  }
}

void TNvcEditorWidget::SetCaretInsertMode(bool insert) { carets_.SetInsertMode(insert); }

bool TNvcEditorWidget::CaretIsThin() const {
  const TNvcCaret& c = *carets_.Caret();
  const bool line = c.Shape() == TCaretShape::csVertLine || c.Shape() == TCaretShape::csCustom ||
                    c.Shape() == TCaretShape::csBitmap;
  return line && c.CaretWidth() < 5;
}

void TNvcEditorWidget::PostShowStatus(int32_t screenCol, int32_t line) {
  QMetaObject::invokeMethod(
      this,
      [this, screenCol, line] {
        Guarded([&] {
          editor_->StatusPosted(screenCol, line);
          if (!editor_->MouseCaptured()) CaretSettled();
        });
      },
      Qt::QueuedConnection);
}

void TNvcEditorWidget::Beep() { QApplication::beep(); }

void TNvcEditorWidget::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// ---- Painting ----

void TNvcEditorWidget::paintEvent(QPaintEvent* e) {
  QPainter painter(viewport());
  Guarded([&] { PaintText(painter, e->rect()); });
  blinker_.Paint(painter);
}

void TNvcEditorWidget::PaintText(QPainter& painter, const QRect& area) {
  const QPalette& pal = palette();
  painter.fillRect(area, pal.color(QPalette::Base));
  if (!created_) return;
  TNvcCustomEditor& ed = *editor_;
  const int32_t cw = ed.CharWidth();
  const int32_t lh = ed.LineHeight();
  const int32_t left = ed.LeftMargin();
  const int32_t offset = ed.HorzOffset();
  painter.setFont(font_.Font());
  const int ascent = QFontMetrics(font_.Font()).ascent();
  TEditorFontCanvas canvas(painter, ascent);
  const bool showSelection = ed.HasSelection() && (hasFocus() || !ed.HideSelection());
  const TEditorPosition& b = ed.SelBegin();
  const TEditorPosition& s = ed.SelEnd();
  const QColor text = font_.Color();
  const QColor hiText = pal.color(QPalette::HighlightedText);
  const QColor hiBack = pal.color(QPalette::Highlight);
  const uint32_t tab = std::max<uint32_t>(ed.TabSize(), 1);

  painter.setClipRect(QRect(left, 0, viewport()->width() - left, viewport()->height()));
  for (int32_t row = 0; row <= ed.VisibleRows(); ++row) {
    const int32_t line = ed.TopLine() + row;
    if (line > ed.LineCount()) break;
    const int y = row * lh;
    if (y > area.bottom() || y + lh < area.top()) continue;
    const auto bytes = ed.LineBytes(line);
    if (DoOnDrawLine(painter, QRect(left, y, viewport()->width() - left, lh), bytes, line)) continue;
    // The line in display columns: tabs become blanks to the next stop.
    std::vector<uint8_t> cells;
    cells.reserve(bytes.size());
    for (uint8_t c : bytes) {
      if (c == 9) {
        cells.insert(cells.end(), tab - cells.size() % tab, uint8_t{32});
      } else {
        cells.push_back(c);
      }
    }
    // Selected screen columns of this line: [from, to).
    int32_t from = 0;
    int32_t to = 0;
    if (showSelection && line >= b.Line && line <= s.Line) {
      auto column = [&](int32_t col) {
        return static_cast<int32_t>(ed.ParaList().ColumnOfPos(bytes, static_cast<uint32_t>(col)));
      };
      from = line == b.Line ? column(b.Col) : 1;
      to = line == s.Line ? column(s.Col) : static_cast<int32_t>(cells.size()) + 2;
    }
    if (to > from) {
      const int x0 = left + (from - offset - 1) * cw;
      painter.fillRect(QRect(x0, y, (to - from) * cw, lh), hiBack);
    }
    for (size_t i = 0; i < cells.size(); ++i) {
      const auto col = static_cast<int32_t>(i) + 1;
      if (col <= offset) continue;
      if (col > offset + ed.VisibleColumns() + 1) break;
      painter.setPen(col >= from && col < to ? hiText : text);
      canvas.DrawCell(left + (col - offset - 1) * cw, y, 1, CellCluster(cells[i], {}));
    }
  }
  painter.setClipping(false);
}

bool TNvcEditorWidget::DoOnDrawLine(QPainter& painter, const QRect& rect, std::span<const uint8_t> line,
                                    int32_t lineNum) {
  if (!OnDrawLine) return false;
  const TNvcCustomEditor& ed = *editor_;
  int32_t hbLine = 0, hbCol = 0, heLine = 0, heCol = 0;
  if (ed.HasSelection()) {
    hbLine = ed.SelBegin().Line;
    hbCol = ed.SelBegin().Col;
    heLine = ed.SelEnd().Line;
    heCol = ed.SelEnd().Col;
  }
  bool wasDrawn = false;
  painter.save();
  OnDrawLine(*this, painter, rect, line, lineNum, hbLine, hbCol, heLine, heCol, wasDrawn);
  painter.restore();
  return wasDrawn;
}

// ---- Events ----

bool TNvcEditorWidget::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    bool claimed = false;
    Guarded([&] { claimed = controller_.ClaimShortcut(static_cast<QKeyEvent*>(e)); });
    if (claimed) return true;
  }
  return QAbstractScrollArea::event(e);
}

bool TNvcEditorWidget::focusNextPrevChild(bool next) {
  // Tab belongs to the editor when it wants it.
  if (editor_->WantTab()) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void TNvcEditorWidget::keyPressEvent(QKeyEvent* e) {
  const platform::KeyStroke key = platform::KeyStrokeOf(*e);
  e->accept();
  Guarded([&] {
    if (!created_) CreateWnd();
    if (platform::IsSystemKey(key)) {
      editor_->SysKeyDown(key);
      return;
    }
    editor_->KeyDown(key);
    if (key.Typed != 0) editor_->KeyChar(key.Typed);
  });
}

void TNvcEditorWidget::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  Guarded([&] {
    if (!created_) CreateWnd();
    UpdateCaretCell();
    carets_.SetCaretActive(true);
    carets_.SetCaretVisible(true);
    TNvcController* controller = controller_.Controller();
    editor_->FocusEntered(controller != nullptr ? controller->InsertMode() : editor_->InsertMode());
  });
}

void TNvcEditorWidget::focusOutEvent(QFocusEvent* e) {
  Guarded([&] {
    carets_.SetCaretVisible(false);
    const bool insert = editor_->FocusLeft();
    if (TNvcController* controller = controller_.Controller()) controller->SetInsertMode(insert);
  });
  QAbstractScrollArea::focusOutEvent(e);
}

void TNvcEditorWidget::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  // While the model shows or hides a bar it measures the new size itself.
  if (!created_ || settingBars_ > 0) return;
  ++settingBars_;
  Guarded([&] { editor_->Resized(); });
  --settingBars_;
}

void TNvcEditorWidget::showEvent(QShowEvent* e) {
  QAbstractScrollArea::showEvent(e);
  Guarded([&] { CreateWnd(); });
}

void TNvcEditorWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(e);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const QPoint p = e->position().toPoint();
  Guarded([&] {
    if (!created_) CreateWnd();
    editor_->MouseDown(p.x(), p.y(), (e->modifiers() & Qt::ShiftModifier) != 0);
  });
}

void TNvcEditorWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (!editor_->MouseCaptured()) {
    viewport()->setCursor(editor_->MouseOverMargin(p.x()) ? Qt::ArrowCursor : Qt::IBeamCursor);
    return;
  }
  dragPoint_ = p;
  if (!editor_->MouseIsOutside(p.y())) {
    dragTimer_.stop();
    Guarded([&] { editor_->MouseDragPass(p.x(), p.y()); });
  } else if (!dragTimer_.isActive()) {
    // Outside the window the timer scrolls, faster the farther out.
    DragTimerFired();
  }
}

void TNvcEditorWidget::DragTimerFired() {
  if (!editor_->MouseCaptured()) {
    dragTimer_.stop();
    return;
  }
  Guarded([&] { editor_->MouseDragPass(dragPoint_.x(), dragPoint_.y()); });
  if (!editor_->MouseCaptured() || !editor_->MouseIsOutside(dragPoint_.y())) {
    dragTimer_.stop();
    return;
  }
  const int arrow = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  dragTimer_.start(std::max(editor_->DragPassInterval(dragPoint_.y(), arrow), kMinDragInterval));
}

void TNvcEditorWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    dragTimer_.stop();
    editor_->MouseUp();
    Guarded([&] { CaretSettled(); });
  }
  QAbstractScrollArea::mouseReleaseEvent(e);
}

void TNvcEditorWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const QPoint p = e->position().toPoint();
  Guarded([&] {
    editor_->MouseOverMargin(p.x());
    editor_->MouseDoubleClick(p.x(), p.y(), (e->modifiers() & Qt::ShiftModifier) != 0);
  });
}

void TNvcEditorWidget::wheelEvent(QWheelEvent* e) {
  const QPoint p = e->position().toPoint();
  const platform::TShiftState shift = platform::ShiftStateOf(e->modifiers(), e->buttons());
  Guarded([&] { editor_->MouseWheel(shift, e->angleDelta().y(), p.x(), p.y()); });
  e->accept();
}

}  // namespace nuvel
