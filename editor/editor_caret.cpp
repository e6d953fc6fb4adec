// The caret movement routine, the selection, caret placement, scrolling and
// the scroll bars of the editor's view model.
#include <algorithm>

#include "editor/custom_editor.h"

namespace nuvel {

void TNvcCustomEditor::MoveCaret(int32_t colDelta, int32_t lineDelta, bool keepByteCol, bool extend,
                                 bool keepRow) {
  const int32_t oldLine = caretLine_;
  int32_t row = 0;
  if (CaretOnScreen()) {
    row = caretLine_ - topLine_;
  } else {
    keepRow = false;
  }
  const int32_t lineCount = LineCount();
  int32_t line = caretLine_ + lineDelta;
  if (line < 1) line = lineDelta < 0 ? 1 : lineCount;
  if (line > lineCount) {
    line = lineCount;
    if (line == caretLine_) return;
  }

  int32_t col = caretCol_;
  if (line != caretLine_ && !keepByteCol) col = PosOfColumn(line, ColumnOfPos(caretLine_, caretCol_));

  const auto text = LineText(line);
  const auto length = static_cast<int32_t>(text.size());
  int32_t largest = length + 1;
  if (scrollPastEnd_) {
    const auto limit = static_cast<int32_t>(ParaLengthLimit());
    largest = limit + 1;
    if (ColumnOfPos(line, length + 1) - 1 > limit) largest = PosOfColumn(line, limit) + 1;
  }
  col = std::clamp(col + colDelta, 1, std::max(largest, 1));

  uint32_t offset = 0;
  const auto para = static_cast<int32_t>(list_->LineToPara(static_cast<uint32_t>(line), offset));
  caretLine_ = line;
  caretCol_ = col;
  caretPara_ = std::max(para, 1);
  caretLineOffset_ = static_cast<int32_t>(offset);

  if (extend) {
    ExtendSelection();
  } else {
    CollapseSelection();
  }

  const int32_t screenCol = CaretScreenCol();
  const bool colInside = screenCol >= horzOffset_ + 1 && screenCol <= horzOffset_ + visibleColumns_;
  if (!keepRow && CaretOnScreen() && colInside) {
    PositionCaret(screenCol);
    return;
  }

  int32_t top = topLine_;
  if (keepRow) {
    top = caretLine_ - row;
  } else if (caretLine_ < top) {
    top = caretLine_;
  } else if (caretLine_ > top + visibleRows_ - 1) {
    top = caretLine_ - (visibleRows_ - 1);
  }
  top = std::max({top, 1, caretLine_ - (visibleRows_ - 1)});

  int32_t offsetCols = horzOffset_;
  if (screenCol < horzOffset_ + 1) {
    offsetCols = screenCol <= 2 ? 0 : screenCol - 1;
  } else if (screenCol > horzOffset_ + visibleColumns_) {
    offsetCols = screenCol - visibleColumns_;
  }
  int32_t cols = offsetCols - horzOffset_;
  // Moving down to a new line scrolls fully left, as long as the caret
  // stays in view there.
  if (cols != 0 && caretLine_ > oldLine && screenCol <= visibleColumns_) cols = -horzOffset_;
  ScrollBy(cols, top - topLine_);
}

void TNvcCustomEditor::MoveCaretTo(int32_t line, int32_t col, bool extend) {
  MoveCaret(col - caretCol_, line - caretLine_, true, extend, false);
}

void TNvcCustomEditor::MoveCaretToPara(int32_t para, int32_t pos, bool extend) {
  para = std::clamp(para, 1, ParaCount());
  uint32_t col = 0;
  const auto line =
      static_cast<int32_t>(list_->LineOf(static_cast<uint32_t>(para), static_cast<uint32_t>(std::max(pos, 1)), col));
  MoveCaretTo(line, static_cast<int32_t>(col), extend);
}

// ---- Selection ----

void TNvcCustomEditor::CollapseSelection() {
  const bool had = HasSelection();
  const int32_t oldFirst = selBegin_.Line;
  const int32_t oldLast = selEnd_.Line;
  const int32_t length = static_cast<int32_t>(list_->ParaLength(static_cast<uint32_t>(caretPara_)));
  const int32_t pos = std::min(CaretPos(), length + 1);
  selBegin_.Para = caretPara_;
  selBegin_.Pos = pos;
  FillLineCol(selBegin_);
  selEnd_ = selBegin_;
  selMoving_ = {static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(pos)};
  if (had) InvalidateLineRange(oldFirst, oldLast);
}

void TNvcCustomEditor::ExtendSelection() {
  const int32_t length = static_cast<int32_t>(list_->ParaLength(static_cast<uint32_t>(caretPara_)));
  TEditorPosition p;
  p.Para = caretPara_;
  p.Pos = std::min(CaretPos(), length + 1);
  FillLineCol(p);
  const TEditorPosition oldBegin = selBegin_;
  const TEditorPosition oldEnd = selEnd_;
  const TParaPos moving{static_cast<uint32_t>(selMoving_.Para), static_cast<uint32_t>(selMoving_.Pos)};
  const bool movingBegin = moving.Para == static_cast<uint32_t>(selBegin_.Para) &&
                           moving.Pos == static_cast<uint32_t>(selBegin_.Pos);
  if (movingBegin) {
    selBegin_ = p;
  } else {
    selEnd_ = p;
  }
  if (selEnd_ < selBegin_) std::swap(selBegin_, selEnd_);
  selMoving_ = {static_cast<uint32_t>(p.Para), static_cast<uint32_t>(p.Pos)};
  // Repaint the lines between the old and the new ends.
  if (!(oldBegin == selBegin_)) {
    InvalidateLineRange(std::min(oldBegin.Line, selBegin_.Line), std::max(oldBegin.Line, selBegin_.Line));
  }
  if (!(oldEnd == selEnd_)) {
    InvalidateLineRange(std::min(oldEnd.Line, selEnd_.Line), std::max(oldEnd.Line, selEnd_.Line));
  }
}

// ---- Repaints ----

void TNvcCustomEditor::InvalidateLineRange(int32_t first, int32_t last) {
  const int32_t bottom = topLine_ + visibleRows_;  // one partly shown row below the last whole one
  first = std::max(first, topLine_);
  last = std::min(last, bottom);
  if (first > last) return;
  host_->InvalidateRows(first - topLine_, last - topLine_);
}

void TNvcCustomEditor::InvalidateChangedLines() {
  const uint32_t last = list_->LastChangedLine();
  if (last == TNvcParaList::kToTheEnd) {
    host_->InvalidateAll();
    return;
  }
  InvalidateLineRange(static_cast<int32_t>(list_->FirstChangedLine()), static_cast<int32_t>(last));
}

// ---- Caret placement ----

void TNvcCustomEditor::PositionCaret(int32_t screenCol) {
  caretLine_ = std::min(caretLine_, LineCount());
  if (screenCol == 0) screenCol = CaretScreenCol();
  int32_t x = 32767;
  int32_t y = 32767;
  if (CaretOnScreen() && screenCol >= horzOffset_ + 1 && screenCol <= horzOffset_ + visibleColumns_) {
    x = (screenCol - horzOffset_ - 1) * charWidth_ + leftMargin_;
    y = (caretLine_ - topLine_) * lineHeight_;
  }
  if (host_->HasFocus() && !host_->CaretIsThin() && x != 32767) x += 1;
  host_->MoveCaret(x == 32767 ? x : x - 1, y);
  host_->PostShowStatus(screenCol, caretLine_);
}

// ---- Scrolling ----

void TNvcCustomEditor::ScrollBy(int32_t cols, int32_t rows) {
  int32_t offset = horzOffset_;
  if (cols < 0 && -cols > offset) {
    offset = 0;
  } else {
    offset += cols;
  }
  int32_t top = topLine_ + rows;
  if (top < 1) top = 1;
  const int32_t lastTop = LineCount() - (visibleRows_ - 1);
  if (top > lastTop) top = std::max(lastTop, 1);
  if (offset == horzOffset_ && top == topLine_) {
    PositionCaret(0);
    return;
  }
  const bool topChanged = top != topLine_;
  if (topChanged) {
    uint32_t lineOffset = 0;
    topPara_ = static_cast<int32_t>(list_->LineToPara(static_cast<uint32_t>(top), lineOffset));
    topOffset_ = static_cast<int32_t>(lineOffset);
  }
  if (offset != horzOffset_) {
    horzOffset_ = offset;
    UpdateHorzBar();
  }
  host_->InvalidateAll();
  if (topChanged) {
    ChangeTopLine(top);
    UpdateVertBar();
  }
  host_->UpdateWindow();
  PositionCaret(0);
}

TEditorScrollBar TNvcCustomEditor::VertScrollBarState() const {
  TEditorScrollBar bar;
  if (!hasVertBar_) return bar;
  const int32_t lastTop = std::max(LineCount() - (visibleRows_ - 1), 1);
  bar.Visible = lastTop > 1 || scrollBarsAlways_;
  bar.Max = (lastTop - 1) / scrollScale_;
  if (scrollBarsAlways_) bar.Max = std::max(bar.Max, 1);
  bar.Page = std::max(visibleRows_ / scrollScale_, 1);
  bar.Pos = std::min((topLine_ - 1) / scrollScale_, bar.Max);
  return bar;
}

TEditorScrollBar TNvcCustomEditor::HorzScrollBarState() const {
  TEditorScrollBar bar;
  if (!hasHorzBar_) return bar;
  int32_t extent = MaxHorzOffset();
  if (scrollBarsAlways_) extent = std::max(extent, 1);
  bar.Visible = extent > visibleColumns_ || scrollBarsAlways_;
  if (!bar.Visible) return bar;
  bar.Max = extent;
  bar.Page = std::max(visibleColumns_ - 1, 1);
  bar.Pos = std::min(horzOffset_, extent);
  return bar;
}

void TNvcCustomEditor::UpdateVertBar() {
  const int32_t range = LineCount() - visibleRows_ + 1;
  scrollScale_ = range <= 32767 ? 1 : 2 * (range / 32768);
  host_->SetVertScrollBar(VertScrollBarState());
}

void TNvcCustomEditor::UpdateHorzBar() {
  // Without the bar the window hides it.
  host_->SetHorzScrollBar(HorzScrollBarState());
}

void TNvcCustomEditor::VertScrollTo(int32_t pos) {
  const TEditorScrollBar bar = VertScrollBarState();
  const int32_t lastTop = std::max(LineCount() - (visibleRows_ - 1), 1);
  if (pos <= 0) {
    SetTopLine(1);
  } else if (pos >= bar.Max) {
    SetTopLine(lastTop);
  } else {
    SetTopLine(pos * scrollScale_ + 1);
  }
}

void TNvcCustomEditor::HorzScrollTo(int32_t pos) {
  pos = std::max(pos, 0);
  if (pos == horzOffset_) return;
  horzOffset_ = pos;
  host_->InvalidateAll();
  host_->UpdateWindow();
  PositionCaret(0);
}

// ---- Metrics ----

void TNvcCustomEditor::UpdateMetrics() {
  const TEditorFontMetrics m = host_->MeasureFont();
  charWidth_ = std::max(m.CharWidth, 1);
  lineHeight_ = std::max(m.LineHeight, 1);
  // Showing or hiding a scroll bar changes the client area, which can show
  // or hide a bar again; a few rounds settle it, and a window whose bars
  // keep flipping stops after the last.
  for (int round = 0; round < 4; ++round) {
    const int32_t cols = std::max((host_->ClientWidth() - leftMargin_ - rightMargin_) / charWidth_, 1);
    const int32_t rows = std::max(host_->ClientHeight() / lineHeight_, 1);
    if (cols == visibleColumns_ && rows == visibleRows_) break;
    if (cols != visibleColumns_) {
      visibleColumns_ = cols;
      if (MaxHorzOffset() <= cols && !scrollBarsAlways_) horzOffset_ = 0;
      UpdateHorzBar();
    }
    if (rows != visibleRows_) {
      visibleRows_ = rows;
      UpdateVertBar();
    }
  }
  host_->InvalidateAll();
}

void TNvcCustomEditor::Resized() {
  const bool didNotFit = LineCount() > visibleRows_;
  UpdateMetrics();
  ApplyWrapToWindow();
  if (didNotFit && LineCount() <= visibleRows_) SetTopLine(1);
  // The caret's place depends on the window's size (a right-to-left line
  // starts at its right edge): it moves with the window, so that a document
  // window that grows to its size after the caret was placed shows it where
  // the status bar says.
  if (host_->HasWindow()) PositionCaret(0);
}

void TNvcCustomEditor::FontChanged() {
  if (!host_->HasWindow()) return;
  UpdateMetrics();
  ApplyWrapToWindow();
  if (host_->HasFocus()) PositionCaret(0);
}

void TNvcCustomEditor::FocusEntered(bool sharedInsertMode) {
  SetInsertMode(sharedInsertMode);
  PositionCaret(0);
  if (hideSelection_) host_->InvalidateAll();
}

bool TNvcCustomEditor::FocusLeft() {
  if (hideSelection_) host_->InvalidateAll();
  return insertMode_;
}

}  // namespace nuvel
