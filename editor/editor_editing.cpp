// The editor's editing operations: typing, insertion at the caret, the
// deletions, Enter, Tab, undo and redo.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "editor/custom_editor.h"
#include "editor/wrap_routines.h"

namespace nuvel {

namespace {
// A text cut into lines as the paragraph list inserts it: after each line
// feed, trailing CR and LF removed; `endsLine` says whether a piece had any.
struct TPiece {
  std::span<const uint8_t> Bytes;
  bool EndsLine = false;
};

std::vector<TPiece> CutLines(std::span<const uint8_t> text) {
  std::vector<TPiece> pieces;
  while (!text.empty()) {
    const size_t end = FindLineEnd(text);
    auto piece = text.first(end);
    bool ends = false;
    while (!piece.empty() && (piece.back() == 10 || piece.back() == 13)) {
      piece = piece.first(piece.size() - 1);
      ends = true;
    }
    pieces.push_back({piece, ends});
    text = text.subspan(end);
  }
  return pieces;
}

constexpr size_t kInsertPiece = 61440;
constexpr size_t kInsertPieceMax = 65520;
}  // namespace

// ---- Limits of a replacement ----

uint16_t TNvcCustomEditor::CheckReplaceLimits(std::span<const uint8_t> text) const {
  TEditorPosition from = selBegin_;
  TEditorPosition to = selEnd_;
  if (!HasSelection()) {
    from.Para = to.Para = caretPara_;
    from.Pos = to.Pos = CaretPos();
  }
  const auto firstLength = static_cast<int64_t>(list_->ParaLength(static_cast<uint32_t>(from.Para)));
  const auto lastLength = static_cast<int64_t>(list_->ParaLength(static_cast<uint32_t>(to.Para)));
  // Bytes the replacement removes: the selected bytes and their line ends.
  int64_t removed = 0;
  if (from.Para == to.Para) {
    removed = std::max<int64_t>(0, std::min<int64_t>(to.Pos - 1, firstLength) - std::min<int64_t>(from.Pos - 1, firstLength));
  } else {
    removed = firstLength - std::min<int64_t>(from.Pos - 1, firstLength) + 2;
    for (int32_t p = from.Para + 1; p < to.Para; ++p) removed += list_->ParaLength(static_cast<uint32_t>(p)) + 2;
    removed += std::min<int64_t>(to.Pos - 1, lastLength);
  }
  // What comes in: the lines of the text; the first joins the head of the
  // first paragraph, the last the tail of the last one.
  const std::vector<TPiece> pieces = CutLines(text);
  int64_t added = 0;
  int64_t ends = 0;
  for (const TPiece& piece : pieces) {
    added += static_cast<int64_t>(piece.Bytes.size());
    if (piece.EndsLine) ++ends;
  }
  added += 2 * ends;
  const int64_t newParas = ends - (to.Para - from.Para);
  const uint16_t rc = list_->CheckLimits(0, newParas > 0 ? static_cast<uint32_t>(newParas) : 0, added - removed);
  if (rc != kEditorOk) return rc;

  // Lengths of the paragraphs that come out of it.
  const int64_t head = std::min<int64_t>(from.Pos - 1, firstLength);
  const int64_t tail = std::max<int64_t>(lastLength - (to.Pos - 1), 0);
  int64_t longest = 0;
  int64_t current = head;
  for (const TPiece& piece : pieces) {
    current += static_cast<int64_t>(piece.Bytes.size());
    if (piece.EndsLine) {
      longest = std::max(longest, current);
      current = 0;
    }
  }
  current += tail;
  longest = std::max(longest, current);
  const auto limit = static_cast<int64_t>(ParaLengthLimit());
  // Deleting across paragraphs first joins the head of the first to the tail
  // of the last, and the list refuses a join longer than the limit even when
  // neither part grows: refuse it here, before anything is deleted.
  if (from.Para != to.Para && head > 0 && head + tail > limit) return kEditorCannotJoin;
  // A paragraph that is already longer and does not grow stays allowed.
  if (longest > limit && longest > std::max(firstLength, lastLength)) {
    return from.Para == to.Para && ends == 0 ? kEditorParaTooLong : kEditorCannotJoin;
  }
  return kEditorOk;
}

// ---- Insertion at the caret ----

uint16_t TNvcCustomEditor::InsertAtCaret(std::span<const uint8_t> text) {
  if (const void* zero = std::memchr(text.data(), 0, text.size())) {
    text = text.first(static_cast<size_t>(static_cast<const uint8_t*>(zero) - text.data()));
  }
  TUndoGroup group(list_->UndoBuffer());
  if (HasSelection()) {
    const uint16_t rc = CheckReplaceLimits(text);
    if (rc != kEditorOk) return rc;
    DeleteAtCaret();
  }
  auto para = static_cast<uint32_t>(caretPara_);
  auto pos = static_cast<uint32_t>(CaretPos());
  uint16_t rc = kEditorOk;
  while (!text.empty() && rc == kEditorOk) {
    size_t n = std::min(text.size(), kInsertPiece);
    // A piece does not split a line end.
    while (n < text.size() && n < kInsertPieceMax && (text[n] == 10 || text[n] == 13)) ++n;
    rc = list_->InsertLines(this, para, text.first(n), pos);
    text = text.subspan(n);
  }
  UpdateVertBar();
  InvalidateChangedLines();
  MoveCaretToPara(static_cast<int32_t>(para), static_cast<int32_t>(pos), false);
  host_->UpdateWindow();
  return rc;
}

// ---- Typing ----

void TNvcCustomEditor::InsertChar(uint8_t ch) {
  const uint8_t byte[1] = {ch};
  uint16_t rc = kEditorOk;
  const int32_t linesBefore = LineCount();
  const int32_t lineBefore = caretLine_;
  int32_t p = 0;
  {
    // Only a replaced selection needs a group: plain typing merges into one
    // record per run.
    const bool hadSelection = HasSelection();
    std::optional<TUndoGroup> group;
    if (hadSelection) {
      group.emplace(list_->UndoBuffer());
      rc = CheckReplaceLimits(byte);
      if (rc == kEditorOk) DeleteAtCaret();
    }
    if (rc == kEditorOk) {
      p = CaretPos();
      const auto length = static_cast<int32_t>(list_->ParaLength(static_cast<uint32_t>(caretPara_)));
      if (!hadSelection && !insertMode_ && p <= length) {
        rc = list_->ReplaceText(this, static_cast<uint32_t>(caretPara_), byte, 1, static_cast<uint32_t>(p));
      } else {
        rc = list_->InsertText(this, static_cast<uint32_t>(caretPara_), byte, static_cast<uint32_t>(p));
      }
    }
  }
  if (rc != kEditorOk) {
    DoOnError(rc);
    return;
  }
  InvalidateChangedLines();
  if (LineCount() != linesBefore) UpdateVertBar();
  MoveCaretToPara(caretPara_, p + 1, false);
  if (caretLine_ > lineBefore) ScrollBy(-horzOffset_, 0);
  host_->UpdateWindow();
}

void TNvcCustomEditor::InsertBlanks(int32_t n) {
  if (n <= 0) return;
  uint16_t rc = kEditorOk;
  {
    TUndoGroup group(list_->UndoBuffer());
    const std::vector<uint8_t> blanks(static_cast<size_t>(n), uint8_t{32});
    if (HasSelection()) {
      rc = CheckReplaceLimits(blanks);
      if (rc == kEditorOk) DeleteAtCaret();
    } else if (!insertMode_) {
      // The blanks overwrite as many bytes.
      const int32_t p = CaretPos();
      const auto length = static_cast<int32_t>(list_->ParaLength(static_cast<uint32_t>(caretPara_)));
      const int32_t over = std::min(n, length - p + 1);
      if (over > 0) {
        list_->DeleteText(this, static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(p), static_cast<uint32_t>(over));
      }
    }
    if (rc == kEditorOk) rc = list_->CheckLimits(static_cast<uint32_t>(caretPara_), 0, n);
    if (rc == kEditorOk) {
      const int32_t p = CaretPos();
      rc = list_->InsertText(this, static_cast<uint32_t>(caretPara_), blanks, static_cast<uint32_t>(p));
      if (rc == kEditorOk) {
        InvalidateChangedLines();
        UpdateVertBar();
        MoveCaretToPara(caretPara_, p + n, false);
      }
    }
  }
  DoOnError(rc);
}

// ---- Deletion ----

void TNvcCustomEditor::DeleteAtCaret() {
  if (GetReadOnly()) return;
  uint16_t failed = kEditorOk;
  if (HasSelection()) {
    const TEditorPosition from = selBegin_;
    const TEditorPosition to = selEnd_;
    if (from.Para != to.Para) {
      // Joining the two ends may exceed the paragraph limit: check first,
      // so a failure leaves the text whole.
      const uint16_t rc = CheckReplaceLimits({});
      if (rc != kEditorOk) {
        DoOnError(rc);
        return;
      }
      // Should the range still fail part way, what went is gone: the caret
      // and selection follow the text before the error is told.
      failed = list_->DeleteRange(this, static_cast<uint32_t>(from.Para), static_cast<uint32_t>(from.Pos),
                                  static_cast<uint32_t>(to.Para), static_cast<uint32_t>(to.Pos));
      UpdateVertBar();
      host_->InvalidateAll();
    } else {
      list_->DeleteText(this, static_cast<uint32_t>(from.Para), static_cast<uint32_t>(from.Pos),
                        static_cast<uint32_t>(to.Pos - from.Pos));
      InvalidateChangedLines();
    }
    MoveCaretToPara(from.Para, from.Pos, false);
  } else {
    const int32_t p = CaretPos();
    const auto length = static_cast<int32_t>(list_->ParaLength(static_cast<uint32_t>(caretPara_)));
    if (p > length) {
      const int32_t linesBefore = LineCount();
      const uint16_t rc = list_->JoinParas(this, static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(p));
      if (rc != kEditorOk) {
        DoOnError(rc);
        return;
      }
      if (LineCount() != linesBefore) UpdateVertBar();
      InvalidateChangedLines();
    } else {
      list_->DeleteText(this, static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(p), 1);
      InvalidateChangedLines();
    }
    MoveCaretToPara(caretPara_, p, false);
  }
  if (!UndoGroupOpen()) host_->UpdateWindow();
  DoOnError(failed);
}

void TNvcCustomEditor::Backspace() {
  if (GetReadOnly()) return;
  if (HasSelection()) {
    DeleteAtCaret();
    return;
  }
  if (caretLine_ == 1 && caretCol_ == 1) return;
  CaretLeft(false);
  // Past the end of a line (ScrollPastEnd) there is nothing to delete: the
  // caret only moves, rather than pulling up the next paragraph.
  if (CaretPos() > ParaLength(caretPara_) + 1) return;
  DeleteAtCaret();
}

void TNvcCustomEditor::DeleteToLineStart() {
  if (GetReadOnly()) return;
  const auto length = static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(caretLine_)));
  if (length == 0 || caretCol_ < 2) {
    CollapseSelection();
    return;
  }
  const int32_t count = std::min(caretCol_ - 1, length);
  list_->DeleteText(this, static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(caretLineOffset_ + 1),
                    static_cast<uint32_t>(count));
  InvalidateChangedLines();
  MoveCaretToPara(caretPara_, caretLineOffset_ + 1, false);
  host_->UpdateWindow();
}

void TNvcCustomEditor::DeleteToLineEnd() {
  if (GetReadOnly()) return;
  const auto length = static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(caretLine_)));
  if (length == 0 || caretCol_ > length) {
    CollapseSelection();
    return;
  }
  const int32_t p = CaretPos();
  list_->DeleteText(this, static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(p),
                    static_cast<uint32_t>(length - caretCol_ + 1));
  InvalidateChangedLines();
  MoveCaretToPara(caretPara_, p, false);
  host_->UpdateWindow();
}

void TNvcCustomEditor::DeleteLine() {
  if (GetReadOnly()) return;
  TUndoGroup group(list_->UndoBuffer());
  const int32_t line = caretLine_;
  if (line < LineCount()) {
    MoveCaretTo(line, 1, false);
    MoveCaretTo(line + 1, 1, true);
  } else {
    const auto length = static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(line)));
    if (length == 0) return;
    MoveCaretTo(line, 1, false);
    MoveCaretTo(line, length + 1, true);
  }
  DeleteAtCaret();
}

void TNvcCustomEditor::DeleteWord() {
  if (GetReadOnly()) return;
  const auto text = GetPara(caretPara_);
  const int32_t p = CaretPos();
  if (p > static_cast<int32_t>(text.size())) return;
  auto j = static_cast<size_t>(p - 1);
  if (IsDelimiter(text[j]) && text[j] != 32) {
    ++j;
  } else {
    while (j < text.size() && !IsDelimiter(text[j])) ++j;
    while (j < text.size() && text[j] == 32) ++j;
  }
  if (j + 1 == static_cast<size_t>(p)) return;
  MoveCaretToPara(caretPara_, static_cast<int32_t>(j) + 1, true);
  DeleteAtCaret();
}

// ---- Enter ----

void TNvcCustomEditor::NewLine(bool split, bool moveDown) {
  bool changed = false;
  if (HasSelection() && !GetReadOnly()) {
    TUndoGroup group(list_->UndoBuffer());
    DeleteAtCaret();
    changed = true;
  }
  uint32_t indent = 0;
  if (split) {
    if (autoIndent_) {
      const auto line = LineText(caretLine_);
      size_t n = 0;
      const size_t before = std::min(line.size(), static_cast<size_t>(std::max(caretCol_ - 1, 0)));
      while (n < before && IsBlank(line[n])) ++n;
      indent = ExpandedWidth(line.first(n), TabSize());
    }
    const uint32_t tabSize = tabType_ == TTabType::ttReal ? TabSize() : 0;
    uint16_t rc = list_->CheckLimits(0, 1, static_cast<int64_t>(indent) + 2);
    if (rc == kEditorOk) {
      rc = list_->SplitPara(this, static_cast<uint32_t>(caretPara_), true, indent, tabSize,
                            static_cast<uint32_t>(CaretPos()));
    }
    if (rc != kEditorOk) {
      // The deleted selection is a change all the same.
      if (changed) DoOnChange();
      DoOnError(rc);
      return;
    }
    changed = true;
    UpdateVertBar();
    host_->InvalidateAll();
  }
  if (moveDown) {
    if (!split && caretPara_ == ParaCount()) {
      const int32_t last = LineCount();
      MoveCaretTo(last, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(last))) + 1, false);
    } else {
      MoveCaretToPara(caretPara_ + 1, static_cast<int32_t>(indent) + 1, false);
    }
  }
  if (changed) DoOnChange();
}

// ---- Tab ----

void TNvcCustomEditor::InsertTab() {
  if (GetReadOnly()) return;
  if (tabType_ == TTabType::ttReal) {
    InsertChar(9);
    return;
  }
  // The selection goes first, so the blanks count from where it began.
  TUndoGroup group(list_->UndoBuffer());
  if (HasSelection()) {
    DeleteAtCaret();
    if (HasSelection()) return;  // the deletion failed and was reported
  }
  const int32_t t = std::max<int32_t>(TabSize(), 1);
  int32_t blanks = ((caretCol_ - 1) / t + 1) * t + 1 - caretCol_;
  if (tabType_ == TTabType::ttSmart && caretPara_ > 1) {
    auto target = [&](int32_t line) -> int32_t {
      const std::string above = GetLineString(line);
      if (static_cast<int32_t>(above.size()) < caretCol_) return caretCol_;
      auto i = static_cast<size_t>(caretCol_ - 1);
      while (i < above.size() && above[i] != ' ') ++i;
      while (i < above.size() && above[i] == ' ') ++i;
      return static_cast<int32_t>(i) + 1;
    };
    int32_t column = caretCol_;
    if (caretLine_ > 1) {
      if (LineLength(caretLine_ - 1) > 0) {
        column = target(caretLine_ - 1);
      } else if (caretLine_ < LineCount()) {
        column = target(caretLine_ + 1);
      }
    }
    if (column > caretCol_) blanks = column - caretCol_;
  }
  InsertBlanks(blanks);
}

// ---- Undo and redo ----

void TNvcCustomEditor::Undo() {
  if (!CanUndo()) {
    host_->Beep();
    return;
  }
  TParaPos caret{static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(CaretPos())};
  const uint16_t rc = list_->Undo(this, caret);
  SetCaretFromPara(static_cast<int32_t>(caret.Para), static_cast<int32_t>(caret.Pos));
  UpdateVertBar();
  ScrollBy(0, 0);
  CollapseSelection();
  host_->InvalidateAll();
  MoveCaretTo(caretLine_, caretCol_, false);
  DoOnError(rc);
}

void TNvcCustomEditor::Redo() {
  if (!CanRedo()) {
    host_->Beep();
    return;
  }
  TParaPos caret{static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(CaretPos())};
  const uint16_t rc = list_->Redo(this, caret);
  SetCaretFromPara(static_cast<int32_t>(caret.Para), static_cast<int32_t>(caret.Pos));
  CollapseSelection();
  host_->InvalidateAll();
  MoveCaretTo(caretLine_, caretCol_, false);
  DoOnError(rc);
}

// ---- Clipboard ----

void TNvcCustomEditor::CutToClipboard() {
  if (!HasSelection() || GetReadOnly()) return;
  // Only what reached the clipboard is deleted.
  if (!CopyToClipboard()) return;
  DeleteAtCaret();
  UpdateVertBar();
  ScrollBy(0, 0);
}

}  // namespace nuvel
