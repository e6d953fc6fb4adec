#pragma once
// Draws one line in several fonts on one fixed grid of cells.
#include <cstdint>
#include <span>

#include "core/cell_canvas.h"
#include "core/font_index.h"

namespace nuvel {

struct MultiFontLineResult {
  // Cells whose font index entry was unknown: nothing was drawn there.
  size_t BadFontCells = 0;
};

// Draws `text` (display order) into `rect` on `canvas`, one cell per
// character, each cell `cellWidth` pixels wide, the fonts taken from `index`
// (entries 1..size). Control characters take the DOS font, in bold when
// `bold`. Left-aligned the grid starts at rect.Left, else it ends at
// rect.Right; afterwards rect spans the cells. A Hebrew glyph narrower
// than the cell is centred in it when the canvas knows the font's widths.
//
// A letter's points take no cell when `overstrike` says so. The caller works it
// out for the whole line in stored order (NikudOverstrikeFor), so a part
// of a row, or a right-to-left line turned into display order, keeps the
// line's rule.
//
// `glyphMode`, `hebWidth` and `engWidth` describe the fonts' own glyph
// codes and average widths; every cell is drawn at its own grid position
// from the system's Unicode table, so they do not change the drawing.
MultiFontLineResult DrawMultiFontLine(std::span<const uint8_t> text, CellCanvas& canvas,
                                      const FontIndex& index, bool bold, bool glyphMode,
                                      bool leftAligned, int hebWidth, int engWidth,
                                      int cellWidth, CellRect& rect, bool overstrike);

}  // namespace nuvel
