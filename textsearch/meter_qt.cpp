#include "textsearch/meter_qt.h"

#include <QImage>
#include <QPainter>

#include "textsearch/color_qt.h"

namespace nuvel {

TNvcMeter::TNvcMeter(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(200, 24);
}

void TNvcMeter::SetPercent(int percent) {
  if (percent == percent_) return;
  percent_ = percent;
  repaint();
}

void TNvcMeter::SetOrientation(TMeterOrientation o) {
  if (o == orientation_) return;
  orientation_ = o;
  resize(height(), width());
  update();
}

MeterLayout TNvcMeter::Layout() const {
  return LayOutMeter(width(), height(), singleBorder_, ctl3d_, orientation_, percent_);
}

namespace {
QRect ToRect(const MeterRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
}  // namespace

void TNvcMeter::paintEvent(QPaintEvent*) {
  const MeterLayout m = Layout();
  QImage image(size(), QImage::Format_RGB32);
  image.fill(ToQColor(clBtnFace));
  QPainter p(&image);
  const int w = width(), h = height();
  if (m.frameLines == 2) {
    p.setPen(ToQColor(clBtnShadow));
    p.drawLine(0, 0, w - 1, 0), p.drawLine(0, 0, 0, h - 1);
    p.setPen(ToQColor(clWhite));
    p.drawLine(0, h - 1, w - 1, h - 1), p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(Qt::black);
    p.drawLine(1, 1, w - 2, 1), p.drawLine(1, 1, 1, h - 2);
    p.setPen(ToQColor(clWhite));
    p.drawLine(1, h - 2, w - 2, h - 2), p.drawLine(w - 2, 1, w - 2, h - 2);
  } else if (m.frameLines == 1) {
    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);
  }
  if (!m.usedRect.Empty()) p.fillRect(ToRect(m.usedRect), ToQColor(usedColor_));
  if (!m.unusedRect.Empty()) p.fillRect(ToRect(m.unusedRect), ToQColor(unusedColor_));
  if (showPercent_) {
    const QRect bar = ToRect(m.bar);
    const QString text = QString::fromStdString(m.text);
    if (invertPercent_) {
      // White text on black, combined by exclusive-or: the text shows in
      // inverted colours over both parts of the bar.
      QImage mask(bar.size(), QImage::Format_RGB32);
      mask.fill(Qt::black);
      QPainter mp(&mask);
      mp.setFont(font());
      mp.setPen(Qt::white);
      mp.drawText(mask.rect(), Qt::AlignCenter, text);
      mp.end();
      p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      p.drawImage(bar.topLeft(), mask);
      p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
      p.setFont(font());
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(bar.translated(0, 2), Qt::AlignCenter, text);
    }
  }
  p.end();
  QPainter(this).drawImage(0, 0, image);
}

}  // namespace nuvel
