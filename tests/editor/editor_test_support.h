#pragma once
// A window stand-in for the editor's view model: a client area of so many
// 8 x 16 cells beside the default margins, recording what the model asks.
#include <string>
#include <vector>

#include "editor/custom_editor.h"

namespace nuvel::test {

class TFakeEditorHost : public TEditorHost {
 public:
  TFakeEditorHost(int32_t columns, int32_t rows) : columns_(columns), rows_(rows) {}

  bool HasWindow() const override { return true; }
  bool HasFocus() const override { return focus; }
  int32_t ClientWidth() const override { return 15 + 5 + columns_ * 8; }
  int32_t ClientHeight() const override { return rows_ * 16; }
  TEditorFontMetrics MeasureFont() const override { return {8, 16}; }
  void InvalidateAll() override { ++invalidations; }
  void InvalidateRows(int32_t, int32_t) override { ++invalidations; }
  void SetVertScrollBar(const TEditorScrollBar& bar) override { vert = bar; }
  void SetHorzScrollBar(const TEditorScrollBar& bar) override { horz = bar; }
  void MoveCaret(int32_t x, int32_t y) override {
    caretX = x;
    caretY = y;
  }
  void PostShowStatus(int32_t col, int32_t line) override {
    statusCol = col;
    statusLine = line;
  }
  void Beep() override { ++beeps; }

  void Resize(int32_t columns, int32_t rows) {
    columns_ = columns;
    rows_ = rows;
  }

  bool focus = false;
  int invalidations = 0;
  int beeps = 0;
  int32_t caretX = 0, caretY = 0, statusCol = 0, statusLine = 0;
  TEditorScrollBar vert, horz;

 private:
  int32_t columns_;
  int32_t rows_;
};

// An editor shown in a fake window of columns x rows cells.
struct TEditorFixture {
  explicit TEditorFixture(int32_t columns = 40, int32_t rows = 10) : host(columns, rows) {
    editor.SetHost(&host);
    editor.WindowCreated();
  }
  ~TEditorFixture() { editor.SetHost(nullptr); }
  TFakeEditorHost host;
  TNvcCustomEditor editor;
};

inline std::vector<std::string> ParasOf(const TNvcCustomEditor& e) {
  std::vector<std::string> out;
  for (int32_t n = 1; n <= e.ParaCount(); ++n) {
    auto bytes = e.GetPara(n);
    out.emplace_back(bytes.begin(), bytes.end());
  }
  return out;
}

}  // namespace nuvel::test
