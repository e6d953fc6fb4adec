#include "core/print_line.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/multi_font_line.h"
#include "core/nikud.h"

namespace nuvel {

void PrintTextLine(std::span<const uint8_t> text, CellCanvas& canvas, int rightMargin,
                   int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                   bool leftToRight, FontIndex& index, CellRect& rect) {
  // Whether points take a cell is decided on the line as stored, before it
  // is turned into display order.
  const bool overstrike = NikudOverstrikeFor(text);
  const int visible =
      static_cast<int>(text.size() - CountNikud(text, text.size(), overstrike, PointSideFor(leftToRight)));
  std::vector<uint8_t> line(text.begin(), text.end());
  if (leftToRight) {
    rect.Left += leftMargin;
    rect.Right = rect.Left + cellWidth * visible;
  } else {
    std::reverse(line.begin(), line.end());
    rect.Right -= rightMargin;
    rect.Left = rect.Right - cellWidth * visible;
  }
  BuildFontIndex(line, index, leftToRight, bold);
  DrawMultiFontLine(line, canvas, index, bold, /*glyphMode=*/true, leftToRight, hebWidth, engWidth,
                    cellWidth, rect, overstrike);
}

void PrintPageNumber(CellCanvas& canvas, int pageNumber, int linesBelow, int rightMargin,
                     int leftMargin, int hebWidth, int engWidth, int cellWidth, bool bold,
                     bool leftToRight, CellRect& rect, int lineHeight) {
  std::string text = " " + std::to_string(pageNumber);
  if (text.size() > 250) text.resize(250);
  // Reversed here and again by PrintTextLine, so the digits read in order.
  if (!leftToRight) std::reverse(text.begin(), text.end());
  std::vector<uint8_t> line(text.begin(), text.end());
  FontIndex index = AllocFontIndex();
  rect.Top += linesBelow * lineHeight;
  rect.Bottom = rect.Top + lineHeight;
  PrintTextLine(line, canvas, rightMargin, leftMargin, hebWidth, engWidth, cellWidth, bold,
                leftToRight, index, rect);
  FreeFontIndex(index);
}

void PrintLineHook() {}

}  // namespace nuvel
