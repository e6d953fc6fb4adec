// Undo and redo: the paragraph list replays the undo buffer's records through
// its own operations, with recording off.
#include "editor/para_list.h"

namespace nuvel {

namespace {
// Sets a flag for its lifetime.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};
}  // namespace

// Takes paragraph `para` out of the text when it is the record's node; the
// record keeps it.
bool TNvcParaList::RemoveRecordedNode(TParaListView* view, uint32_t para, TParaNodeHandle h) {
  if (paraCount_ <= 1 || HandleOf(para) != h) return false;
  DeletePara(view, para);
  return true;
}

bool TNvcParaList::ApplyUndo(TParaListView* view, const TUndoRecord& r) {
  const auto length = static_cast<uint32_t>(r.Data.size());
  switch (r.Kind) {
    case kUndoCaret:
      return true;
    case kUndoInsert:
      if (ParaLength(r.Para) + 1 < r.Pos + length) return false;
      DeleteText(view, r.Para, r.Pos, length);
      return true;
    case kUndoParaBefore:
      return RemoveRecordedNode(view, r.Para, r.Node());
    case kUndoParaAfter:
      return RemoveRecordedNode(view, r.Para + 1, r.Node());
    case kUndoDelete:
      return GetParaNode(r.Para) != nullptr && InsertText(view, r.Para, r.Data, r.Pos) == kEditorOk;
    case kUndoParaRemoved:
      if (!nodes_.IsLive(r.Node()) || r.Para > paraCount_ + 1) return false;
      return LinkNode(view, r.Para, r.Node(), true) == kEditorOk;
    case kUndoReplace:
      return GetParaNode(r.Para) != nullptr &&
             ReplaceText(view, r.Para, r.OldBytes(), static_cast<uint32_t>(r.NewBytes().size()), r.Pos) ==
                 kEditorOk;
    default:
      return false;
  }
}

bool TNvcParaList::ApplyRedo(TParaListView* view, const TUndoRecord& r, TParaPos& caret) {
  const auto length = static_cast<uint32_t>(r.Data.size());
  caret = {r.Para, r.Pos};
  switch (r.Kind) {
    case kUndoCaret:
      return true;
    case kUndoInsert:
      caret.Pos += length;
      return GetParaNode(r.Para) != nullptr && InsertText(view, r.Para, r.Data, r.Pos) == kEditorOk;
    case kUndoParaBefore:
    case kUndoParaAfter: {
      caret = {r.Para + 1, 1};
      const uint32_t at = r.Kind == kUndoParaBefore ? r.Para : r.Para + 1;
      if (!nodes_.IsLive(r.Node()) || at > paraCount_ + 1) return false;
      return LinkNode(view, at, r.Node(), true) == kEditorOk;
    }
    case kUndoDelete:
      if (ParaLength(r.Para) + 1 < r.Pos + length) return false;
      DeleteText(view, r.Para, r.Pos, length);
      return true;
    case kUndoParaRemoved:
      return RemoveRecordedNode(view, r.Para, r.Node());
    case kUndoReplace:
      caret.Pos += static_cast<uint32_t>(r.NewBytes().size());
      return GetParaNode(r.Para) != nullptr &&
             ReplaceText(view, r.Para, r.NewBytes(), static_cast<uint32_t>(r.OldBytes().size()), r.Pos) ==
                 kEditorOk;
    default:
      return false;
  }
}

uint16_t TNvcParaList::Undo(TParaListView* view, TParaPos& caret) {
  if (!undo_->CanUndo()) return kEditorOk;
  TFlagScope scope(inUndo_);
  const int group = undo_->CurrentGroup();
  bool modified = modified_;
  do {
    TUndoRecord r;
    undo_->PeekUndo(r);
    if (!ApplyUndo(view, r)) {
      // The text no longer matches the history: drop it rather than apply it
      // to the wrong bytes.
      undo_->Clear();
      return kEditorNoMemory;
    }
    undo_->UndoStep(r);
    caret = {r.Para, r.Pos};
    modified = r.Modified;
  } while (undo_->CanUndo() && undo_->CurrentGroup() == group);
  modified_ = modified;
  return kEditorOk;
}

uint16_t TNvcParaList::Redo(TParaListView* view, TParaPos& caret) {
  if (!undo_->CanRedo()) return kEditorOk;
  TFlagScope scope(inUndo_);
  const int group = undo_->NextGroup();
  do {
    TUndoRecord r;
    undo_->PeekRedo(r);
    const bool before = modified_;
    if (!ApplyRedo(view, r, caret)) {
      undo_->Clear();
      return kEditorNoMemory;
    }
    undo_->RedoStep(before, r);
  } while (undo_->CanRedo() && undo_->NextGroup() == group);
  return kEditorOk;
}

}  // namespace nuvel
