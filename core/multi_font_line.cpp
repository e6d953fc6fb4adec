#include "core/multi_font_line.h"

#include <iostream>

#include "core/cell_plan.h"

namespace nuvel {
namespace {

// An unknown font index is a programming fault in the caller; it is
// reported once per run and never interrupts painting.
void ReportBadFontIndex() {
  static bool reported = false;
  if (reported) return;
  reported = true;
  std::cerr << "nuvel: LFMP Error! (unknown font index in a drawn line)\n";
}

}  // namespace

MultiFontLineResult DrawMultiFontLine(std::span<const uint8_t> text, CellCanvas& canvas,
                                      const FontIndex& index, bool bold, bool /*glyphMode*/,
                                      bool leftAligned, int /*hebWidth*/, int /*engWidth*/,
                                      int cellWidth, CellRect& rect, bool overstrike) {
  const CellPlan plan = PlanLineCells(text, index, overstrike, canvas.Advances(), cellWidth);

  canvas.FillRect(rect);

  const int width = static_cast<int>(plan.Cells.size()) * cellWidth;
  if (leftAligned) {
    rect.Right = rect.Left + width;
  } else {
    rect.Left = rect.Right - width;
  }

  MultiFontLineResult result;
  result.BadFontCells = plan.BadFontCells.size();
  if (result.BadFontCells > 0) ReportBadFontIndex();

  const uint8_t dosFont = bold ? kDosBoldFontIndex : kDosFontIndex;
  for (size_t i = 0; i < plan.Cells.size(); ++i) {
    const PlannedCell& cell = plan.Cells[i];
    const int x = rect.Left + static_cast<int>(i) * cellWidth;
    if (!cell.HasChar) {
      canvas.DrawCell(x + cell.Offset, rect.Top, kHebrewFontIndex, PointsCluster(cell.Points));
      continue;
    }
    if (cell.Font == 0) continue;
    const uint8_t font = cell.Font >= kDosFontIndex ? dosFont : cell.Font;
    if (font == kHebrewFontIndex) {
      // The letter and its points are shaped together.
      const auto cluster = CellCluster(cell.Byte, cell.Points);
      if (!cluster.empty()) canvas.DrawCell(x + cell.Offset, rect.Top, font, cluster);
      continue;
    }
    const auto base = CellCluster(cell.Byte, {});
    if (!base.empty()) canvas.DrawCell(x, rect.Top, font, base);
    if (!cell.Points.empty()) {
      canvas.DrawCell(x + cell.Offset, rect.Top, kHebrewFontIndex, PointsCluster(cell.Points));
    }
  }
  return result;
}

}  // namespace nuvel
