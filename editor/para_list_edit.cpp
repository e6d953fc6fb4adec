// The editing operations of the paragraph list.
#include <algorithm>
#include <new>
#include <vector>

#include "editor/para_list.h"
#include "editor/wrap_routines.h"

namespace nuvel {

namespace {
// Holds the markers and view notifications for its lifetime.
class TMarkerHold {
 public:
  explicit TMarkerHold(bool& active) : active_(active), was_(active) { active_ = false; }
  ~TMarkerHold() { active_ = was_; }
  TMarkerHold(const TMarkerHold&) = delete;
  TMarkerHold& operator=(const TMarkerHold&) = delete;
  void Release() { active_ = was_; }

 private:
  bool& active_;
  bool was_;
};

constexpr uint8_t kCR = 13;
constexpr uint8_t kLF = 10;
}  // namespace

void TNvcParaList::Record(uint8_t kind, std::span<const uint8_t> data, uint32_t pos, uint32_t para) {
  if (!inUndo_) undo_->Add(kind, modified_, data, pos, para);
}

void TNvcParaList::NoteLineChange(uint32_t para, TParaNode& node, uint32_t oldLines, const uint8_t* oldText,
                                  uint32_t first, uint32_t last) {
  const uint32_t newLines = node.LineCount();
  const uint32_t firstLine = FirstLineOf(para);
  if (newLines != oldLines) lineCount_ = lineCount_ - oldLines + newLines;
  // The index keeps the line count and where the text lies, which an edit
  // that needed room has moved.
  if (newLines != oldLines || node.GetText() != oldText) {
    index_.SetLinesAndText(para - 1, newLines, node.Length() > 0 ? node.GetText() : nullptr);
  }
  firstChangedLine_ = firstLine + first - 1;
  lastChangedLine_ = newLines != oldLines ? kToTheEnd : firstLine + last - 1;
}

uint16_t TNvcParaList::InsertText(TParaListView* view, uint32_t para, std::span<const uint8_t> bytes,
                                  uint32_t pos) {
  TParaNode* node = GetParaNode(para);
  if (node == nullptr) return kEditorOk;
  if (node->Overlaps(bytes)) {
    const std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    return InsertText(view, para, copy, pos);
  }
  pos = std::max<uint32_t>(pos, 1);
  const uint32_t oldLength = node->Length();
  const uint32_t pad = pos - 1 > oldLength ? pos - 1 - oldLength : 0;
  const auto count = static_cast<uint32_t>(bytes.size());
  if (!inUndo_) {
    // The blanks that fill a gap past the end count against the limits too.
    const uint16_t rc = CheckLimits(para, 0, int64_t{count} + pad);
    if (rc != kEditorOk) return rc;
  }
  if (count == 0 && pad == 0) return kEditorOk;
  const uint32_t oldLines = node->LineCount();
  const uint8_t* oldText = node->GetText();
  uint32_t first = 0, last = 0;
  const uint16_t rc = node->InsertText(bytes, pos, EffectiveWrapColumn(), tabSize_, first, last, wrapRuns_);
  if (rc != kEditorOk) return rc;
  if (pad > 0) {
    Record(kUndoInsert, node->Bytes().subspan(oldLength, pad + count), oldLength + 1, para);
  } else {
    Record(kUndoInsert, bytes, pos, para);
  }
  byteCount_ += int64_t{count} + pad;
  NoteLineChange(para, *node, oldLines, oldText, first, last);
  MoveMarkers(Change::TextInserted, para, pos, count);
  Notify(view, Change::TextInserted, para, pos, count);
  modified_ = true;
  return kEditorOk;
}

void TNvcParaList::DeleteText(TParaListView* view, uint32_t para, uint32_t pos, uint32_t count) {
  TParaNode* node = GetParaNode(para);
  if (node == nullptr) return;
  pos = std::max<uint32_t>(pos, 1);
  const uint32_t length = node->Length();
  if (pos > length) return;
  count = std::min(count, length - (pos - 1));
  if (count == 0) return;
  Record(kUndoDelete, node->Bytes().subspan(pos - 1, count), pos, para);
  const uint32_t oldLines = node->LineCount();
  const uint8_t* oldText = node->GetText();
  uint32_t first = 0, last = 0;
  node->DeleteText(pos, count, EffectiveWrapColumn(), tabSize_, first, last, wrapRuns_);
  byteCount_ -= count;
  NoteLineChange(para, *node, oldLines, oldText, first, last);
  MoveMarkers(Change::TextDeleted, para, pos, count);
  Notify(view, Change::TextDeleted, para, pos, count);
  modified_ = true;
}

uint16_t TNvcParaList::ReplaceText(TParaListView* view, uint32_t para, std::span<const uint8_t> newBytes,
                                   uint32_t oldCount, uint32_t pos) {
  TParaNode* node = GetParaNode(para);
  if (node == nullptr) return kEditorOk;
  if (node->Overlaps(newBytes)) {
    const std::vector<uint8_t> copy(newBytes.begin(), newBytes.end());
    return ReplaceText(view, para, copy, oldCount, pos);
  }
  pos = std::max<uint32_t>(pos, 1);
  const uint32_t length = node->Length();
  if (pos > length) {
    // Nothing there to replace: the new bytes go in after the end.
    return newBytes.empty() ? kEditorOk : InsertText(view, para, newBytes, pos);
  }
  const uint32_t m = std::min(oldCount, length - (pos - 1));
  const auto l = static_cast<uint32_t>(newBytes.size());
  const int64_t d = int64_t{l} - int64_t{m};
  if (!inUndo_ && d > 0) {
    const uint16_t rc = CheckLimits(para, 0, d);
    if (rc != kEditorOk) return rc;
  }
  const auto oldSpan = node->Bytes().subspan(pos - 1, m);
  const std::vector<uint8_t> oldBytes(oldSpan.begin(), oldSpan.end());
  const uint32_t oldLines = node->LineCount();
  const uint8_t* oldText = node->GetText();
  uint32_t first = 0, last = 0;
  const uint16_t rc = node->ReplaceText(pos, m, newBytes, EffectiveWrapColumn(), tabSize_, first, last, wrapRuns_);
  if (rc != kEditorOk) return rc;
  if (!inUndo_) undo_->AddReplace(modified_, para, newBytes, oldBytes, pos);
  byteCount_ += d;
  NoteLineChange(para, *node, oldLines, oldText, first, last);
  if (d < 0) {
    // The surplus old bytes went from behind the new ones.
    MoveMarkers(Change::TextDeleted, para, pos + l, static_cast<uint32_t>(-d));
    Notify(view, Change::TextDeleted, para, pos + l, static_cast<uint32_t>(-d));
  } else {
    const uint32_t at = d > 0 ? pos + m : pos;
    MoveMarkers(Change::TextInserted, para, at, static_cast<uint32_t>(d));
    Notify(view, Change::TextInserted, para, at, static_cast<uint32_t>(d));
  }
  modified_ = true;
  return kEditorOk;
}

uint16_t TNvcParaList::LinkNode(TParaListView* view, uint32_t para, TParaNodeHandle h, bool rewrap) {
  if (rewrap) nodes_[h].Wrap(EffectiveWrapColumn(), tabSize_, wrapRuns_);
  para = std::clamp<uint32_t>(para, 1, paraCount_ + 1);
  Link(h, para);
  firstChangedLine_ = FirstLineOf(para);
  lastChangedLine_ = kToTheEnd;
  MoveMarkers(Change::ParaInserted, para, 1, 0);
  Notify(view, Change::ParaInserted, para, 1, 0);
  modified_ = true;
  return kEditorOk;
}

uint16_t TNvcParaList::InsertParaBefore(TParaListView* view, uint32_t para, std::span<const uint8_t> bytes) {
  if (!inUndo_) {
    const uint16_t rc = CheckLimits(0, 1, int64_t{static_cast<int64_t>(bytes.size())} + 2);
    if (rc != kEditorOk) return rc;
  }
  const TParaNodeHandle h = nodes_.New();
  try {
    nodes_[h].Create(bytes, EffectiveWrapColumn(), tabSize_, nullptr, wrapRuns_);
  } catch (const std::bad_alloc&) {
    nodes_.Free(h);
    return kEditorNoMemory;
  }
  para = std::clamp<uint32_t>(para, 1, paraCount_ + 1);
  if (!inUndo_) undo_->AddNode(kUndoParaBefore, modified_, h, 1, para);
  return LinkNode(view, para, h, false);
}

uint16_t TNvcParaList::InsertParaAfter(TParaListView* view, uint32_t para, std::span<const uint8_t> bytes) {
  const TParaNodeHandle h = nodes_.New();
  try {
    nodes_[h].Create(bytes, EffectiveWrapColumn(), tabSize_, nullptr, wrapRuns_);
  } catch (const std::bad_alloc&) {
    nodes_.Free(h);
    return kEditorNoMemory;
  }
  para = std::clamp<uint32_t>(para, 1, paraCount_);
  if (!inUndo_) undo_->AddNode(kUndoParaAfter, modified_, h, 1, para);
  return LinkNode(view, para + 1, h, false);
}

void TNvcParaList::DeletePara(TParaListView* view, uint32_t para) {
  if (paraCount_ <= 1 || GetParaNode(para) == nullptr) return;  // the text keeps one paragraph
  const TParaNodeHandle h = cacheNode_;
  const bool kept = !inUndo_ && undo_->AddNode(kUndoParaRemoved, modified_, h, 1, para);
  Unlink(para);
  // Removed nodes stay with the undo record that keeps them, or with the
  // record being undone or redone; otherwise they go now.
  if (!kept && !inUndo_) nodes_.Free(h);
  firstChangedLine_ = FirstLineOf(std::min(para, paraCount_));
  lastChangedLine_ = kToTheEnd;
  MoveMarkers(Change::ParaDeleted, para, 0, 0);
  Notify(view, Change::ParaDeleted, para, 0, 0);
  modified_ = true;
}

uint16_t TNvcParaList::SplitPara(TParaListView* view, uint32_t para, bool trim, uint32_t& indent,
                                 uint32_t tabSize, uint32_t pos) {
  TParaNode* node = GetParaNode(para);
  if (node == nullptr) return kEditorOk;
  const uint32_t length = node->Length();
  pos = std::clamp<uint32_t>(pos, 1, length + 1);
  if (pos == 1) return InsertParaBefore(view, para, {});

  TUndoGroup group(*undo_);
  TMarkerHold hold(markersActive_);
  Record(kUndoCaret, {}, pos, para);
  uint16_t rc = InsertParaAfter(view, para, node->Bytes().subspan(pos - 1));
  if (rc != kEditorOk) return rc;
  if (pos <= length) {
    const uint32_t blanks = trim ? node->CountBlanksBefore(pos - 1) : 0;
    DeleteText(view, para, pos - blanks, length - pos + 1 + blanks);
  }
  if (indent > 0) {
    std::vector<uint8_t> fill;
    if (tabSize > 0) {
      fill.assign(indent / tabSize, uint8_t{9});
      fill.insert(fill.end(), indent % tabSize, uint8_t{32});
    } else {
      fill.assign(indent, uint8_t{32});
    }
    indent = static_cast<uint32_t>(fill.size());
    if (InsertText(view, para + 1, fill, 1) != kEditorOk) indent = 0;
  }
  Record(kUndoCaret, {}, indent + 1, para + 1);
  hold.Release();
  MoveMarkers(Change::ParaInserted, para, pos, indent);
  Notify(view, Change::ParaInserted, para, pos, indent);
  firstChangedLine_ = FirstLineOf(para);
  lastChangedLine_ = kToTheEnd;
  modified_ = true;
  return kEditorOk;
}

uint16_t TNvcParaList::JoinParas(TParaListView* view, uint32_t para, uint32_t pos) {
  TParaNode* node = GetParaNode(para);
  if (node == nullptr || para >= paraCount_) return kEditorOk;
  if (pos <= 1) {
    DeletePara(view, para);
    return kEditorOk;
  }
  TParaNode* next = GetParaNode(para + 1);
  const int64_t add = int64_t{pos} - 1 - int64_t{node->Length()} + int64_t{next->Length()};
  if (!inUndo_ && CheckLimits(para, 0, add) != kEditorOk) return kEditorCannotJoin;

  TUndoGroup group(*undo_);
  TMarkerHold hold(markersActive_);
  const uint16_t rc = InsertText(view, para, next->Bytes(), pos);
  if (rc != kEditorOk) return rc;
  DeletePara(view, para + 1);
  Record(kUndoCaret, {}, pos, para);
  hold.Release();
  MoveMarkers(Change::ParaJoined, para, pos, 0);
  Notify(view, Change::ParaJoined, para, pos, 0);
  firstChangedLine_ = FirstLineOf(para);
  lastChangedLine_ = kToTheEnd;
  modified_ = true;
  return kEditorOk;
}

uint16_t TNvcParaList::DeleteRange(TParaListView* view, uint32_t para1, uint32_t pos1, uint32_t para2,
                                   uint32_t pos2) {
  if (para2 < para1 || (para1 == para2 && pos2 < pos1)) {
    std::swap(para1, para2);
    std::swap(pos1, pos2);
  }
  pos1 = std::max<uint32_t>(pos1, 1);
  pos2 = std::max<uint32_t>(pos2, 1);
  if (para1 < 1 || para1 > paraCount_) return kEditorOk;
  if (para1 == para2) {
    DeleteText(view, para1, pos1, pos2 - pos1);
    return kEditorOk;
  }
  para2 = std::min(para2, paraCount_ + 1);
  TUndoGroup group(*undo_);
  if (pos1 == 1 && pos2 == 1) {
    for (uint32_t i = para1; i < para2; ++i) DeletePara(view, para1);
    return kEditorOk;
  }
  if (para2 > paraCount_) para2 = paraCount_;
  const uint32_t length1 = ParaLength(para1);
  if (pos1 <= length1) DeleteText(view, para1, pos1, length1 - pos1 + 1);
  DeleteText(view, para2, 1, pos2 - 1);
  for (uint32_t i = para1 + 1; i < para2; ++i) DeletePara(view, para1 + 1);
  return JoinParas(view, para1, ParaLength(para1) + 1);
}

uint16_t TNvcParaList::InsertLines(TParaListView* view, uint32_t& para, std::span<const uint8_t> bytes,
                                   uint32_t& pos) {
  bytes = bytes.first(static_cast<size_t>(std::find(bytes.begin(), bytes.end(), uint8_t{0}) - bytes.begin()));
  pos = std::max<uint32_t>(pos, 1);
  struct Piece {
    std::span<const uint8_t> bytes;
    bool endsLine;
  };
  std::vector<Piece> pieces;
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = FindLineEnd(bytes.subspan(i));
    size_t keep = n;
    while (keep > 0 && (bytes[i + keep - 1] == kCR || bytes[i + keep - 1] == kLF)) --keep;
    pieces.push_back({bytes.subspan(i, keep), keep != n});
    i += n;
  }
  if (pieces.empty()) return kEditorOk;
  if (pieces.size() == 1 && !pieces[0].endsLine) {
    const uint16_t rc = InsertText(view, para, pieces[0].bytes, pos);
    if (rc == kEditorOk && GetParaNode(para) != nullptr) pos += static_cast<uint32_t>(pieces[0].bytes.size());
    return rc;
  }
  uint32_t column = 0;
  const uint32_t startLine = LineOf(para, pos, column);
  TUndoGroup group(*undo_);
  uint16_t rc = kEditorOk;
  for (const Piece& piece : pieces) {
    if (piece.endsLine && pos == 1) {
      rc = InsertParaBefore(view, para, piece.bytes);
    } else {
      if (!piece.bytes.empty()) {
        rc = InsertText(view, para, piece.bytes, pos);
        if (rc != kEditorOk) break;
        pos += static_cast<uint32_t>(piece.bytes.size());
      }
      if (piece.endsLine) {
        // A split adds a paragraph: it is held to the limits like any other.
        rc = inUndo_ ? kEditorOk : CheckLimits(0, 1, 2);
        if (rc != kEditorOk) break;
        uint32_t indent = 0;
        rc = SplitPara(view, para, true, indent, tabSize_, pos);
      }
    }
    if (rc != kEditorOk) break;
    if (piece.endsLine) {
      ++para;
      pos = 1;
    }
  }
  firstChangedLine_ = std::max<uint32_t>(startLine, 2) - 1;
  lastChangedLine_ = kToTheEnd;
  return rc;
}

uint16_t TNvcParaList::AppendPara(std::span<const uint8_t> bytes, bool trim) {
  const TParaNodeHandle h = nodes_.New();
  try {
    // Loaded text goes to the arena: most of it is never edited.
    nodes_[h].Create(bytes, EffectiveWrapColumn(), tabSize_, &nodes_.TextArena(), wrapRuns_);
  } catch (const std::bad_alloc&) {
    nodes_.Free(h);
    return kEditorNoMemory;
  }
  if (trim) nodes_[h].StripTrailingBlanks();
  Link(h, paraCount_);
  // Not recorded: an undo after it would apply to moved paragraphs.
  if (undo_->CanUndo() || undo_->CanRedo()) undo_->Clear();
  return kEditorOk;
}

uint16_t TNvcParaList::ReplaceParaForLoad(uint32_t para, std::span<const uint8_t> bytes) {
  TParaNode* node = GetParaNode(para);
  if (node == nullptr) return kEditorOk;
  if (node->Overlaps(bytes)) {
    const std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    return ReplaceParaForLoad(para, copy);
  }
  // The new bytes go where the old ones were when they fit (a conversion in
  // composes, a turn keeps the length), and the paragraph is wrapped again.
  const uint32_t oldLines = node->LineCount();
  const int64_t oldLength = node->Length();
  const uint8_t* oldText = node->GetText();
  uint32_t first = 0, last = 0;
  const uint16_t rc = node->ReplaceText(1, node->Length(), bytes, EffectiveWrapColumn(), tabSize_, first, last, wrapRuns_);
  if (rc != kEditorOk) return rc;
  byteCount_ += int64_t{node->Length()} - oldLength;
  NoteLineChange(para, *node, oldLines, oldText, first, last);
  modified_ = true;
  return kEditorOk;
}

}  // namespace nuvel
