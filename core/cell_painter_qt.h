#pragma once
// The cell painter on a QPainter (widget, image or printer): each cell's
// cluster is drawn by itself at its grid position in one of the four global
// fonts, so Qt's text layout never sees a run of text to reorder.
#include <QPainter>
#include <array>
#include <cstdint>
#include <span>

#include "core/cell_canvas.h"
#include "core/cell_plan.h"
#include "core/font_index.h"
#include "core/multi_font_line.h"

namespace nuvel {

class QPainterCellCanvas : public CellCanvas {
 public:
  // Draws in the painter's pen colour; fills with its brush.
  explicit QPainterCellCanvas(QPainter& painter);

  void FillRect(const CellRect& rect) override;
  void DrawCell(int x, int y, int fontSlot, std::u16string_view cluster) override;
  // The Hebrew font's widths on the painter's device, kept until the font
  // or the device's resolution changes.
  const HebrewAdvances* Advances() override;

 private:
  QPainter& painter_;
  int currentSlot_ = 0;
  std::array<int, 5> ascent_{-1, -1, -1, -1, -1};
};

// DrawMultiFontLine on a QPainter.
MultiFontLineResult DrawMultiFontLine(std::span<const uint8_t> text, QPainter& painter,
                                      const FontIndex& index, bool bold, bool glyphMode,
                                      bool leftAligned, int hebWidth, int engWidth,
                                      int cellWidth, CellRect& rect, bool overstrike);

}  // namespace nuvel
