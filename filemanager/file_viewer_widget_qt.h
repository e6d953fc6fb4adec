#pragma once
// The large-file viewer's window: a scroll area over the viewer model that
// paints each visible row cell by cell through the character table, turns
// keys into commands through the form's command processor, jumps when the
// scroll bar's thumb is let go, and scrolls a mouse drag outside the window
// on a timer. No exception from the model leaves an event handler.
#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>

#include "core/caret.h"
#include "core/caret_painter_qt.h"
#include "core/controller_link_qt.h"
#include "core/fixed_font_qt.h"
#include "filemanager/file_viewer.h"

namespace nuvel {

class TNvcFileViewerWidget : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TNvcFileViewerWidget(QWidget* parent = nullptr);
  ~TNvcFileViewerWidget() override;

  THebFileViewer& Viewer() { return viewer_; }
  TNvcFixedFont& FixedFont() { return font_; }
  TNvcController* Controller() { return controller_.Controller(); }
  void SetController(TNvcController* controller) { controller_.SetController(controller); }
  QColor MarginColor() const { return marginColor_; }
  void SetMarginColor(const QColor& color);

  // After each caret move, once the current event is done: line and display
  // column of the caret.
  std::function<void(int64_t line, int32_t col)> OnShowStatus;

  // Runs `f`, showing what it throws as an error message.
  template <class F>
  bool Guarded(F&& f) noexcept;

  // The caret's rectangle in the viewport (empty when not shown).
  QRect CaretRect() const;

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void FontChanged();
  void UpdateMetrics();
  void Changed();
  void SyncScrollBars();
  void PlaceCaret();
  void VertAction(int action);
  void HorzAction(int action);
  void DragTimerFired();
  void PaintRows(QPainter& painter, const QRect& area);

  THebFileViewer viewer_;
  TNvcFixedFont font_;
  TNvcCaretBlinker blinker_;
  TNvcSingleCaret caret_;
  TNvcControllerLink controller_;
  QTimer dragTimer_;
  QPoint dragPoint_;
  QColor marginColor_;
  int settingBars_ = 0;
  bool statusPosted_ = false;
};

}  // namespace nuvel

#include "core/guarded_call.h"

template <class F>
bool nuvel::TNvcFileViewerWidget::Guarded(F&& f) noexcept {
  return GuardedWith(std::forward<F>(f), [this](const std::string& text) {
    dragTimer_.stop();
    viewer_.MouseUp();
    ShowGuardedError(text);
  });
}
