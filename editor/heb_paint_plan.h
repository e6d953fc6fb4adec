#pragma once
// What the bilingual editor paints, computed without pixels: the margins,
// the bookmark glyphs, and for each row of the text inside the clip box its
// visible cells cut to the horizontal offset and the visible columns, split
// into the runs before, inside and after the selection, each with its bytes
// in display order (a Hebrew row reversed and right-aligned), its font per
// byte and its rectangle. The widget hands the plan to the cell painter.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/cell_canvas.h"
#include "core/font_index.h"
#include "editor/heb_layout.h"

namespace nuvel {

// The visible part of one line: the bytes of the cells from the horizontal
// offset on, at most the visible columns of them, in stored order.
struct THebRowCells {
  std::vector<uint8_t> Text;
  // Where each cell starts in Text; one entry a cell. A cell is its byte
  // and the points of its letter (before it in an English line, after it in
  // a Hebrew one) when points take no cell; a run of points with no letter
  // on their side (at the start of a Hebrew line, the end of an English
  // one) is a cell of its own.
  std::vector<uint32_t> CellStarts;
  bool Overstrike = false;  // the line's points take no cell

  size_t Cells() const { return CellStarts.size(); }
  // Bytes of cells [first, last) in stored order.
  std::span<const uint8_t> CellBytes(size_t first, size_t last) const;
};

// Cuts `line` (stored order, tabs not yet expanded) for the row: tabs
// expanded to `tabSize`, `horzOffset` cells dropped from the start side and
// the cells beyond `visibleColumns` from the end, in one pass. A line whose
// first byte is zero counts as empty.
THebRowCells CutRowCells(std::span<const uint8_t> line, uint8_t tabSize, bool engm, int32_t horzOffset,
                         int32_t visibleColumns);

// The selection as the editor shows it: two (line, column) ends, the
// columns byte columns of their lines; Line1 = 0 when nothing is shown.
struct TShownSelection {
  int32_t Line1 = 0;
  int32_t Col1 = 0;
  int32_t Line2 = 0;
  int32_t Col2 = 0;
  bool Active() const { return Line1 > 0 && Line2 > 0; }
  friend bool operator==(const TShownSelection&, const TShownSelection&) = default;
};

// Which selection to show: none for a disabled editor, none without a
// selection, none when the selection hides while the focus is elsewhere;
// with no selection shown and persistent blocks on, the block from marker
// 100 to marker 101 when both are set (line > 0).
struct TSelectionState {
  bool Enabled = true;
  bool HasSelection = false;
  bool HideSelection = true;
  bool Focused = false;
  TShownSelection Selection;
  bool PersistentBlocks = false;
  TShownSelection Block;  // lines 0 when a marker is unset
};
TShownSelection SelectionToShow(const TSelectionState& s);

// One run of cells drawn in one colour pair.
struct THebPaintRun {
  int32_t Line = 0;
  CellRect Rect;               // cells x character width, the row's height
  std::vector<uint8_t> Bytes;  // display order, left to right
  FontIndex Fonts;             // BuildFontIndex of Bytes
  bool Selected = false;       // drawn in the highlight colours
  bool Overstrike = false;     // the line's points take no cell
};

struct THebBookmarkGlyph {
  int Index = 0;  // which of the ten glyphs
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const THebBookmarkGlyph&, const THebBookmarkGlyph&) = default;
};

struct THebPaintPlan {
  std::vector<CellRect> Fills;  // background: margins, empty rows, row ends
  std::vector<THebPaintRun> Runs;
  std::vector<THebBookmarkGlyph> Glyphs;  // drawn last, over the left margin
};

// Where the text comes from.
struct THebPaintSource {
  int32_t LineCount = 0;
  uint8_t TabSize = 8;
  // The bytes of screen line n (1..LineCount).
  std::function<std::span<const uint8_t>(int32_t line)> LineText;
  // The screen column of byte column `col` in `line` (tabs expanded, points
  // that take no cell skipped, as the cells of CutRowCells count).
  std::function<int32_t(std::span<const uint8_t> line, int32_t col)> ScreenColumn;
};

struct THebPaintRequest {
  THebGeometry Geometry;
  int32_t ClipTop = 0;     // the clip box's rows, in client pixels
  int32_t ClipBottom = 0;  // exclusive
  TShownSelection Selection;
  bool CtrlNums = true;  // control characters in the bold DOS font
  bool ShowBookmarks = true;
  std::array<int32_t, 10> BookmarkLines{};  // screen line of each bookmark, 0 when unset
  int32_t GlyphStripWidth = 0;   // the bookmark bitmap: ten glyphs side by side
  int32_t GlyphStripHeight = 0;
};

THebPaintPlan PlanEditorPaint(const THebPaintRequest& request, const THebPaintSource& source);

}  // namespace nuvel
