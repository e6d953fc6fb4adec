#include "core/cell_painter_qt.h"

#include <QFontMetrics>
#include <QString>

#include "core/fixed_font_qt.h"

namespace nuvel {

QPainterCellCanvas::QPainterCellCanvas(QPainter& painter) : painter_(painter) {}

void QPainterCellCanvas::FillRect(const CellRect& rect) {
  painter_.fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Bottom - rect.Top),
                    painter_.brush());
}

void QPainterCellCanvas::DrawCell(int x, int y, int fontSlot, std::u16string_view cluster) {
  if (cluster.empty() || fontSlot < 1 || fontSlot > 4) return;
  if (fontSlot != currentSlot_) {
    painter_.setFont(FixedFonts(fontSlot).Font());
    currentSlot_ = fontSlot;
  }
  if (ascent_[fontSlot] < 0) {
    ascent_[fontSlot] = QFontMetrics(painter_.font(), painter_.device()).ascent();
  }
  // The font's top stands at y, as every font of the line shares the row.
  painter_.drawText(QPointF(x, y + ascent_[fontSlot]),
                    QString::fromUtf16(cluster.data(), static_cast<qsizetype>(cluster.size())));
}

MultiFontLineResult DrawMultiFontLine(std::span<const uint8_t> text, QPainter& painter,
                                      const FontIndex& index, bool bold, bool glyphMode,
                                      bool leftAligned, int hebWidth, int engWidth,
                                      int cellWidth, CellRect& rect, bool overstrike) {
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  // Cells are placed from their left edge whatever the widget's direction.
  painter.setLayoutDirection(Qt::LeftToRight);
  QPainterCellCanvas canvas(painter);
  const auto result = DrawMultiFontLine(text, canvas, index, bold, glyphMode, leftAligned,
                                        hebWidth, engWidth, cellWidth, rect, overstrike);
  painter.restore();
  return result;
}

}  // namespace nuvel
