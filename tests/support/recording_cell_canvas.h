#pragma once
// A cell canvas that records what is drawn on it, for tests of the cell
// painter without pixels.
#include <string>
#include <vector>

#include "core/cell_canvas.h"

namespace nuvel::test {

struct RecordedCell {
  int X;
  int Y;
  int Font;
  std::u16string Text;
  friend bool operator==(const RecordedCell&, const RecordedCell&) = default;
};

class RecordingCellCanvas : public CellCanvas {
 public:
  void FillRect(const CellRect& rect) override { Fills.push_back(rect); }
  void DrawCell(int x, int y, int fontSlot, std::u16string_view cluster) override {
    Cells.push_back({x, y, fontSlot, std::u16string(cluster)});
  }

  const HebrewAdvances* Advances() override { return Widths; }

  std::vector<CellRect> Fills;
  std::vector<RecordedCell> Cells;
  const HebrewAdvances* Widths = nullptr;  // the Hebrew font's, when a test gives them
};

}  // namespace nuvel::test
