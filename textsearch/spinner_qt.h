#pragma once
// The spinner: a small button with two or four arrow areas (and a centre in
// the star style) that steps the control it serves, or runs its OnClick,
// once per press and again and again, faster and faster, while the button
// is held. The repeat runs from a timer, never in a busy loop.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "textsearch/spinner_press.h"

namespace nuvel {

class TNvcSpinner : public QWidget {
  Q_OBJECT
 public:
  explicit TNvcSpinner(QWidget* parent = nullptr);

  TNvcSpinnerPress& Press() { return press_; }
  TNvcSpinnerStyle Style() const { return press_.Style(); }
  void SetStyle(TNvcSpinnerStyle style);
  double Delta = 1.0;
  bool WrapMode = true;
  bool ShowArrows = true;
  // The control stepped by the spinner: an entry field or an edit whose
  // text is a number. Cleared when that control goes away.
  QPointer<QWidget> FocusedControl;
  // Fired at each step with the state, Delta and WrapMode.
  std::function<void(TNvcSpinner& sender, TNvcSpinState state, double delta, bool wrap)> OnClick;
  // The clock of the repeat schedule; the system tick count by default.
  std::function<uint32_t()> Clock;

  QSize sizeHint() const override { return {16, 25}; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  bool Step(TNvcSpinState state);
  void ScheduleRepeat();
  void RepeatPass();
  void PaintArea(QPainter& p, int index, bool pressed);

  TNvcSpinnerPress press_;
  QTimer repeat_;
  QPoint pointer_;
};

}  // namespace nuvel
