#include "filemanager/file_viewer_widget_qt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "core/cell_plan.h"
#include "core/charset.h"
#include "core/message_table.h"
#include "editor/clipboard_qt.h"
#include "platform/qt/key_edge_qt.h"

namespace nuvel {

namespace {
// Interval of the drag timer while the pointer is outside the rows.
constexpr int kDragInterval = 50;
}  // namespace

TNvcFileViewerWidget::TNvcFileViewerWidget(QWidget* parent)
    : QAbstractScrollArea(parent), blinker_(viewport()), caret_(&blinker_), controller_(this), dragTimer_(this) {
  blinker_.Attach(&caret_);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setFrameShape(QFrame::StyledPanel);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  resize(200, 150);
  marginColor_ = palette().color(QPalette::Base);
  font_.OnChange = [this] { FontChanged(); };
  FontChanged();

  viewer_.OnInvalidate = [this] { Changed(); };
  viewer_.OnShowStatus = [this](int64_t, int32_t) {
    if (statusPosted_) return;
    statusPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          statusPosted_ = false;
          const TViewerPos p = viewer_.CaretDisplayPos();
          if (OnShowStatus) Guarded([&] { OnShowStatus(p.line, p.col); });
        },
        Qt::QueuedConnection);
  };
  viewer_.OnBusy = [](bool busy) {
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  };
  viewer_.OnCopy = [](const std::vector<uint8_t>& bytes) {
    TClipboardCopy copy;
    copy.bytes = bytes;
    copy.unicodeText.resize(bytes.size());
    HebToWideBuffer(bytes, copy.unicodeText);
    if (TClipboardService* service = CurrentClipboardService()) {
      service->Put(copy);
    } else {
      PutOnClipboard(copy);
    }
  };

  // The thumb jumps when it is let go; steps and pages act at once.
  verticalScrollBar()->setTracking(false);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { VertAction(a); });
  connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
    Guarded([&] { viewer_.VertThumbTo(verticalScrollBar()->sliderPosition()); });
    SyncScrollBars();
  });
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { HorzAction(a); });
  connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
    Guarded([&] { viewer_.HorzThumbTo(horizontalScrollBar()->sliderPosition()); });
    SyncScrollBars();
  });
  connect(&dragTimer_, &QTimer::timeout, this, [this] { DragTimerFired(); });
}

TNvcFileViewerWidget::~TNvcFileViewerWidget() {
  viewer_.OnInvalidate = nullptr;
  viewer_.OnShowStatus = nullptr;
}

void TNvcFileViewerWidget::SetMarginColor(const QColor& color) {
  marginColor_ = color;
  viewport()->update();
}

void TNvcFileViewerWidget::FontChanged() {
  viewport()->setFont(font_.Font());
  UpdateMetrics();
}

void TNvcFileViewerWidget::UpdateMetrics() {
  const QFontMetrics fm(font_.Font());
  const std::string sample = GetLibraryString(30281);
  const QString letters = QString::fromLatin1(sample.data(), static_cast<qsizetype>(sample.size()));
  const int lineHeight = std::max(fm.height() + 2, 12);
  const int charWidth = std::max(letters.isEmpty() ? fm.averageCharWidth()
                                                   : fm.horizontalAdvance(letters) / static_cast<int>(letters.size()),
                                 1);
  caret_.SetCellWidth(charWidth);
  caret_.SetCellHeight(lineHeight);
  Guarded([&] { viewer_.SetMetrics(viewport()->width(), viewport()->height(), charWidth, lineHeight); });
}

void TNvcFileViewerWidget::Changed() {
  viewport()->update();
  SyncScrollBars();
  PlaceCaret();
}

void TNvcFileViewerWidget::SyncScrollBars() {
  ++settingBars_;
  Guarded([&] {
    const TViewerScrollBar v = viewer_.VertScrollBar();
    QScrollBar* vs = verticalScrollBar();
    vs->setRange(0, v.Max);
    vs->setPageStep(v.Page);
    vs->setSingleStep(1);
    if (!vs->isSliderDown()) vs->setValue(v.Pos);
    const TViewerScrollBar h = viewer_.HorzScrollBar();
    QScrollBar* hs = horizontalScrollBar();
    hs->setRange(0, h.Max);
    hs->setPageStep(h.Page);
    if (!hs->isSliderDown()) hs->setValue(h.Pos);
  });
  --settingBars_;
}

QRect TNvcFileViewerWidget::CaretRect() const {
  const TCaretRect r = caret_.PaintRect();
  return r.Empty() ? QRect() : QRect(r.X, r.Y, r.Width, r.Height);
}

void TNvcFileViewerWidget::PlaceCaret() {
  Guarded([&] {
    const TViewerPos p = viewer_.CaretDisplayPos();
    const int64_t row = p.line - viewer_.TopLine();
    const int32_t col = p.col - viewer_.LeftCol();
    const bool shown = viewer_.ShowCaret() && viewer_.HasLines() && row >= 0 && row < viewer_.VisibleLines() &&
                       col >= 0 && col <= viewer_.VisibleCols();
    if (shown) {
      caret_.SetCaretPosition(TNvcBaseViewer::kMarginWidth + col * viewer_.CharWidth(),
                              static_cast<int>(row) * viewer_.LineHeight());
    } else {
      caret_.SetCaretPosition(-1, -1);
    }
  });
}

void TNvcFileViewerWidget::VertAction(int action) {
  if (settingBars_ > 0) return;
  Guarded([&] {
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd:
        viewer_.VertStep(1);
        break;
      case QAbstractSlider::SliderSingleStepSub:
        viewer_.VertStep(-1);
        break;
      case QAbstractSlider::SliderPageStepAdd:
        viewer_.VertPage(1);
        break;
      case QAbstractSlider::SliderPageStepSub:
        viewer_.VertPage(-1);
        break;
      case QAbstractSlider::SliderToMinimum:
        viewer_.VertThumbTo(0);
        break;
      case QAbstractSlider::SliderToMaximum:
        viewer_.VertThumbTo(viewer_.VertScrollBar().Max);
        break;
      default:
        return;  // the thumb is dragged: the jump comes when it is let go
    }
    verticalScrollBar()->setSliderPosition(viewer_.VertScrollBar().Pos);
  });
}

void TNvcFileViewerWidget::HorzAction(int action) {
  if (settingBars_ > 0) return;
  Guarded([&] {
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd:
        viewer_.ScrollBy(1, 0);
        break;
      case QAbstractSlider::SliderSingleStepSub:
        viewer_.ScrollBy(-1, 0);
        break;
      case QAbstractSlider::SliderPageStepAdd:
        viewer_.ScrollBy(10, 0);
        break;
      case QAbstractSlider::SliderPageStepSub:
        viewer_.ScrollBy(-10, 0);
        break;
      default:
        return;
    }
    horizontalScrollBar()->setSliderPosition(viewer_.LeftCol());
  });
}

void TNvcFileViewerWidget::scrollContentsBy(int, int) {
  // The model decides what is shown; the scroll bars only report to it.
  viewport()->update();
}

// ---- Painting ----

void TNvcFileViewerWidget::paintEvent(QPaintEvent* e) {
  QPainter painter(viewport());
  Guarded([&] { PaintRows(painter, e->rect()); });
  blinker_.Paint(painter);
}

void TNvcFileViewerWidget::PaintRows(QPainter& painter, const QRect& area) {
  const QPalette& pal = palette();
  const int margin = TNvcBaseViewer::kMarginWidth;
  painter.fillRect(QRect(0, 0, margin, viewport()->height()), marginColor_);
  painter.fillRect(QRect(margin, 0, viewport()->width() - margin, viewport()->height()), pal.color(QPalette::Base));
  const int lh = viewer_.LineHeight();
  const int cw = viewer_.CharWidth();
  painter.setFont(font_.Font());
  const int ascent = QFontMetrics(font_.Font()).ascent() + 1;
  const QColor text = font_.Color();
  const QColor hiText = pal.color(QPalette::HighlightedText);
  const QColor hiBack = pal.color(QPalette::Highlight);
  for (int row = 0; row <= viewer_.VisibleLines(); ++row) {
    const int y = row * lh;
    if (y > area.bottom() || y + lh < area.top()) continue;
    const TViewerRow r = viewer_.PlanRow(row);
    if (!r.Exists) break;
    if (r.Bookmark >= 0) {
      // The bookmark's glyph: its digit in a small box, centred on tall lines.
      const int top = lh >= 14 ? y + (lh - 12) / 2 : y;
      const QRect box(2, top, 12, 12);
      painter.fillRect(box, QColor(0, 128, 128));
      painter.setPen(Qt::white);
      painter.drawText(box, Qt::AlignCenter, QString::number(r.Bookmark));
    }
    painter.setClipRect(QRect(margin, y, viewport()->width() - margin, lh));
    if (r.SelTo > r.SelFrom) painter.fillRect(QRect(margin + r.SelFrom * cw, y, (r.SelTo - r.SelFrom) * cw, lh), hiBack);
    for (size_t i = 0; i < r.Cells.size(); ++i) {
      const auto col = static_cast<int32_t>(i);
      const std::u16string cluster = CellCluster(r.Cells[i], {});
      if (cluster.empty()) continue;
      painter.setPen(col >= r.SelFrom && col < r.SelTo ? hiText : text);
      painter.drawText(QPointF(margin + col * cw, y + ascent),
                       QString::fromUtf16(cluster.data(), static_cast<qsizetype>(cluster.size())));
    }
    painter.setClipping(false);
  }
}

// ---- Events ----

bool TNvcFileViewerWidget::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    bool claimed = false;
    Guarded([&] { claimed = controller_.ClaimShortcut(static_cast<QKeyEvent*>(e)); });
    if (claimed) return true;
  }
  return QAbstractScrollArea::event(e);
}

void TNvcFileViewerWidget::keyPressEvent(QKeyEvent* e) {
  const platform::KeyStroke key = platform::KeyStrokeOf(*e);
  bool handled = false;
  Guarded([&] {
    TNvcController* controller = controller_.Controller();
    if (controller == nullptr) return;
    const TNvcCommand command = controller->EntryCommands().TranslateKey(key);
    if (command == ccWaitSecondKey || command == ccNoSecondKey) {
      handled = true;
    } else if (command != ccNoCommand) {
      handled = viewer_.ExecuteCommand(command);
    }
  });
  if (handled) {
    e->accept();
  } else {
    QAbstractScrollArea::keyPressEvent(e);
  }
}

void TNvcFileViewerWidget::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  caret_.SetCaretActive(true);
  caret_.SetCaretVisible(true);
  PlaceCaret();
}

void TNvcFileViewerWidget::focusOutEvent(QFocusEvent* e) {
  caret_.SetCaretVisible(false);
  QAbstractScrollArea::focusOutEvent(e);
}

void TNvcFileViewerWidget::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateMetrics();
}

void TNvcFileViewerWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(e);
    return;
  }
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  const QPoint p = e->position().toPoint();
  dragPoint_ = p;
  Guarded([&] { viewer_.MouseDown(p.x(), p.y(), (e->modifiers() & Qt::ShiftModifier) != 0); });
}

void TNvcFileViewerWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (!viewer_.Dragging()) {
    viewport()->setCursor(viewer_.OverMargin(p.x()) ? Qt::ArrowCursor : Qt::IBeamCursor);
    return;
  }
  dragPoint_ = p;
  Guarded([&] { viewer_.MouseDrag(p.x(), p.y()); });
  // Outside the rows the timer keeps the drag going, so the view scrolls.
  if (viewer_.OutsideRows(p.y())) {
    if (!dragTimer_.isActive()) dragTimer_.start(kDragInterval);
  } else {
    dragTimer_.stop();
  }
}

void TNvcFileViewerWidget::DragTimerFired() {
  if (!viewer_.Dragging() || !viewer_.OutsideRows(dragPoint_.y())) {
    dragTimer_.stop();
    return;
  }
  Guarded([&] { viewer_.MouseDrag(dragPoint_.x(), dragPoint_.y()); });
}

void TNvcFileViewerWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    dragTimer_.stop();
    viewer_.MouseUp();
  }
  QAbstractScrollArea::mouseReleaseEvent(e);
}

void TNvcFileViewerWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const QPoint p = e->position().toPoint();
  Guarded([&] { viewer_.DoubleClick(p.x(), p.y()); });
}

void TNvcFileViewerWidget::wheelEvent(QWheelEvent* e) {
  Guarded([&] { viewer_.Wheel(e->angleDelta().y()); });
  e->accept();
}

}  // namespace nuvel
