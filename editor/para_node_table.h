#pragma once
// The store of a text's paragraph nodes. Nodes are addressed by 32-bit
// handles (0 is none), so that the paragraph links and the undo records hold
// four bytes per reference. Nodes live in fixed chunks and never move; a freed
// handle is reused. Whatever is still allocated when the table goes is freed
// with it. A chunk is mapped memory in which nodes are made as their handles
// are first issued; chunks after the first come in large pages, so that
// opening a large file does not fault a page in for every 100 nodes. A chunk
// of 2^18 nodes of 40 bytes is exactly five large pages.
#include <cstdint>
#include <vector>

#include "editor/para_node.h"
#include "editor/para_text_arena.h"

namespace nuvel {

class TParaNodeTable {
 public:
  TParaNodeTable() = default;
  ~TParaNodeTable();
  TParaNodeTable(const TParaNodeTable&) = delete;
  TParaNodeTable& operator=(const TParaNodeTable&) = delete;

  // A new empty node (no buffer, one line, no links).
  TParaNodeHandle New();
  // Frees the node's buffers and recycles its handle. Handle 0 and handles
  // that are not in use are ignored, so a node is never freed twice.
  void Free(TParaNodeHandle handle);
  bool IsLive(TParaNodeHandle handle) const;
  // The node of a live handle.
  TParaNode& operator[](TParaNodeHandle handle) { return Slot(handle); }
  const TParaNode& operator[](TParaNodeHandle handle) const { return const_cast<TParaNodeTable*>(this)->Slot(handle); }
  // Number of nodes in use.
  uint32_t LiveCount() const { return live_; }
  // Where the texts of paragraphs read in one go are put.
  TParaTextArena& TextArena() { return arena_; }

 private:
  static constexpr uint32_t kChunkBits = 18;
  static constexpr uint32_t kChunkSize = 1u << kChunkBits;

  TParaNode& Slot(TParaNodeHandle handle) {
    return chunks_[handle >> kChunkBits][handle & (kChunkSize - 1)];
  }

  TParaTextArena arena_;  // before the nodes, which let go of their texts when they go
  std::vector<TParaNode*> chunks_;
  uint32_t issued_ = 1;  // next never-used handle; 0 is reserved
  TParaNodeHandle freeHead_ = 0;
  uint32_t live_ = 0;
};

}  // namespace nuvel
