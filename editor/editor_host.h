#pragma once
// What the editor's view model asks of the window that shows it: the client
// size, the font's cell size, repaints, scroll bars, the caret, the deferred
// status notification, the beep. The Qt widget implements it; without a
// window the defaults answer (no window, nothing drawn), and tests record
// the calls with a fake.
#include <cstdint>

namespace nuvel {

// A scroll bar as Qt shows it: positions 0..Max, a page of Page positions.
struct TEditorScrollBar {
  bool Visible = false;
  int32_t Max = 0;
  int32_t Page = 1;
  int32_t Pos = 0;
  friend bool operator==(const TEditorScrollBar&, const TEditorScrollBar&) = default;
};

// Cell size of the editor's fixed font in pixels.
struct TEditorFontMetrics {
  int32_t CharWidth = 8;
  int32_t LineHeight = 16;
};

class TEditorHost {
 public:
  virtual ~TEditorHost() = default;

  virtual bool HasWindow() const { return false; }
  virtual bool HasFocus() const { return false; }
  // Client area in pixels (without the scroll bars that are shown).
  virtual int32_t ClientWidth() const { return 200; }
  virtual int32_t ClientHeight() const { return 150; }
  // Average character width of the font; text height + leading + 1.
  virtual TEditorFontMetrics MeasureFont() const { return {}; }

  // Repaint requests: everything, or window rows first..last (0-based).
  virtual void InvalidateAll() {}
  virtual void InvalidateRows(int32_t /*firstRow*/, int32_t /*lastRow*/) {}
  // Paints what is pending now.
  virtual void UpdateWindow() {}
  // Redrawing off and on (on repaints everything).
  virtual void SetRedraw(bool /*on*/) {}

  virtual void SetVertScrollBar(const TEditorScrollBar& /*bar*/) {}
  virtual void SetHorzScrollBar(const TEditorScrollBar& /*bar*/) {}

  // The caret: its top-left corner in client pixels; the insert or the
  // overwrite shape; whether the shape in use is a line narrower than 5
  // pixels (the caret then stands on the cell's first pixel column).
  virtual void MoveCaret(int32_t /*x*/, int32_t /*y*/) {}
  virtual void SetCaretInsertMode(bool /*insert*/) {}
  virtual bool CaretIsThin() const { return true; }

  // Runs the editor's status notification after the current event.
  virtual void PostShowStatus(int32_t /*screenCol*/, int32_t /*line*/) {}
  virtual void Beep() {}
  virtual void SetBusyCursor(bool /*busy*/) {}
};

}  // namespace nuvel
