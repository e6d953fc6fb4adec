#include "editor/para_node_table.h"

#include <new>

#include "platform/large_pages.h"

namespace nuvel {
namespace {

constexpr std::size_t ChunkBytes(uint32_t nodes) { return std::size_t{nodes} * sizeof(TParaNode); }

}  // namespace

TParaNodeTable::~TParaNodeTable() {
  static_assert(ChunkBytes(kChunkSize) % platform::kLargePage == 0,
                "a chunk should fill its large pages: choose its size by the node's");
  // Every node ever issued was made in its chunk; the free ones hold nothing.
  for (uint32_t h = 1; h < issued_; ++h) Slot(h).~TParaNode();
  for (TParaNode* chunk : chunks_) platform::UnmapLargeBlock(chunk, ChunkBytes(kChunkSize));
}

TParaNodeHandle TParaNodeTable::New() {
  TParaNodeHandle handle = 0;
  if (freeHead_ != 0) {
    handle = freeHead_;
    freeHead_ = Slot(handle).Next;
  } else {
    if (issued_ == UINT32_MAX) throw std::bad_alloc();
    handle = issued_;
    if ((handle >> kChunkBits) >= chunks_.size()) {
      chunks_.reserve(chunks_.size() + 1);
      void* chunk = platform::MapLargeBlock(ChunkBytes(kChunkSize), !chunks_.empty());
      if (chunk == nullptr) throw std::bad_alloc();
      chunks_.push_back(static_cast<TParaNode*>(chunk));
    }
    // The first chunk starts in small pages, for a short text; once a text
    // outgrows its first large page, the rest of the chunk comes in large ones.
    if (handle == platform::kLargePage / sizeof(TParaNode)) {
      platform::AdviseLargePages(reinterpret_cast<uint8_t*>(chunks_[0]) + platform::kLargePage,
                                 ChunkBytes(kChunkSize) - platform::kLargePage);
    }
    new (&Slot(handle)) TParaNode;
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
