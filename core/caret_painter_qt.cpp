#include "core/caret_painter_qt.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace nuvel {

TNvcCaretBlinker::TNvcCaretBlinker(QWidget* widget) : QObject(widget), widget_(widget), timer_(this) {
  connect(&timer_, &QTimer::timeout, this, &TNvcCaretBlinker::Toggle);
}

void TNvcCaretBlinker::Attach(const TNvcSingleCaret* caret) {
  caret_ = caret;
  CaretChanged();
}

uint16_t TNvcCaretBlinker::SystemBlinkTime() {
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  return static_cast<uint16_t>(flash > 0 ? flash / 2 : 0);
}

bool TNvcCaretBlinker::CaretHostHasWindow() const { return widget_ != nullptr; }

QRect TNvcCaretBlinker::Rect() const {
  if (caret_ == nullptr) return {};
  const TCaretRect r = caret_->PaintRect();
  if (r.Empty()) return {};
  return QRect(r.X, r.Y, r.Width, r.Height);
}

void TNvcCaretBlinker::CaretChanged() {
  // Shown at once after every change, then blinking from there.
  const QRect now = Rect();
  if (!painted_.isEmpty()) widget_->update(painted_);
  if (!now.isEmpty()) widget_->update(now);
  painted_ = now;
  phaseOn_ = true;
  const uint16_t blink = caret_ != nullptr ? caret_->BlinkTime(SystemBlinkTime()) : 0;
  if (!now.isEmpty() && blink > 0) {
    timer_.start(blink);
  } else {
    timer_.stop();
  }
}

void TNvcCaretBlinker::Toggle() {
  phaseOn_ = !phaseOn_;
  if (!painted_.isEmpty()) widget_->update(painted_);
}

void TNvcCaretBlinker::Paint(QPainter& painter) const {
  if (!phaseOn_ || caret_ == nullptr) return;
  const QRect r = Rect();
  if (r.isEmpty()) return;
  const TNvcCaret& d = *caret_->Caret();
  const QColor ink = d.IsGray() ? QColor(0x80, 0x80, 0x80) : QColor(0xFF, 0xFF, 0xFF);
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  if (d.Shape() == TCaretShape::csBitmap && !d.Bitmap().Empty()) {
    const TNvcCaretBitmap& b = d.Bitmap();
    for (int y = 0; y < b.Height; ++y) {
      for (int x = 0; x < b.Width; ++x) {
        const size_t at = static_cast<size_t>(y) * static_cast<size_t>(b.Width) + static_cast<size_t>(x);
        if (at < b.Pixels.size() && b.Pixels[at] != 0) painter.fillRect(r.x() + x, r.y() + y, 1, 1, ink);
      }
    }
  } else {
    painter.fillRect(r, ink);
  }
  painter.restore();
}

}  // namespace nuvel
