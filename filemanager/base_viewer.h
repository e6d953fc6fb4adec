#pragma once
// The viewer's display model: caret, selection, ten bookmarks, the top line
// and left column, the scroll arithmetic, the commands that keys turn into,
// mouse positions, the painting plan of each visible row and the copied
// text. The text comes from the virtual operations, so a subclass decides
// what the lines are. No Qt: the widget feeds it sizes and events and paints
// what it plans. Line numbers are 64-bit.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/command_numbers.h"
#include "filemanager/viewer_limits.h"

namespace nuvel {

// A place in the text: a line and a byte column in it.
struct TViewerPos {
  int64_t line = 0;
  int32_t col = 0;
  friend bool operator==(const TViewerPos&, const TViewerPos&) = default;
  friend auto operator<=>(const TViewerPos&, const TViewerPos&) = default;
};

// The scroll bar's range for the widget: positions are lines divided by
// Divisor, so a count of any size fits.
struct TViewerScrollBar {
  int32_t Max = 0;
  int32_t Page = 1;
  int32_t Pos = 0;
  int64_t Divisor = 1;
  friend bool operator==(const TViewerScrollBar&, const TViewerScrollBar&) = default;
};

// One visible row as painted: the display cells from the left column on
// (tabs expanded, characters outside the font's range as its default), the
// selected cells [SelFrom, SelTo) among them, and the bookmark shown in the
// margin (-1 none).
struct TViewerRow {
  bool Exists = false;
  int64_t Line = 0;
  std::vector<uint8_t> Cells;
  int32_t SelFrom = 0;
  int32_t SelTo = 0;
  int Bookmark = -1;
};

class TNvcBaseViewer {
 public:
  static constexpr int kMarginWidth = 16;
  static constexpr int32_t kMaxLeftCol = 512;
  static constexpr int kBookmarks = 10;
  // Copies of this many bytes or more are refused.
  static constexpr size_t kMaxCopy = 65521;

  TNvcBaseViewer();
  virtual ~TNvcBaseViewer();

  // ---- The text (virtual) ----
  // The bytes of one line (valid until the next call).
  virtual std::span<const uint8_t> GetLine(int64_t line) = 0;
  // A wanted line turned into one that exists.
  virtual int64_t CheckLine(int64_t line) { return line; }
  // Lines of the text; kUnknownLineCount while not yet known.
  virtual int64_t LineCount() = 0;
  // Searches `text` with the options (2 backwards, 4 match case, 8 from the
  // start, backwards from the end); true when a match was found and selected.
  virtual bool Search(std::span<const uint8_t> text, int options);

  bool HasLines() { return LineCount() > 0; }

  // ---- Metrics: the widget's client size and the font's cells ----
  void SetMetrics(int clientWidth, int clientHeight, int charWidth, int lineHeight);
  int VisibleLines() const { return visibleLines_; }
  int VisibleCols() const { return visibleCols_; }
  int LineHeight() const { return lineHeight_; }
  int CharWidth() const { return charWidth_; }
  // The font's range of characters and the one shown for bytes outside it.
  void SetFontRange(uint8_t first, uint8_t last, uint8_t fallback);

  // ---- Options ----
  bool ExpandTabs() const { return expandTabs_; }
  void SetExpandTabs(bool on);
  int TabSize() const { return tabSize_; }
  // 0 and negative sizes are refused.
  void SetTabSize(int size);
  bool ShowCaret() const { return showCaret_; }
  void SetShowCaret(bool on) { showCaret_ = on; }

  // ---- Caret and selection ----
  void SetCaretPosition(int64_t line, int32_t col, bool extend);
  // Moves the caret to the start of the line CheckLine gives.
  void GotoPosition(int64_t line);
  TViewerPos CaretPos() const { return caret_; }
  // Line and display column of the caret.
  TViewerPos CaretDisplayPos();
  void SetSelection(TViewerPos start, TViewerPos end, bool caretAtEnd);
  // From the start of the text through the end of its last line.
  void SelectAll();
  bool HasSelection() const { return selStart_ != selEnd_; }
  TViewerPos SelStart() const { return selStart_; }
  TViewerPos SelEnd() const { return selEnd_; }
  void ClearSelection();

  // Bytes of a line as shown (its length in byte columns).
  int32_t LineLength(int64_t line);
  // The line with tabs expanded and bytes outside the font's range replaced,
  // at most `max` cells.
  std::vector<uint8_t> GetPrintableLine(int64_t line, size_t max = 4096);
  int32_t DisplayColumn(int64_t line, int32_t col);
  int32_t ByteColumn(int64_t line, int32_t displayCol);

  // ---- Scrolling ----
  int64_t TopLine() const { return top_; }
  void SetTopLine(int64_t line);
  int32_t LeftCol() const { return left_; }
  void SetLeftCol(int32_t col);
  void ScrollBy(int32_t cols, int64_t lines);
  TViewerScrollBar VertScrollBar();
  TViewerScrollBar HorzScrollBar() const;
  // The thumb let go at `pos`: 0 the first line, the last position the last
  // page, any other the line pos x divisor.
  void VertThumbTo(int32_t pos);
  void HorzThumbTo(int32_t pos) { SetLeftCol(pos); }
  // Line up/down, page up/down.
  void VertStep(int lines) { ScrollBy(0, lines); }
  void VertPage(int pages) { ScrollBy(0, static_cast<int64_t>(pages) * visibleLines_); }
  // A wheel turn: one line a notch (120 units).
  void Wheel(int delta);

  // ---- Bookmarks ----
  // Setting a bookmark at its own place again removes it.
  void SetBookmark(int n, int64_t line, int32_t col);
  void GotoBookmark(int n);
  // The bookmark's place, or line -1 when unset.
  TViewerPos Bookmark(int n) const { return bookmarks_[static_cast<size_t>(n)]; }

  // ---- Commands and mouse ----
  // Carries out a command of the key translator; false when it is none of
  // the viewer's (commands from 256 up go to OnUserCommand and count as done).
  bool ExecuteCommand(TNvcCommand command);
  TViewerPos MouseToLineCol(int x, int y);
  bool OverMargin(int x) const { return x < kMarginWidth; }
  void MouseDown(int x, int y, bool shift);
  // A move while the button is held (also posted by the widget's timer
  // while the pointer is outside, so the view scrolls).
  void MouseDrag(int x, int y);
  void MouseUp() { dragging_ = false; }
  bool Dragging() const { return dragging_; }
  bool OutsideRows(int y) const { return y < 0 || y >= visibleLines_ * lineHeight_; }
  void DoubleClick(int x, int y);

  // ---- Painting and copying ----
  TViewerRow PlanRow(int row);
  // The selection with lines joined by CR LF; raises ERegionTooLarge when it
  // reaches 65521 bytes.
  std::vector<uint8_t> SelectedText();
  // Copies the selection through OnCopy.
  void CopyToClipboard();

  // ---- Notifications ----
  std::function<void()> OnInvalidate;
  std::function<void(int64_t line, int32_t displayCol)> OnShowStatus;
  std::function<void(int64_t line)> OnTopLineChanged;
  std::function<void(TNvcCommand command)> OnUserCommand;
  std::function<void(const std::vector<uint8_t>& bytes)> OnCopy;
  std::function<void(bool busy)> OnBusy;

 protected:
  // Forgets the caret, selection, bookmarks and scroll place (after the
  // text changed).
  void ResetView();
  void Invalidate() {
    if (OnInvalidate) OnInvalidate();
  }
  void ShowStatus();
  void ScrollToCaret();
  // The last line when known, else the line CheckLine finds.
  int64_t LastLine();
  // Called when the caret's line changes (a subclass keeps it as a known point).
  virtual void CaretLineChanged(int64_t /*line*/) {}

 private:
  void MoveVert(int64_t lines, bool extend);
  void MoveTo(int64_t line, int32_t col, bool extend, bool keepDisplayCol = false);
  void WordLeft(bool extend);
  void WordRight(bool extend);
  void SelectLines(int64_t from, int64_t to);

  TViewerPos caret_;
  TViewerPos anchor_;
  TViewerPos selStart_;
  TViewerPos selEnd_;
  int32_t wantedDisplayCol_ = 0;
  std::array<TViewerPos, kBookmarks> bookmarks_;
  int64_t top_ = 0;
  int32_t left_ = 0;
  int visibleLines_ = 1;
  int visibleCols_ = 1;
  int charWidth_ = 8;
  int lineHeight_ = 16;
  uint8_t firstChar_ = 0;
  uint8_t lastChar_ = 255;
  uint8_t defaultChar_ = '?';
  bool expandTabs_ = true;
  int tabSize_ = 8;
  bool showCaret_ = true;
  bool dragging_ = false;
  bool dragInMargin_ = false;
  int64_t dragFirstLine_ = 0;
};

}  // namespace nuvel
