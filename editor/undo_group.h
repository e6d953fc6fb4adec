#pragma once
// Keeps one undo group open for its lifetime, so that several edits undo as
// one step; a group opened inside another joins it.
#include "editor/undo_buffer.h"

namespace nuvel {

class TUndoGroupScope {
 public:
  explicit TUndoGroupScope(TNvcUndoBuffer& undo) : undo_(undo) { undo_.BeginGroup(wasOpen_); }
  ~TUndoGroupScope() { undo_.EndGroup(wasOpen_); }
  TUndoGroupScope(const TUndoGroupScope&) = delete;
  TUndoGroupScope& operator=(const TUndoGroupScope&) = delete;

 private:
  TNvcUndoBuffer& undo_;
  bool wasOpen_ = false;
};

}  // namespace nuvel
