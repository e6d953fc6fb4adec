#include "editor/para_node_table.h"

#include <new>

namespace nuvel {

TParaNodeHandle TParaNodeTable::New() {
  TParaNodeHandle handle = 0;
  if (freeHead_ != 0) {
    handle = freeHead_;
    freeHead_ = Slot(handle).Next;
  } else {
    if (issued_ == UINT32_MAX) throw std::bad_alloc();
    handle = issued_;
    if ((handle >> kChunkBits) >= chunks_.size()) chunks_.push_back(std::make_unique<TParaNode[]>(kChunkSize));
    ++issued_;
  }
  TParaNode& node = Slot(handle);
  node.lineCount_ = 1;
  node.Next = 0;
  node.Prev = 0;
  ++live_;
  return handle;
}

bool TParaNodeTable::IsLive(TParaNodeHandle handle) const {
  if (handle == 0 || handle >= issued_) return false;
  return (*this)[handle].lineCount_ != 0;
}

void TParaNodeTable::Free(TParaNodeHandle handle) {
  if (!IsLive(handle)) return;
  TParaNode& node = Slot(handle);
  node.Reset();
  node.lineCount_ = 0;  // marks the slot free
  node.Prev = 0;
  node.Next = freeHead_;
  freeHead_ = handle;
  --live_;
}

}  // namespace nuvel
