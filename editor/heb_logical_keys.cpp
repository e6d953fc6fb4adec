// The keys that change text, defined by the paragraph in reading order: a
// typed character, Backspace, Delete and Enter turn the caret's paragraph
// to logical order, act at the logical caret and turn it back, replacing
// only the stretch that changed. So a word typed against the document's
// direction, a number typed with the Hebrew layer and the blank between
// them are saved as they were typed. Cursor keys, the mouse and selections
// keep to the cells as the screen shows them.
#include <algorithm>
#include <optional>

#include "core/nikud.h"
#include "editor/heb_text_file_editor.h"

namespace nuvel {

uint16_t THebTextFILEEditor::ApplyStoredChange(int32_t para, const StoredChange& change) {
  if (change.None()) return kEditorOk;
  TNvcParaList& list = ParaList();
  const auto p = static_cast<uint32_t>(para);
  const auto pos = static_cast<uint32_t>(change.from + 1);
  if (change.count == 0) return list.InsertText(this, p, change.bytes, pos);
  if (change.bytes.empty()) {
    list.DeleteText(this, p, pos, static_cast<uint32_t>(change.count));
    return kEditorOk;
  }
  return list.ReplaceText(this, p, change.bytes, static_cast<uint32_t>(change.count), pos);
}

bool THebTextFILEEditor::TypingCaretHolds() const {
  if (!typing_ || typing_->Para != CaretPara() || typing_->Pos != CaretPos() || typing_->English != engm_ ||
      HasSelection()) {
    return false;
  }
  const auto stored = GetPara(CaretPara());
  return std::equal(stored.begin(), stored.end(), typing_->Stored.begin(), typing_->Stored.end());
}

std::size_t THebTextFILEEditor::LogicalCaret(uint8_t typed) const {
  if (TypingCaretHolds()) return typing_->Logical;
  const LogicalLine line(engm_, GetPara(CaretPara()));
  return line.CaretFor(static_cast<std::size_t>(std::max(CaretPos() - 1, 0)), typed);
}

void THebTextFILEEditor::PlaceLogicalCaret(int32_t para, std::size_t at, uint8_t probe) {
  const LogicalLine line(engm_, GetPara(para));
  const std::size_t cell = line.StoredCaret(at, probe);
  MoveCaretToPara(para, static_cast<int32_t>(cell) + 1, false);
  typing_ = TypingCaret{para, CaretPos(), engm_, std::min(at, line.size()), line.Stored()};
}

// ---- A typed character ----

void THebTextFILEEditor::InsertChar(uint8_t ch) {
  const uint8_t byte[1] = {ch};
  TNvcParaList& list = ParaList();
  uint16_t rc = kEditorOk;
  const int32_t linesBefore = LineCount();
  const int32_t lineBefore = CaretLine();
  std::size_t caret = 0;
  {
    const bool hadSelection = HasSelection();
    std::optional<TUndoGroup> group;
    if (hadSelection) {
      group.emplace(list.UndoBuffer());
      rc = CheckReplaceLimits(byte);
      if (rc == kEditorOk) DeleteAtCaret();
    }
    if (rc == kEditorOk) {
      const std::size_t at = LogicalCaret(ch);
      LogicalLine line(engm_, GetPara(CaretPara()));
      std::size_t from = at;
      std::size_t count = 0;
      if (!hadSelection && ReplacesPreviousPoint(line.Text(), static_cast<int32_t>(at) + 1, ch)) {
        // A vowel point typed after a vowel point takes its place.
        from = at - 1;
        count = 1;
      } else if (!hadSelection && !InsertMode() && at < line.size()) {
        count = 1;
      }
      if (count == 0) rc = list.CheckLimits(static_cast<uint32_t>(CaretPara()), 0, 1);
      if (rc == kEditorOk) rc = ApplyStoredChange(CaretPara(), line.Replace(from, count, byte));
      caret = from + 1;
    }
  }
  if (rc != kEditorOk) {
    DoOnError(rc);
    return;
  }
  InvalidateChangedLines();
  if (LineCount() != linesBefore) UpdateVertBar();
  PlaceLogicalCaret(CaretPara(), caret, ch);
  if (CaretLine() > lineBefore) ScrollBy(-HorzOffset(), 0);
  Host().UpdateWindow();
}

// ---- Backspace, Delete and Enter ----

bool THebTextFILEEditor::DoLogicalCommand(TNvcCommand command) {
  // Past the end of a line (ScrollPastEnd) the keys act on the cells.
  if (CaretPos() > ParaLength(CaretPara()) + 1) return false;
  switch (command) {
    case ccBack: LogicalBackspace(); return true;
    case ccDel: LogicalDelete(); return true;
    default: return false;
  }
}

void THebTextFILEEditor::LogicalBackspace() {
  const int32_t para = CaretPara();
  LogicalLine line(engm_, GetPara(para));
  std::size_t at = 0;
  if (TypingCaretHolds()) {
    at = typing_->Logical;
  } else if (CaretPos() > 1) {
    // The byte in the cell before the caret goes.
    at = line.LogicalOf(static_cast<std::size_t>(CaretPos() - 2)) + 1;
  }
  if (at == 0) {
    if (para > 1) JoinLogical(para - 1);
    return;
  }
  const uint16_t rc = ApplyStoredChange(para, line.Replace(at - 1, 1, {}));
  InvalidateChangedLines();
  PlaceLogicalCaret(para, at - 1, 0);
  Host().UpdateWindow();
  DoOnError(rc);
}

void THebTextFILEEditor::LogicalDelete() {
  const int32_t para = CaretPara();
  LogicalLine line(engm_, GetPara(para));
  const auto cell = static_cast<std::size_t>(CaretPos() - 1);
  std::size_t at = line.size();
  if (TypingCaretHolds()) {
    at = typing_->Logical;
  } else if (cell < line.size()) {
    // The byte in the caret's cell goes.
    at = line.LogicalOf(cell);
  }
  if (at >= line.size()) {
    if (para < ParaCount()) JoinLogical(para);
    return;
  }
  const uint16_t rc = ApplyStoredChange(para, line.Replace(at, 1, {}));
  InvalidateChangedLines();
  PlaceLogicalCaret(para, at, 0);
  Host().UpdateWindow();
  DoOnError(rc);
}

void THebTextFILEEditor::JoinLogical(int32_t para) {
  const LogicalLine first(engm_, GetPara(para));
  const LogicalLine second(engm_, GetPara(para + 1));
  std::vector<uint8_t> joined = first.Text();
  joined.insert(joined.end(), second.Text().begin(), second.Text().end());
  const int32_t parasBefore = ParaCount();
  {
    TUndoGroup group(ParaList().UndoBuffer());
    // The paragraph list joins the stored bytes; the joined paragraph is
    // then the turn of the two texts one after the other.
    MoveCaretToPara(para, static_cast<int32_t>(first.size()) + 1, false);
    DeleteAtCaret();
    if (ParaCount() == parasBefore) return;  // refused and reported
    const LogicalLine whole = LogicalLine::OfLogical(engm_, joined);
    const uint16_t rc = ApplyStoredChange(para, ChangeBetween(GetPara(para), whole.Stored()));
    DoOnError(rc);
  }
  InvalidateChangedLines();
  PlaceLogicalCaret(para, first.size(), 0);
  Host().UpdateWindow();
}

void THebTextFILEEditor::NewLine(bool split, bool moveDown) {
  // Past the end of a line (ScrollPastEnd) Enter splits at the cells.
  if (!split || !moveDown || HasSelection() || ReadOnly() || CaretPos() > ParaLength(CaretPara()) + 1) {
    TNvcTextFileEditor::NewLine(split, moveDown);
    typing_.reset();
    return;
  }
  const int32_t para = CaretPara();
  LogicalLine line(engm_, GetPara(para));
  const std::size_t at = std::min(LogicalCaret(0), line.size());
  const std::span<const uint8_t> text(line.Text());
  const LogicalLine head = LogicalLine::OfLogical(engm_, text.first(at));
  const LogicalLine tail = LogicalLine::OfLogical(engm_, text.subspan(at));
  std::vector<uint8_t> stored = head.Stored();
  stored.insert(stored.end(), tail.Stored().begin(), tail.Stored().end());
  {
    TUndoGroup group(ParaList().UndoBuffer());
    // The stored bytes become the two halves' turns side by side, and the
    // paragraph is split between them as Enter splits it.
    if (const uint16_t rc = ApplyStoredChange(para, ChangeBetween(GetPara(para), stored))) {
      DoOnError(rc);
      return;
    }
    MoveCaretToPara(para, static_cast<int32_t>(head.size()) + 1, false);
    TNvcTextFileEditor::NewLine(true, true);
  }
  typing_.reset();
}

}  // namespace nuvel
