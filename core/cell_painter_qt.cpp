#include "core/cell_painter_qt.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

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

namespace {

HebrewAdvances MeasureHebrew(const QFont& font, QPaintDevice* device) {
  const QFontMetrics metrics(font, device);
  auto width = [&](const std::u16string& cluster) {
    const int w = metrics.horizontalAdvance(QString::fromUtf16(cluster.data(), static_cast<qsizetype>(cluster.size())));
    return static_cast<int16_t>(std::clamp(w, 0, 32767));
  };
  HebrewAdvances advances;
  advances.PointCarrier = width(std::u16string(1, char16_t{0x00A0}));
  for (int b = 0; b < 256; ++b) {
    const std::u16string cluster = CellCluster(static_cast<uint8_t>(b), {});
    advances.Byte[static_cast<size_t>(b)] = cluster.empty() ? advances.PointCarrier : width(cluster);
  }
  return advances;
}

}  // namespace

const HebrewAdvances* QPainterCellCanvas::Advances() {
  struct Cache {
    QString Key;
    int Dpi = 0;
    HebrewAdvances Widths;
  };
  static Cache cache;
  const QFont& font = FixedFonts(kHebrewFontIndex).Font();
  QPaintDevice* device = painter_.device();
  const int dpi = device != nullptr ? device->logicalDpiX() : 0;
  const QString key = font.key();
  if (cache.Key != key || cache.Dpi != dpi || cache.Key.isEmpty()) {
    cache.Widths = MeasureHebrew(font, device);
    cache.Key = key;
    cache.Dpi = dpi;
  }
  return &cache.Widths;
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
