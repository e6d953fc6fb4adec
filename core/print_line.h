#pragma once
// Printing a document line by line on the fixed cell grid: one line, the
// page number, and the hook the print command calls between lines.
#include <cstdint>
#include <span>

#include "core/cell_canvas.h"
#include "core/font_index.h"

namespace nuvel {

// Prints one line (stored order). Left to right the line starts `leftMargin`
// pixels right of rect.Left; right to left it is reversed for display and
// ends `rightMargin` pixels left of rect.Right. The line is as wide as its
// cells: its bytes less the points that take no cell, worked out for this
// line. `index` is the caller's font-index buffer, rebuilt for the line.
// On return rect spans the printed cells.
void PrintTextLine(std::span<const uint8_t> text, CellCanvas& canvas, int rightMargin,
                   int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                   bool leftToRight, FontIndex& index, CellRect& rect);

// Prints " <pageNumber>" `linesBelow` lines below rect.Top (rect moves down
// there and becomes one line high), aligned like the document's lines.
void PrintPageNumber(CellCanvas& canvas, int pageNumber, int linesBelow, int rightMargin,
                     int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                     bool leftToRight, CellRect& rect, int lineHeight);

// Called by the print command between lines; does nothing.
void PrintLineHook();

}  // namespace nuvel
