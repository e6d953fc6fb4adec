#include "filemanager/base_viewer.h"

#include <algorithm>

#include "core/exceptions.h"

namespace nuvel {

namespace {
bool IsBlank(uint8_t b) { return b == ' ' || b == 9; }
}  // namespace

TNvcBaseViewer::TNvcBaseViewer() { bookmarks_.fill({-1, -1}); }

TNvcBaseViewer::~TNvcBaseViewer() = default;

bool TNvcBaseViewer::Search(std::span<const uint8_t> /*text*/, int /*options*/) { return false; }

void TNvcBaseViewer::ResetView() {
  caret_ = anchor_ = selStart_ = selEnd_ = {0, 0};
  wantedDisplayCol_ = 0;
  bookmarks_.fill({-1, -1});
  top_ = 0;
  left_ = 0;
  dragging_ = false;
  CaretLineChanged(0);
  Invalidate();
}

// ---- Metrics and options ----

void TNvcBaseViewer::SetMetrics(int clientWidth, int clientHeight, int charWidth, int lineHeight) {
  charWidth_ = std::max(charWidth, 1);
  lineHeight_ = std::max(lineHeight, 1);
  visibleLines_ = std::max(clientHeight / lineHeight_, 1);
  visibleCols_ = std::max((clientWidth - kMarginWidth) / charWidth_, 1);
  // When every line fits, the first is on top.
  const int64_t count = LineCount();
  if (count != kUnknownLineCount && count <= visibleLines_) top_ = 0;
  Invalidate();
}

void TNvcBaseViewer::SetFontRange(uint8_t first, uint8_t last, uint8_t fallback) {
  firstChar_ = first;
  lastChar_ = last;
  defaultChar_ = fallback;
  Invalidate();
}

void TNvcBaseViewer::SetExpandTabs(bool on) {
  expandTabs_ = on;
  Invalidate();
}

void TNvcBaseViewer::SetTabSize(int size) {
  if (size <= 0) return;
  tabSize_ = size;
  Invalidate();
}

// ---- Lines and columns ----

int32_t TNvcBaseViewer::LineLength(int64_t line) {
  if (line < 0 || line >= LineCount()) return 0;
  return static_cast<int32_t>(GetLine(line).size());
}

int32_t TNvcBaseViewer::DisplayColumn(int64_t line, int32_t col) {
  const auto bytes = GetLine(line);
  int32_t d = 0;
  const size_t n = std::min(bytes.size(), static_cast<size_t>(std::max(col, 0)));
  for (size_t i = 0; i < n; ++i) d += bytes[i] == 9 && expandTabs_ ? tabSize_ - d % tabSize_ : 1;
  return d;
}

int32_t TNvcBaseViewer::ByteColumn(int64_t line, int32_t displayCol) {
  const auto bytes = GetLine(line);
  int32_t d = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int32_t w = bytes[i] == 9 && expandTabs_ ? tabSize_ - d % tabSize_ : 1;
    if (displayCol < d + w) return static_cast<int32_t>(i);
    d += w;
  }
  return static_cast<int32_t>(bytes.size());
}

std::vector<uint8_t> TNvcBaseViewer::GetPrintableLine(int64_t line, size_t max) {
  std::vector<uint8_t> cells;
  for (uint8_t b : GetLine(line)) {
    if (cells.size() >= max) break;
    if (b == 9 && expandTabs_) {
      cells.insert(cells.end(), static_cast<size_t>(tabSize_) - cells.size() % static_cast<size_t>(tabSize_),
                   uint8_t{' '});
    } else {
      cells.push_back(b < firstChar_ || b > lastChar_ ? defaultChar_ : b);
    }
  }
  if (cells.size() > max) cells.resize(max);
  return cells;
}

int64_t TNvcBaseViewer::LastLine() {
  const int64_t count = LineCount();
  if (count == 0) return 0;
  if (count != kUnknownLineCount) return count - 1;
  return CheckLine(kUnknownLineCount);
}

// ---- Caret and selection ----

void TNvcBaseViewer::MoveTo(int64_t line, int32_t col, bool extend, bool keepDisplayCol) {
  if (!HasLines()) return;
  line = CheckLine(std::max<int64_t>(line, 0));
  const TViewerPos p{line, std::clamp(col, 0, LineLength(line))};
  if (extend) {
    if (!HasSelection()) anchor_ = caret_;
    selStart_ = std::min(anchor_, p);
    selEnd_ = std::max(anchor_, p);
  } else {
    anchor_ = selStart_ = selEnd_ = p;
  }
  if (p.line != caret_.line) CaretLineChanged(p.line);
  caret_ = p;
  if (!keepDisplayCol) wantedDisplayCol_ = DisplayColumn(p.line, p.col);
  ScrollToCaret();
  ShowStatus();
  Invalidate();
}

void TNvcBaseViewer::SetCaretPosition(int64_t line, int32_t col, bool extend) { MoveTo(line, col, extend); }

void TNvcBaseViewer::GotoPosition(int64_t line) {
  if (!HasLines()) return;
  MoveTo(CheckLine(std::max<int64_t>(line, 0)), 0, false);
}

TViewerPos TNvcBaseViewer::CaretDisplayPos() { return {caret_.line, DisplayColumn(caret_.line, caret_.col)}; }

void TNvcBaseViewer::SetSelection(TViewerPos start, TViewerPos end, bool caretAtEnd) {
  if (!HasLines()) return;
  auto fix = [this](TViewerPos p) {
    p.line = CheckLine(std::max<int64_t>(p.line, 0));
    p.col = std::clamp(p.col, 0, LineLength(p.line));
    return p;
  };
  start = fix(start);
  end = fix(end);
  selStart_ = std::min(start, end);
  selEnd_ = std::max(start, end);
  const TViewerPos caret = caretAtEnd ? selEnd_ : selStart_;
  anchor_ = caretAtEnd ? selStart_ : selEnd_;
  if (caret.line != caret_.line) CaretLineChanged(caret.line);
  caret_ = caret;
  wantedDisplayCol_ = DisplayColumn(caret_.line, caret_.col);
  ScrollToCaret();
  ShowStatus();
  Invalidate();
}

void TNvcBaseViewer::SelectAll() {
  if (!HasLines()) return;
  const int64_t last = LastLine();
  SetSelection({0, 0}, {last, LineLength(last)}, true);
}

void TNvcBaseViewer::ClearSelection() {
  anchor_ = selStart_ = selEnd_ = caret_;
  Invalidate();
}

void TNvcBaseViewer::ShowStatus() {
  if (OnShowStatus) OnShowStatus(caret_.line, DisplayColumn(caret_.line, caret_.col));
}

// ---- Scrolling ----

void TNvcBaseViewer::ScrollToCaret() {
  int64_t top = top_;
  if (caret_.line < top) top = caret_.line;
  if (caret_.line >= top + visibleLines_) top = caret_.line - visibleLines_ + 1;
  const int32_t d = DisplayColumn(caret_.line, caret_.col);
  int32_t left = left_;
  if (d < left) left = d;
  if (d >= left + visibleCols_) left = d - visibleCols_ + 1;
  left_ = std::clamp(left, 0, kMaxLeftCol);
  if (top != top_) {
    top_ = top;
    if (OnTopLineChanged) OnTopLineChanged(top_);
  }
}

void TNvcBaseViewer::SetTopLine(int64_t line) {
  line = std::max<int64_t>(line, 0);
  if (HasLines()) {
    // Looking for the last line shown may find the end of the text.
    CheckLine(line + visibleLines_ - 1);
    const int64_t count = LineCount();
    if (count != kUnknownLineCount) line = std::min(line, std::max<int64_t>(count - visibleLines_, 0));
  } else {
    line = 0;
  }
  if (line == top_) return;
  top_ = line;
  if (OnTopLineChanged) OnTopLineChanged(top_);
  Invalidate();
}

void TNvcBaseViewer::SetLeftCol(int32_t col) {
  col = std::clamp(col, 0, kMaxLeftCol);
  if (col == left_) return;
  left_ = col;
  Invalidate();
}

void TNvcBaseViewer::ScrollBy(int32_t cols, int64_t lines) {
  if (cols != 0) SetLeftCol(left_ + cols);
  if (lines != 0) SetTopLine(top_ + lines);
}

TViewerScrollBar TNvcBaseViewer::VertScrollBar() {
  int64_t count = LineCount();
  // While the count is unknown the bar is laid out for the largest 32-bit count.
  if (count == kUnknownLineCount) count = 2147483647;
  const int64_t maxTop = std::max<int64_t>(count - visibleLines_, 0);
  TViewerScrollBar bar;
  bar.Divisor = count > 32767 ? count / 32768 * 2 : 1;
  bar.Max = static_cast<int32_t>(maxTop / bar.Divisor);
  bar.Page = static_cast<int32_t>(std::max<int64_t>(visibleLines_ / bar.Divisor, 1));
  bar.Pos = top_ >= maxTop ? bar.Max : static_cast<int32_t>(top_ / bar.Divisor);
  return bar;
}

TViewerScrollBar TNvcBaseViewer::HorzScrollBar() const {
  TViewerScrollBar bar;
  bar.Max = kMaxLeftCol;
  bar.Page = 10;
  bar.Pos = left_;
  return bar;
}

void TNvcBaseViewer::VertThumbTo(int32_t pos) {
  if (!HasLines()) return;
  const TViewerScrollBar bar = VertScrollBar();
  if (pos <= 0) {
    SetTopLine(0);
  } else if (pos >= bar.Max) {
    SetTopLine(LastLine() - visibleLines_ + 1);
  } else {
    SetTopLine(CheckLine(pos * bar.Divisor));
  }
}

void TNvcBaseViewer::Wheel(int delta) { ScrollBy(0, -delta / 120); }

// ---- Bookmarks ----

void TNvcBaseViewer::SetBookmark(int n, int64_t line, int32_t col) {
  if (n < 0 || n >= kBookmarks) return;
  TViewerPos& b = bookmarks_[static_cast<size_t>(n)];
  b = b == TViewerPos{line, col} ? TViewerPos{-1, -1} : TViewerPos{line, col};
  Invalidate();
}

void TNvcBaseViewer::GotoBookmark(int n) {
  if (n < 0 || n >= kBookmarks) return;
  const TViewerPos b = bookmarks_[static_cast<size_t>(n)];
  if (b.line >= 0) MoveTo(b.line, b.col, false);
}

// ---- Commands ----

void TNvcBaseViewer::MoveVert(int64_t lines, bool extend) {
  const int64_t target = CheckLine(std::max<int64_t>(caret_.line + lines, 0));
  MoveTo(target, ByteColumn(target, wantedDisplayCol_), extend, true);
}

void TNvcBaseViewer::WordRight(bool extend) {
  const auto span = GetLine(caret_.line);
  const std::vector<uint8_t> bytes(span.begin(), span.end());
  auto i = static_cast<size_t>(caret_.col);
  if (i >= bytes.size()) {
    if (CheckLine(caret_.line + 1) > caret_.line) MoveTo(caret_.line + 1, 0, extend);
    return;
  }
  while (i < bytes.size() && !IsBlank(bytes[i])) ++i;
  while (i < bytes.size() && IsBlank(bytes[i])) ++i;
  MoveTo(caret_.line, static_cast<int32_t>(i), extend);
}

void TNvcBaseViewer::WordLeft(bool extend) {
  if (caret_.col == 0) {
    if (caret_.line > 0) MoveTo(caret_.line - 1, LineLength(caret_.line - 1), extend);
    return;
  }
  const auto span = GetLine(caret_.line);
  const std::vector<uint8_t> bytes(span.begin(), span.end());
  auto i = std::min(static_cast<size_t>(caret_.col), bytes.size());
  while (i > 0 && IsBlank(bytes[i - 1])) --i;
  while (i > 0 && !IsBlank(bytes[i - 1])) --i;
  MoveTo(caret_.line, static_cast<int32_t>(i), extend);
}

bool TNvcBaseViewer::ExecuteCommand(TNvcCommand command) {
  if (command >= ccUser) {
    if (OnUserCommand) OnUserCommand(command);
    return true;
  }
  const int page = std::max(visibleLines_ - 1, 1);
  if (!showCaret_) {
    switch (command) {
      case ccDown:
      case ccScrollDown:
        ScrollBy(0, 1);
        return true;
      case ccUp:
      case ccScrollUp:
        ScrollBy(0, -1);
        return true;
      case ccLeft:
        ScrollBy(-1, 0);
        return true;
      case ccRight:
        ScrollBy(1, 0);
        return true;
      case ccHome:
      case ccFirstPage:
        SetLeftCol(0);
        SetTopLine(0);
        return true;
      case ccEnd:
      case ccLastPage:
        if (HasLines()) SetTopLine(LastLine());
        return true;
      case ccNextPage:
        ScrollBy(0, page);
        return true;
      case ccPrevPage:
        ScrollBy(0, -page);
        return true;
      default:
        return false;
    }
  }
  if (command >= ccGotoMarker0 && command <= ccGotoMarker9) {
    GotoBookmark(command - ccGotoMarker0);
    return true;
  }
  if (command >= ccSetMarker0 && command <= ccSetMarker9) {
    if (HasLines()) SetBookmark(command - ccSetMarker0, caret_.line, caret_.col);
    return true;
  }
  const bool known = command == ccCopy || command == ccScrollUp || command == ccScrollDown;
  if (!HasLines()) {
    switch (command) {
      case ccDown: case ccUp: case ccLeft: case ccRight: case ccHome: case ccEnd: case ccNextPage:
      case ccPrevPage: case ccTopOfPage: case ccBotOfPage: case ccFirstPage: case ccLastPage: case ccWordLeft:
      case ccWordRight: case ccExtendDown: case ccExtendUp: case ccExtendLeft: case ccExtendRight:
      case ccExtendHome: case ccExtendEnd: case ccExtendPgDn: case ccExtendPgUp: case ccExtTopOfPage:
      case ccExtBotOfPage: case ccExtFirstPage: case ccExtLastPage: case ccExtWordLeft: case ccExtWordRight:
        return true;
      default:
        return known;
    }
  }
  const TViewerPos c = caret_;
  switch (command) {
    case ccDown:
    case ccExtendDown:
      MoveVert(1, command == ccExtendDown);
      return true;
    case ccUp:
    case ccExtendUp:
      MoveVert(-1, command == ccExtendUp);
      return true;
    case ccLeft:
    case ccExtendLeft:
      if (c.col > 0) {
        MoveTo(c.line, c.col - 1, command == ccExtendLeft);
      } else if (c.line > 0) {
        MoveTo(c.line - 1, LineLength(c.line - 1), command == ccExtendLeft);
      }
      return true;
    case ccRight:
    case ccExtendRight:
      if (c.col < LineLength(c.line)) {
        MoveTo(c.line, c.col + 1, command == ccExtendRight);
      } else if (CheckLine(c.line + 1) > c.line) {
        MoveTo(c.line + 1, 0, command == ccExtendRight);
      }
      return true;
    case ccHome:
    case ccExtendHome:
      MoveTo(c.line, 0, command == ccExtendHome);
      return true;
    case ccEnd:
    case ccExtendEnd:
      MoveTo(c.line, LineLength(c.line), command == ccExtendEnd);
      return true;
    case ccNextPage:
    case ccExtendPgDn:
      SetTopLine(top_ + page);
      MoveVert(page, command == ccExtendPgDn);
      return true;
    case ccPrevPage:
    case ccExtendPgUp:
      SetTopLine(top_ - page);
      MoveVert(-page, command == ccExtendPgUp);
      return true;
    case ccTopOfPage:
    case ccExtTopOfPage:
      MoveVert(top_ - c.line, command == ccExtTopOfPage);
      return true;
    case ccBotOfPage:
    case ccExtBotOfPage:
      MoveVert(CheckLine(top_ + visibleLines_ - 1) - c.line, command == ccExtBotOfPage);
      return true;
    case ccFirstPage:
    case ccExtFirstPage:
      MoveTo(0, 0, command == ccExtFirstPage);
      return true;
    case ccLastPage:
    case ccExtLastPage: {
      const int64_t last = LastLine();
      MoveTo(last, LineLength(last), command == ccExtLastPage);
      return true;
    }
    case ccWordLeft:
    case ccExtWordLeft:
      WordLeft(command == ccExtWordLeft);
      return true;
    case ccWordRight:
    case ccExtWordRight:
      WordRight(command == ccExtWordRight);
      return true;
    case ccScrollUp:
      ScrollBy(0, -1);
      return true;
    case ccScrollDown:
      ScrollBy(0, 1);
      return true;
    case ccCopy:
      CopyToClipboard();
      return true;
    default:
      return false;
  }
}

// ---- Mouse ----

TViewerPos TNvcBaseViewer::MouseToLineCol(int x, int y) {
  int64_t line = y < 0 ? top_ - 1 : y >= visibleLines_ * lineHeight_ ? top_ + visibleLines_ : top_ + y / lineHeight_;
  line = HasLines() ? CheckLine(std::max<int64_t>(line, 0)) : 0;
  int32_t display = 0;
  if (x < kMarginWidth) {
    display = std::max(left_ - 1, 0);
  } else if (x >= kMarginWidth + visibleCols_ * charWidth_) {
    display = left_ + visibleCols_;
  } else {
    display = left_ + (x - kMarginWidth) / charWidth_;
  }
  return {line, ByteColumn(line, display)};
}

void TNvcBaseViewer::SelectLines(int64_t from, int64_t to) {
  const int64_t a = std::min(from, to);
  const int64_t b = std::max(from, to);
  const TViewerPos end = CheckLine(b + 1) > b ? TViewerPos{b + 1, 0} : TViewerPos{b, LineLength(b)};
  SetSelection({a, 0}, end, to >= from);
}

void TNvcBaseViewer::MouseDown(int x, int y, bool shift) {
  if (!HasLines()) return;
  dragging_ = true;
  dragInMargin_ = OverMargin(x);
  const TViewerPos p = MouseToLineCol(x, y);
  if (dragInMargin_) {
    dragFirstLine_ = shift ? caret_.line : p.line;
    SelectLines(dragFirstLine_, p.line);
  } else {
    MoveTo(p.line, p.col, shift);
  }
}

void TNvcBaseViewer::MouseDrag(int x, int y) {
  if (!dragging_ || !HasLines()) return;
  const TViewerPos p = MouseToLineCol(x, y);
  if (dragInMargin_) {
    SelectLines(dragFirstLine_, p.line);
  } else {
    MoveTo(p.line, p.col, true);
  }
}

void TNvcBaseViewer::DoubleClick(int x, int y) {
  if (!HasLines() || OverMargin(x)) return;
  const TViewerPos p = MouseToLineCol(x, y);
  const auto span = GetLine(p.line);
  const std::vector<uint8_t> bytes(span.begin(), span.end());
  auto from = static_cast<size_t>(p.col);
  if (from >= bytes.size() || IsBlank(bytes[from])) return;
  size_t to = from;
  while (from > 0 && !IsBlank(bytes[from - 1])) --from;
  while (to < bytes.size() && !IsBlank(bytes[to])) ++to;
  SetSelection({p.line, static_cast<int32_t>(from)}, {p.line, static_cast<int32_t>(to)}, true);
}

// ---- Painting and copying ----

TViewerRow TNvcBaseViewer::PlanRow(int row) {
  TViewerRow r;
  r.Line = top_ + row;
  if (!HasLines() || r.Line >= LineCount() || CheckLine(r.Line) != r.Line) return r;
  r.Exists = true;
  const std::vector<uint8_t> cells = GetPrintableLine(r.Line);
  const auto first = std::min(cells.size(), static_cast<size_t>(left_));
  const auto last = std::min(cells.size(), first + static_cast<size_t>(visibleCols_) + 1);
  r.Cells.assign(cells.begin() + static_cast<ptrdiff_t>(first), cells.begin() + static_cast<ptrdiff_t>(last));
  if (HasSelection() && r.Line >= selStart_.line && r.Line <= selEnd_.line) {
    const int32_t from = r.Line == selStart_.line ? DisplayColumn(r.Line, selStart_.col) : 0;
    // A selection that goes on past the line shows its break as one cell.
    const int32_t to = r.Line == selEnd_.line ? DisplayColumn(r.Line, selEnd_.col)
                                              : static_cast<int32_t>(cells.size()) + 1;
    r.SelFrom = std::max(from - left_, 0);
    r.SelTo = std::max(to - left_, 0);
  }
  for (int n = 0; n < kBookmarks; ++n) {
    if (bookmarks_[static_cast<size_t>(n)].line == r.Line) {
      r.Bookmark = n;
      break;
    }
  }
  return r;
}

std::vector<uint8_t> TNvcBaseViewer::SelectedText() {
  std::vector<uint8_t> text;
  if (!HasSelection()) return text;
  for (int64_t line = selStart_.line; line <= selEnd_.line; ++line) {
    const auto bytes = GetLine(line);
    const auto from = line == selStart_.line ? std::min(static_cast<size_t>(selStart_.col), bytes.size()) : 0;
    const auto to = line == selEnd_.line ? std::min(static_cast<size_t>(selEnd_.col), bytes.size()) : bytes.size();
    if (to > from) text.insert(text.end(), bytes.begin() + static_cast<ptrdiff_t>(from),
                               bytes.begin() + static_cast<ptrdiff_t>(to));
    if (line < selEnd_.line) {
      text.push_back(13);
      text.push_back(10);
    }
    if (text.size() >= kMaxCopy) throw ERegionTooLarge();
  }
  return text;
}

void TNvcBaseViewer::CopyToClipboard() {
  const std::vector<uint8_t> bytes = SelectedText();
  if (!bytes.empty() && OnCopy) OnCopy(bytes);
}

}  // namespace nuvel
