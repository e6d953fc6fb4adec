#include "textsearch/nvc_label_qt.h"

#include <QMouseEvent>
#include <QPainter>

#include "textsearch/color_qt.h"

namespace nuvel {

TNvcLabel::TNvcLabel(QWidget* parent) : QLabel(parent) {
  resize(150, 35);
  setWordWrap(true);
  QFont f(QStringLiteral("Times New Roman"));
  f.setPointSize(20);
  setFont(f);
  effects_.OnRepaint = [this] { update(); };
}

void TNvcLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!transparent_) p.fillRect(rect(), ToQColor(color_));
  const Qt::Alignment h = alignment() & Qt::AlignHorizontal_Mask;
  const TLabelAlignment align = h & Qt::AlignHCenter ? TLabelAlignment::Center
                                : h & Qt::AlignRight  ? TLabelAlignment::Right
                                                      : TLabelAlignment::Left;
  int shiftLeft = 0;
  const std::vector<LabelCopy> copies = LabelCopies(effects_.Settings(), effects_.FontColor(), align, shiftLeft);
  int flags = static_cast<int>(alignment());
  if (wordWrap()) flags |= Qt::TextWordWrap;
  flags |= Qt::TextExpandTabs;
  if (textFormat() == Qt::PlainText) flags |= Qt::TextShowMnemonic;
  p.setFont(font());
  const bool gradient = effects_.Settings().GraduateStyle() != TNvcGraduateStyle::gsNone;
  for (size_t i = 0; i < copies.size(); ++i) {
    const LabelCopy& c = copies[i];
    const QRect r = rect().translated(c.offset.dx - shiftLeft, c.offset.dy);
    const bool caption = i + 1 == copies.size();
    if (caption && gradient) {
      // The caption filled with 16 bands from GraduateFromColor to the
      // font colour, the text's shape as the mask.
      QImage mask(size(), QImage::Format_ARGB32_Premultiplied);
      mask.fill(Qt::transparent);
      QPainter mp(&mask);
      mp.setFont(font());
      mp.setPen(Qt::black);
      mp.drawText(r, flags, text());
      mp.setCompositionMode(QPainter::CompositionMode_SourceIn);
      const bool horizontal = effects_.Settings().GraduateStyle() == TNvcGraduateStyle::gsHorizontal;
      const int span = horizontal ? width() : height();
      for (int band = 0; band < 16; ++band) {
        const TColor col = GraduatedColor(effects_.Settings().GraduateFromColor(), c.color, band + 1, 16);
        const int a = span * band / 16, b = span * (band + 1) / 16;
        mp.fillRect(horizontal ? QRect(a, 0, b - a, height()) : QRect(0, a, width(), b - a), ToQColor(col));
      }
      mp.end();
      p.drawImage(0, 0, mask);
      continue;
    }
    p.setPen(ToQColor(c.color));
    p.drawText(r, flags, text());
  }
}

void TNvcLabel::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && OnClick) OnClick(*this);
}

}  // namespace nuvel
