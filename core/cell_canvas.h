#pragma once
// The surface the cell painter draws on: a rectangle fill and one cluster of
// text at a cell's position. The GUI layer implements it on a QPainter
// (screen, image or printer); tests record the calls.
#include <string_view>

namespace nuvel {

struct HebrewAdvances;

// A rectangle in device pixels; Right and Bottom are exclusive.
struct CellRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

class CellCanvas {
 public:
  virtual ~CellCanvas() = default;
  // Fills the rectangle with the background brush.
  virtual void FillRect(const CellRect& rect) = 0;
  // Draws one cluster whose cell starts at x, with the font's top at y, in
  // global font `fontSlot` (1 English, 2 Hebrew, 3 DOS, 4 DOS bold), in the
  // current text colour on a transparent background.
  virtual void DrawCell(int x, int y, int fontSlot, std::u16string_view cluster) = 0;
  // The glyph widths of the Hebrew font on this surface, so that narrow
  // glyphs are centred in their cells; null when unknown.
  virtual const HebrewAdvances* Advances() { return nullptr; }
};

}  // namespace nuvel
