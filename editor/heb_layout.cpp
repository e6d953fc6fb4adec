#include "editor/heb_layout.h"

#include <algorithm>

#include "core/nikud.h"

namespace nuvel {

TFontCell ChooseGridCell(const TFontCell& englishFont, const TFontCell& hebrewFont) {
  return hebrewFont.CharWidth < englishFont.CharWidth ? englishFont : hebrewFont;
}

TNvcCommand ExchangeLeftRight(TNvcCommand command, bool englishMain) {
  if (englishMain) return command;
  switch (command) {
    case ccLeft: return ccRight;
    case ccRight: return ccLeft;
    case ccWordLeft: return ccWordRight;
    case ccWordRight: return ccWordLeft;
    case ccExtendLeft: return ccExtendRight;
    case ccExtendRight: return ccExtendLeft;
    case ccExtWordLeft: return ccExtWordRight;
    case ccExtWordRight: return ccExtWordLeft;
    default: return command;
  }
}

int32_t MouseLine(const THebGeometry& g, int32_t y, int32_t lineCount) {
  const int32_t h = std::max(g.LineHeight, 1);
  int32_t line;
  if (y < 0) {
    line = g.TopLine - 1;
  } else if (y < g.ClientHeight) {
    line = g.TopLine + y / h;
    if (y > g.VisibleRows * h) --line;
  } else {
    line = g.TopLine + g.VisibleRows;
  }
  return std::clamp(line, 1, std::max(lineCount, 1));
}

int32_t MouseScreenColumn(const THebGeometry& g, int32_t x) {
  const int32_t w = std::max(g.CharWidth, 1);
  const int32_t from = g.Engm ? x - g.LeftMargin : g.ClientWidth - x - g.RightMargin;
  // Integer division rounding towards zero, as the cells are counted.
  const int32_t column = (from + w / 2) / w + 1 + g.HorzOffset;
  if (g.Engm && x >= g.VisibleColumns * w + g.LeftMargin - w / 2 && x < g.ClientWidth) {
    return g.VisibleColumns + g.HorzOffset;
  }
  return column;
}

TCaretPlacement PlaceCaret(const THebGeometry& g, int32_t caretLine, int32_t screenCol, bool hasFocus,
                           bool thinCaret, bool onZeroWidthPoint) {
  TCaretPlacement p;
  const bool rowShown = caretLine >= g.TopLine && caretLine <= g.TopLine + g.VisibleRows - 1;
  const bool colShown = screenCol >= g.HorzOffset + 1 && screenCol <= g.HorzOffset + g.VisibleColumns;
  if (!rowShown || !colShown) return p;
  const int32_t cell = screenCol - g.HorzOffset - 1;  // cells before the caret's, from the start side
  int32_t x = g.Engm ? cell * g.CharWidth + g.LeftMargin
                     : std::max(1, g.VisibleColumns - cell) * g.CharWidth + g.LeftMargin + g.AlignmentGap();
  int32_t y = (caretLine - g.TopLine) * g.LineHeight;
  if (hasFocus) {
    if (!thinCaret) x += 1;
    if (onZeroWidthPoint) {
      y += g.PointDrop();
      if (!g.Engm) x += g.CharWidth;
    }
  }
  p.Visible = true;
  p.X = x - 1;
  p.Y = y;
  return p;
}

bool IsZeroWidthPointAt(std::span<const uint8_t> line, int32_t pos, TPointSide side) {
  if (pos < 1 || static_cast<size_t>(pos) > line.size()) return false;
  return !TakesCell(line, static_cast<size_t>(pos - 1), NikudOverstrikeFor(line), side);
}

bool ReplacesPreviousPoint(std::span<const uint8_t> para, int32_t pos, uint8_t ch) {
  if (pos <= 1 || para.empty() || !IsNikud(ch)) return false;
  if (static_cast<size_t>(pos - 1) > para.size()) return false;
  return IsNikud(para[static_cast<size_t>(pos - 2)]);
}

bool EnterAddsParagraphMark(std::span<const uint8_t> para, int32_t pos, bool nuvDosConfig, bool tagConfig,
                            bool readOnly) {
  if (!(nuvDosConfig || tagConfig) || readOnly) return false;
  if (pos <= 1 || static_cast<size_t>(pos - 1) > para.size()) return true;
  return para[static_cast<size_t>(pos - 2)] != kParagraphMark;
}

uint8_t ScrollLockRowFor(int32_t caretLine, int32_t topLine) {
  return static_cast<uint8_t>((caretLine - topLine - 1) & 0xFF);
}

int32_t ScrollLockTopLine(uint8_t recorded, int32_t caretLine, int32_t visibleRows) {
  if (recorded == 0 || recorded >= visibleRows) return 0;
  if (caretLine <= recorded) return 0;
  return caretLine - recorded;
}

}  // namespace nuvel
