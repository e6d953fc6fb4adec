#pragma once
// The editor's window: a scroll area that turns Qt's events into calls of
// the editor's view model and paints the visible lines cell by cell. It
// holds the fixed font, the insert and overwrite carets, the scroll bars and
// the link to the form's controller. No exception from the model leaves an
// event handler: each is shown as an error message and the event ends.
#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "core/caret.h"
#include "core/caret_painter_qt.h"
#include "core/controller_link_qt.h"
#include "core/fixed_font_qt.h"
#include "core/guarded_call.h"
#include "editor/custom_editor.h"
#include "editor/editor_host.h"

namespace nuvel {

class TNvcEditorWidget : public QAbstractScrollArea, public TEditorHost {
  Q_OBJECT
 public:
  // Shows `editor`, or a new text-file editor when it is null.
  explicit TNvcEditorWidget(QWidget* parent = nullptr, std::unique_ptr<TNvcCustomEditor> editor = nullptr);
  ~TNvcEditorWidget() override;

  TNvcCustomEditor& Editor() { return *editor_; }
  TNvcFixedFont& FixedFont() { return font_; }
  TNvcCaretPair& CaretPair() { return carets_; }
  TNvcController* Controller() { return controller_.Controller(); }
  void SetController(TNvcController* controller);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  // Fired before a line is painted, with its rectangle, bytes, line number,
  // and the selection's begin and end as (line, column); a handler that
  // drew the line itself sets wasDrawn.
  std::function<void(TNvcEditorWidget& sender, QPainter& canvas, const QRect& rect,
                     std::span<const uint8_t> line, int32_t lineNum, int32_t hbLine, int32_t hbCol,
                     int32_t heLine, int32_t heCol, bool& wasDrawn)>
      OnDrawLine;

  // Whether the window has been created (first shown).
  bool Created() const { return created_; }

  // ---- TEditorHost ----
  bool HasWindow() const override { return created_; }
  bool HasFocus() const override { return hasFocus(); }
  int32_t ClientWidth() const override;
  int32_t ClientHeight() const override;
  TEditorFontMetrics MeasureFont() const override;
  void InvalidateAll() override;
  void InvalidateRows(int32_t firstRow, int32_t lastRow) override;
  void UpdateWindow() override;
  void SetRedraw(bool on) override;
  void SetVertScrollBar(const TEditorScrollBar& bar) override;
  void SetHorzScrollBar(const TEditorScrollBar& bar) override;
  void MoveCaret(int32_t x, int32_t y) override;
  void SetCaretInsertMode(bool insert) override;
  bool CaretIsThin() const override;
  void PostShowStatus(int32_t screenCol, int32_t line) override;
  void Beep() override;
  void SetBusyCursor(bool busy) override;

  // Runs `f`, showing any exception it raises as an error message once the
  // mouse drag is let go.
  template <class F>
  void Guarded(F&& f) noexcept {
    GuardedWith(std::forward<F>(f), [this](const std::string& text) { ShowError(text); });
  }

 protected:
  // Paints the visible lines; the bilingual editor paints its own way.
  virtual void PaintText(QPainter& painter, const QRect& area);
  // The caret came to rest after a move, an edit or the end of a drag: the
  // place for a subclass to look at the selection.
  virtual void CaretSettled() {}
  // Fires OnDrawLine; true when the handler drew the line.
  virtual bool DoOnDrawLine(QPainter& painter, const QRect& rect, std::span<const uint8_t> line, int32_t lineNum);

  bool event(QEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  void CreateWnd();
  void FontChanged();
  void ShowError(const std::string& text);
  void DragTimerFired();
  void UpdateCaretCell();

  std::unique_ptr<TNvcCustomEditor> editor_;
  TNvcFixedFont font_;
  TNvcCaretBlinker blinker_;
  TNvcCaretPair carets_;
  TNvcControllerLink controller_;
  QTimer dragTimer_;
  QPoint dragPoint_;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool created_ = false;
  int settingBars_ = 0;
};

}  // namespace nuvel
