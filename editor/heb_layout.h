#pragma once
// The geometry of the bilingual editor: a document whose main direction is
// Hebrew keeps its bytes in reading order (byte 1 is the rightmost character
// of a line) and shows each line right-aligned, so the window is mirrored:
// mouse points, caret positions and the left/right commands. Pure
// arithmetic on the editor's metrics, shared by the editor and its tests.
#include <cstdint>
#include <span>

#include "core/charset.h"
#include "core/command_numbers.h"
#include "core/nikud.h"

namespace nuvel {

// The cell size one font gives: average character width and line height
// (text height + external leading + 1).
struct TFontCell {
  int32_t CharWidth = 8;
  int32_t LineHeight = 16;
  friend bool operator==(const TFontCell&, const TFontCell&) = default;
};

// The cell of the grid both fonts share: the Hebrew font's, unless it is
// narrower than the English font's, when the English font's cell stays.
TFontCell ChooseGridCell(const TFontCell& englishFont, const TFontCell& hebrewFont);

// The editor's window as the layout sees it. Rows and columns count from 1;
// HorzOffset is the number of columns scrolled out at the start side.
struct THebGeometry {
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  int32_t LeftMargin = 0;
  int32_t RightMargin = 0;
  int32_t CharWidth = 8;
  int32_t LineHeight = 16;
  int32_t VisibleColumns = 1;
  int32_t VisibleRows = 1;
  int32_t TopLine = 1;
  int32_t HorzOffset = 0;
  bool Engm = true;  // main direction English

  // What is left of the client width after the margins and the whole
  // columns; in Hebrew direction it lies at the left, so lines end flush
  // with the right margin.
  int32_t AlignmentGap() const {
    return ClientWidth - LeftMargin - RightMargin - CharWidth * VisibleColumns;
  }
  // How much lower the caret stands on a vowel point that takes no cell.
  int32_t PointDrop() const { return LineHeight / 3; }
  // Left and right (exclusive) of the text area: in English direction the
  // whole columns after the left margin; in Hebrew direction everything up
  // to the right margin.
  int32_t TextLeft() const { return LeftMargin; }
  int32_t TextRight() const {
    return Engm ? LeftMargin + VisibleColumns * CharWidth : ClientWidth - RightMargin;
  }
};

// In a Hebrew document the horizontal movement commands swap sides:
// Left <-> Right, WordLeft <-> WordRight and their extending forms.
TNvcCommand ExchangeLeftRight(TNvcCommand command, bool englishMain);

// The line under a mouse point at height y, clamped to 1..lineCount
// (lineCount 0 counts as 1).
int32_t MouseLine(const THebGeometry& g, int32_t y, int32_t lineCount);
// The screen column under a mouse point at x: cell boundaries are rounded
// to the nearer one; in Hebrew direction columns count from the right
// margin. In English direction a point on the last visible column or to the
// right of it (inside the window) gives the last visible column.
int32_t MouseScreenColumn(const THebGeometry& g, int32_t x);

// Where the caret goes for the caret line and screen column.
struct TCaretPlacement {
  bool Visible = false;
  int32_t X = 32767;  // the point handed to the caret, 32767 when off screen
  int32_t Y = 32767;
  friend bool operator==(const TCaretPlacement&, const TCaretPlacement&) = default;
};
// The caret stands at the start side of its cell: its left edge in English
// direction, its right edge in Hebrew direction. With the focus a caret
// that is not a thin line moves one pixel in; on a vowel point that takes
// no cell it drops by PointDrop (and in Hebrew direction moves one cell).
TCaretPlacement PlaceCaret(const THebGeometry& g, int32_t caretLine, int32_t screenCol, bool hasFocus,
                           bool thinCaret, bool onZeroWidthPoint);

// True when the byte at position `pos` (from 1) of `line` is a point that
// takes no cell in that line, its points kept on `side` of their letter.
bool IsZeroWidthPointAt(std::span<const uint8_t> line, int32_t pos, TPointSide side);

// A vowel point typed right after a vowel point replaces it: true when
// `ch` is a point, the caret is past the first byte (pos > 1) and the byte
// before the caret is a point.
bool ReplacesPreviousPoint(std::span<const uint8_t> para, int32_t pos, uint8_t ch);

// kParagraphMark (core/charset.h) is what Enter puts before the line end in
// the Nuvel DOS and the Tag configurations.
// True when Enter at position `pos` of `para` is to insert the mark first:
// one of the two configurations, a writable editor, and no mark already
// before the caret.
bool EnterAddsParagraphMark(std::span<const uint8_t> para, int32_t pos, bool nuvDosConfig, bool tagConfig,
                            bool readOnly);

// Scroll Lock. The row recorded when Scroll Lock is switched on:
// (caret line - top line - 1) mod 256, 0 meaning none.
uint8_t ScrollLockRowFor(int32_t caretLine, int32_t topLine);
// The top line that keeps the caret `recorded` rows below the top line, or
// 0 when the recorded row counts as none: 0, one that wrapped (255 from the
// caret on the top row) or one no longer inside the window; and when the
// caret line is not below it.
int32_t ScrollLockTopLine(uint8_t recorded, int32_t caretLine, int32_t visibleRows);

}  // namespace nuvel
