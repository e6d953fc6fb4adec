#pragma once
// Printing on a QPainter, which may stand on a QPrinter: the metrics of the
// two text fonts on the device, one line and the page number.
#include <QPainter>
#include <cstdint>
#include <span>

#include "core/cell_canvas.h"
#include "core/font_index.h"

namespace nuvel {

struct PrinterMetrics {
  int HebWidth = 0;
  int EngWidth = 0;
  int CellWidth = 0;
  int LineHeight = 0;
  int LineCount = 0;
};

// Average widths of the English and the Hebrew font on the painter's device,
// the cell width (the larger), the line height (the larger character height)
// and the lines that fit in `extent` pixels, less one.
PrinterMetrics GetPrinterMetrics(QPainter& painter, int extent);

// PrintTextLine on a QPainter, in its pen colour.
void PrintTextLine(std::span<const uint8_t> text, QPainter& painter, int rightMargin,
                   int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                   bool leftToRight, FontIndex& index, CellRect& rect);

// PrintPageNumber on a QPainter; the print command counts the pages.
void PrintPageNumber(QPainter& painter, int pageNumber, int linesBelow, int rightMargin,
                     int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                     bool leftToRight, CellRect& rect, int lineHeight);

}  // namespace nuvel
