#include "editor/heb_paint_plan.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/nikud.h"
#include "core/string_routines.h"
#include "core/text_reversal.h"

namespace nuvel {

std::span<const uint8_t> THebRowCells::CellBytes(size_t first, size_t last) const {
  if (first >= last || first >= CellStarts.size()) return {};
  const size_t begin = CellStarts[first];
  const size_t end = last < CellStarts.size() ? CellStarts[last] : Text.size();
  return std::span<const uint8_t>(Text).subspan(begin, end - begin);
}

THebRowCells CutRowCells(std::span<const uint8_t> line, uint8_t tabSize, bool engm, int32_t horzOffset,
                         int32_t visibleColumns) {
  THebRowCells row;
  if (line.empty() || line[0] == 0) return row;
  row.Overstrike = NikudOverstrikeFor(line);
  std::string expanded;
  if (std::find(line.begin(), line.end(), uint8_t{9}) != line.end()) {
    expanded = StrExpandTabs(std::string_view(reinterpret_cast<const char*>(line.data()), line.size()), tabSize);
    line = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(expanded.data()), expanded.size());
  }
  // Where every cell of the whole line starts.
  std::vector<uint32_t> starts;
  starts.reserve(line.size());
  const size_t n = line.size();
  if (!row.Overstrike) {
    for (size_t i = 0; i < n; ++i) starts.push_back(static_cast<uint32_t>(i));
  } else if (engm) {
    // A letter's points stand before it: a cell ends at each byte that is
    // no point, and at the line's end after a run of points without one.
    uint32_t cellStart = 0;
    for (size_t i = 0; i < n; ++i) {
      if (IsLetterPoint(line[i]) && i + 1 < n) continue;
      starts.push_back(cellStart);
      cellStart = static_cast<uint32_t>(i + 1);
    }
  } else {
    // A letter's points stand after it: a cell starts at each byte that is
    // no point, and at the line's start before a run of points without one.
    for (size_t i = 0; i < n; ++i) {
      if (!IsLetterPoint(line[i]) || i == 0) starts.push_back(static_cast<uint32_t>(i));
    }
  }
  const auto cells = static_cast<int64_t>(starts.size());
  const int64_t skip = std::max<int64_t>(horzOffset, 0);
  if (skip >= cells) return row;
  const int64_t shown = std::min<int64_t>(cells - skip, std::max<int32_t>(visibleColumns, 0));
  if (shown <= 0) return row;
  const uint32_t begin = starts[static_cast<size_t>(skip)];
  const uint32_t end = skip + shown < cells ? starts[static_cast<size_t>(skip + shown)]
                                            : static_cast<uint32_t>(line.size());
  row.Text.assign(line.begin() + begin, line.begin() + end);
  row.CellStarts.reserve(static_cast<size_t>(shown));
  for (int64_t k = skip; k < skip + shown; ++k) row.CellStarts.push_back(starts[static_cast<size_t>(k)] - begin);
  return row;
}

TShownSelection SelectionToShow(const TSelectionState& s) {
  TShownSelection shown;
  const bool hidden = !s.Enabled || !s.HasSelection || (s.HideSelection && !s.Focused);
  if (!hidden) return s.Selection;
  if (s.PersistentBlocks && s.Block.Line1 > 0 && s.Block.Line2 > 0) return s.Block;
  return shown;
}

namespace {

struct RowBox {
  int32_t Top = 0;
  int32_t Bottom = 0;
};

void AddFill(THebPaintPlan& plan, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (right > left && bottom > top) plan.Fills.push_back({left, top, right, bottom});
}

// Cells [first, last) of the row before, inside and after the selection,
// counted from the start side; all cells form the first run when the row
// has no selected part.
std::array<size_t, 2> SelectionCuts(const THebPaintRequest& rq, const THebPaintSource& source, int32_t line,
                                    std::span<const uint8_t> text, size_t cells) {
  const TShownSelection& sel = rq.Selection;
  if (!sel.Active() || line < sel.Line1 || line > sel.Line2) return {cells, cells};
  const int64_t firstVisible = static_cast<int64_t>(rq.Geometry.HorzOffset) + 1;
  int64_t from = 0;
  int64_t to = static_cast<int64_t>(cells);
  if (line == sel.Line1) from = source.ScreenColumn(text, sel.Col1) - firstVisible;
  if (line == sel.Line2) to = source.ScreenColumn(text, sel.Col2) - firstVisible;
  from = std::clamp<int64_t>(from, 0, static_cast<int64_t>(cells));
  to = std::clamp<int64_t>(to, from, static_cast<int64_t>(cells));
  return {static_cast<size_t>(from), static_cast<size_t>(to)};
}

void PlanRow(const THebPaintRequest& rq, const THebPaintSource& source, int32_t line, RowBox box,
             THebPaintPlan& plan) {
  const THebGeometry& g = rq.Geometry;
  const int32_t left = g.TextLeft();
  const int32_t right = g.TextRight();
  std::span<const uint8_t> text;
  if (line >= 1 && line <= source.LineCount) text = source.LineText(line);
  const THebRowCells row = CutRowCells(text, source.TabSize, g.Engm, g.HorzOffset, g.VisibleColumns);
  const size_t cells = row.Cells();
  if (cells == 0) {
    AddFill(plan, left, box.Top, right, box.Bottom);
    return;
  }
  const auto cuts = SelectionCuts(rq, source, line, text, cells);
  const size_t bounds[4] = {0, cuts[0], cuts[1], cells};
  // Runs are laid from the start side: rightwards from the left edge in an
  // English row, leftwards from the right edge in a Hebrew one.
  int32_t edge = g.Engm ? left : right;
  for (int k = 0; k < 3; ++k) {
    const size_t first = bounds[k];
    const size_t last = bounds[k + 1];
    if (last <= first) continue;
    const int32_t width = static_cast<int32_t>(last - first) * g.CharWidth;
    THebPaintRun run;
    run.Line = line;
    run.Selected = k == 1;
    run.Overstrike = row.Overstrike;
    if (g.Engm) {
      run.Rect = {edge, box.Top, edge + width, box.Bottom};
      edge += width;
    } else {
      run.Rect = {edge - width, box.Top, edge, box.Bottom};
      edge -= width;
    }
    const auto bytes = row.CellBytes(first, last);
    run.Bytes.assign(bytes.begin(), bytes.end());
    if (!g.Engm) ReverseBufRef(run.Bytes.data(), run.Bytes.size());
    BuildFontIndex(run.Bytes, run.Fonts, g.Engm, rq.CtrlNums);
    plan.Runs.push_back(std::move(run));
  }
  if (g.Engm) {
    AddFill(plan, edge, box.Top, right, box.Bottom);
  } else {
    AddFill(plan, left, box.Top, edge, box.Bottom);
  }
}

void PlanBookmark(const THebPaintRequest& rq, int32_t line, RowBox box, THebPaintPlan& plan) {
  const int32_t glyphWidth = rq.GlyphStripWidth / 10;
  if (glyphWidth < 1 || glyphWidth > rq.Geometry.LeftMargin) return;
  for (int n = 0; n < 10; ++n) {
    if (rq.BookmarkLines[static_cast<size_t>(n)] != line) continue;
    int32_t y = box.Top;
    if (rq.Geometry.LineHeight >= rq.GlyphStripHeight + 2) y += (rq.Geometry.LineHeight - rq.GlyphStripHeight) / 2;
    plan.Glyphs.push_back({n, 1, y});
    return;
  }
}

}  // namespace

THebPaintPlan PlanEditorPaint(const THebPaintRequest& rq, const THebPaintSource& source) {
  THebPaintPlan plan;
  const THebGeometry& g = rq.Geometry;
  const int32_t h = std::max(g.LineHeight, 1);
  const int32_t firstRow = rq.ClipTop / h + 1;
  int32_t lastRow = (rq.ClipBottom + h - 1) / h;
  if (lastRow == g.VisibleRows) lastRow = g.VisibleRows + 1;

  AddFill(plan, 0, 0, g.LeftMargin, g.ClientHeight);
  AddFill(plan, g.TextRight(), 0, g.ClientWidth, g.ClientHeight);

  auto rowBox = [&](int32_t r) {
    return RowBox{(r - 1) * h, std::min(r * h, g.ClientHeight)};
  };
  for (int32_t r = 1; r <= g.VisibleRows; ++r) {
    if (r < firstRow || r > lastRow) continue;
    const int32_t line = g.TopLine + r - 1;
    PlanRow(rq, source, line, rowBox(r), plan);
  }
  if (g.VisibleRows < lastRow) AddFill(plan, g.TextLeft(), g.VisibleRows * h, g.TextRight(), g.ClientHeight);
  if (rq.ShowBookmarks) {
    for (int32_t r = 1; r <= g.VisibleRows; ++r) {
      const int32_t line = g.TopLine + r - 1;
      if (line >= 1 && line <= source.LineCount) PlanBookmark(rq, line, rowBox(r), plan);
    }
  }
  return plan;
}

}  // namespace nuvel
