#pragma once
// The caret of a widget, painted by the widget itself: inverted like the
// system caret, blinking on a QTimer. The widget owns one of these as the
// host of its caret and calls Paint at the end of its paint event.
#include <QObject>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "core/caret.h"

namespace nuvel {

class TNvcCaretBlinker : public QObject, public TNvcCaretHost {
  Q_OBJECT
 public:
  explicit TNvcCaretBlinker(QWidget* widget);

  // The caret this blinker paints; set once, after the caret is made.
  void Attach(const TNvcSingleCaret* caret);

  bool CaretHostHasWindow() const override;
  void CaretChanged() override;

  // Inverts the caret's rectangle while it is in its shown phase.
  void Paint(QPainter& painter) const;
  bool PhaseOn() const { return phaseOn_; }
  const QTimer& BlinkTimer() const { return timer_; }
  // The system's blink half-period in ms (0: no blinking).
  static uint16_t SystemBlinkTime();

 private:
  void Toggle();
  QRect Rect() const;

  QWidget* widget_;
  const TNvcSingleCaret* caret_ = nullptr;
  QTimer timer_;
  QRect painted_;
  bool phaseOn_ = true;
};

}  // namespace nuvel
