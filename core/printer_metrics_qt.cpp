#include "core/printer_metrics_qt.h"

#include <QFontMetrics>
#include <algorithm>

#include "core/cell_painter_qt.h"
#include "core/fixed_font_qt.h"
#include "core/print_line.h"

namespace nuvel {

PrinterMetrics GetPrinterMetrics(QPainter& painter, int extent) {
  const QFontMetrics english(FixedFonts(1).Font(), painter.device());
  const QFontMetrics hebrew(FixedFonts(2).Font(), painter.device());
  PrinterMetrics m;
  m.EngWidth = english.averageCharWidth();
  m.HebWidth = hebrew.averageCharWidth();
  m.LineHeight = std::max(english.height(), hebrew.height());
  m.CellWidth = std::max(m.EngWidth, m.HebWidth);
  m.LineCount = m.LineHeight > 0 ? extent / m.LineHeight - 1 : 0;
  return m;
}

void PrintTextLine(std::span<const uint8_t> text, QPainter& painter, int rightMargin,
                   int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                   bool leftToRight, FontIndex& index, CellRect& rect) {
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  // A printed line leaves the page's background as it is.
  painter.setBrush(Qt::NoBrush);
  painter.setLayoutDirection(Qt::LeftToRight);
  QPainterCellCanvas canvas(painter);
  PrintTextLine(text, canvas, rightMargin, leftMargin, hebWidth, engWidth, cellWidth, bold,
                leftToRight, index, rect);
  painter.restore();
}

void PrintPageNumber(QPainter& painter, int pageNumber, int linesBelow, int rightMargin,
                     int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                     bool leftToRight, CellRect& rect, int lineHeight) {
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setBrush(Qt::NoBrush);
  painter.setLayoutDirection(Qt::LeftToRight);
  QPainterCellCanvas canvas(painter);
  PrintPageNumber(canvas, pageNumber, linesBelow, rightMargin, leftMargin, hebWidth, engWidth,
                  cellWidth, bold, leftToRight, rect, lineHeight);
  painter.restore();
}

}  // namespace nuvel
