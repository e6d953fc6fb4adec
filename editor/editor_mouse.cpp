// The editor's mouse: mapping a point to (line, column), drag selection in
// the text and by whole lines in the left margin, double clicks and the
// wheel. The window feeds the events; a drag outside the window is driven
// by the window's timer at DragPassInterval.
#include <algorithm>

#include "editor/custom_editor.h"

namespace nuvel {

void TNvcCustomEditor::MouseToLineCol(int32_t x, int32_t y, int32_t& line, int32_t& col) {
  const int32_t height = host_->ClientHeight();
  if (y < 0) {
    line = topLine_ - 1;
  } else if (y < height) {
    line = topLine_ + y / lineHeight_;
    if (y > visibleRows_ * lineHeight_) --line;
  } else {
    line = topLine_ + visibleRows_;
  }
  line = std::clamp(line, 1, LineCount());
  int32_t screenCol = (x - leftMargin_ + charWidth_ / 2) / charWidth_ + 1 + horzOffset_;
  if (x >= visibleColumns_ * charWidth_ + leftMargin_ - charWidth_ / 2 && x < host_->ClientWidth()) {
    screenCol = visibleColumns_ + horzOffset_;
  }
  col = screenCol >= 1 ? PosOfColumn(line, screenCol) : 1;
  if (!scrollPastEnd_) col = std::min(col, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(line))) + 1);
  col = std::max(col, 1);
}

bool TNvcCustomEditor::MouseOverMargin(int32_t x) {
  mouseInMargin_ = x <= leftMargin_;
  return mouseInMargin_;
}

bool TNvcCustomEditor::MouseDown(int32_t x, int32_t y, bool shift) {
  if (TextLength() == 0) return false;
  MouseOverMargin(x);
  mouseCaptured_ = true;
  dragPasses_ = 0;
  dragShift_ = shift;
  MouseDragPass(x, y);
  return true;
}

void TNvcCustomEditor::MouseDragPass(int32_t x, int32_t y) {
  if (!mouseCaptured_) return;
  int32_t line = 0;
  int32_t col = 0;
  MouseToLineCol(x, y, line, col);
  if (!mouseInMargin_ && dragPasses_ > 0 && line == dragLine_ && col == dragCol_) return;
  dragLine_ = line;
  dragCol_ = col;
  if (mouseInMargin_) {
    MarginSelect(line, dragPasses_ == 0);
  } else {
    MoveCaretTo(line, col, dragShift_ || dragPasses_ > 0);
    host_->UpdateWindow();
  }
  ++dragPasses_;
}

void TNvcCustomEditor::MarginSelect(int32_t line, bool first) {
  if (first) {
    marginAnchor_ = line;
    if (dragShift_ && HasSelection()) {
      const bool movingBegin = selMoving_.Para == static_cast<uint32_t>(selBegin_.Para) &&
                               selMoving_.Pos == static_cast<uint32_t>(selBegin_.Pos);
      marginAnchor_ = movingBegin ? selEnd_.Line : selBegin_.Line;
    }
  }
  const int32_t last = LineCount();
  auto lineEnd = [&](int32_t l, int32_t& endLine, int32_t& endCol) {
    if (l < last) {
      endLine = l + 1;
      endCol = 1;
    } else {
      endLine = l;
      endCol = static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(l))) + 1;
    }
  };
  BeginUpdate();
  int32_t endLine = 0;
  int32_t endCol = 0;
  if (line >= marginAnchor_) {
    lineEnd(line, endLine, endCol);
    MoveCaretTo(marginAnchor_, 1, false);
    MoveCaretTo(endLine, endCol, true);
  } else {
    lineEnd(marginAnchor_, endLine, endCol);
    MoveCaretTo(endLine, endCol, false);
    MoveCaretTo(line, 1, true);
  }
  EndUpdate();
}

int32_t TNvcCustomEditor::DragPassInterval(int32_t y, int32_t arrowHeight) const {
  const int32_t height = host_->ClientHeight();
  int32_t distance = 0;
  if (y < 0) {
    distance = -y;
  } else if (y >= height) {
    distance = y - height + 1;
  } else {
    return 0;
  }
  return std::max(3 * arrowHeight - distance, 0);
}

void TNvcCustomEditor::MouseUp() { mouseCaptured_ = false; }

void TNvcCustomEditor::MouseDoubleClick(int32_t x, int32_t y, bool shift) {
  int32_t line = 0;
  int32_t col = 0;
  MouseToLineCol(x, y, line, col);
  if (mouseInMargin_) {
    SelectParaAt(line, shift);
  } else {
    SelectWordAt(line, col, shift);
  }
}

void TNvcCustomEditor::SelectParaAt(int32_t line, bool shift) {
  uint32_t offset = 0;
  const auto para = static_cast<int32_t>(list_->LineToPara(static_cast<uint32_t>(line), offset));
  if (para < 1) return;
  const int32_t end = ParaLength(para) + 1;
  const bool inPara = selBegin_.Para == para && selEnd_.Para == para;
  if (!shift || !HasSelection() || inPara) {
    SelectRange(para, 1, para, end, true);
  } else if (para <= selBegin_.Para) {
    SelectRange(para, 1, selEnd_.Para, selEnd_.Pos, false);
  } else {
    SelectRange(selBegin_.Para, selBegin_.Pos, para, end, true);
  }
}

void TNvcCustomEditor::SelectWordAt(int32_t line, int32_t col, bool shift) {
  uint32_t offset = 0;
  const auto para = static_cast<int32_t>(list_->LineToPara(static_cast<uint32_t>(line), offset));
  if (para < 1) return;
  const auto text = GetPara(para);
  const auto length = static_cast<int64_t>(text.size());
  int64_t start = 0;
  int64_t end = 0;
  if (length > 0) {
    int64_t k = std::min<int64_t>(static_cast<int64_t>(offset) + col - 1, length - 1);
    while (k >= 0 && IsDelimiter(text[static_cast<size_t>(k)])) --k;
    while (k >= 0 && !IsDelimiter(text[static_cast<size_t>(k)])) --k;
    start = k + 1;
    end = start;
    while (end < length && !IsDelimiter(text[static_cast<size_t>(end)])) ++end;
    while (end < length && text[static_cast<size_t>(end)] == 32) ++end;
  }
  const auto wordStart = static_cast<int32_t>(start) + 1;
  const auto wordEnd = static_cast<int32_t>(end) + 1;
  if (!shift) {
    SelectRange(para, wordStart, para, wordEnd, true);
    return;
  }
  TEditorPosition w;
  w.Para = para;
  w.Pos = wordStart;
  if (w < selBegin_) {
    SelectRange(para, wordStart, selEnd_.Para, selEnd_.Pos, false);
  } else {
    SelectRange(selBegin_.Para, selBegin_.Pos, para, wordEnd, true);
  }
}

void TNvcCustomEditor::MouseWheel(const platform::TShiftState& shift, int32_t delta, int32_t x, int32_t y) {
  wheelSum_ += delta;
  while (wheelSum_ >= 120) {
    wheelSum_ -= 120;
    DoMouseWheel(shift, 120, x, y);
  }
  while (wheelSum_ <= -120) {
    wheelSum_ += 120;
    DoMouseWheel(shift, -120, x, y);
  }
}

void TNvcCustomEditor::DoMouseWheel(const platform::TShiftState& shift, int32_t delta, int32_t x, int32_t y) {
  if (OnMouseWheel) OnMouseWheel(*this, shift, delta, x, y);
  DoCommand(delta < 0 ? ccScrollDown : ccScrollUp, 0);
}

}  // namespace nuvel
