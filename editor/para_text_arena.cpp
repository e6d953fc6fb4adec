#include "editor/para_text_arena.h"

#include <atomic>
#include <new>

#include "platform/large_pages.h"

namespace nuvel {

// At the start of every block, which is aligned to its size, so that a
// text's block is found from the text's address.
struct TParaTextArena::Block {
  uint32_t live = 0;     // texts in the block not yet let go
  uint32_t used = 0;     // bytes handed out, this header included
  bool current = false;  // still being filled: not freed when it empties
};

namespace {

constexpr std::size_t kHeader = (sizeof(TParaTextArena::Block) + 15) / 16 * 16;
std::atomic<std::size_t> gBlocks{0};

void FreeBlock(TParaTextArena::Block* block) {
  block->~Block();
  platform::UnmapLargeBlock(block, TParaTextArena::kBlockBytes);
  --gBlocks;
}

}  // namespace

TParaTextArena::~TParaTextArena() {
  if (current_ == nullptr) return;
  current_->current = false;
  if (current_->live == 0) FreeBlock(current_);
}

uint8_t* TParaTextArena::Allocate(std::size_t bytes) {
  if (bytes == 0 || bytes > kLargestText) return nullptr;
  if (current_ == nullptr || current_->used + bytes > kBlockBytes) {
    static_assert(kBlockBytes == platform::kLargePage, "a block is found from a text's address by its alignment");
    void* memory = platform::MapLargeBlock(kBlockBytes, blocksMade_ > 0);
    if (memory == nullptr) return nullptr;
    if (current_ != nullptr) {
      current_->current = false;
      if (current_->live == 0) FreeBlock(current_);
    }
    ++gBlocks;
    ++blocksMade_;
    current_ = new (memory) Block;
    current_->current = true;
    current_->used = static_cast<uint32_t>(kHeader);
  }
  uint8_t* text = reinterpret_cast<uint8_t*>(current_) + current_->used;
  current_->used += static_cast<uint32_t>(bytes);
  ++current_->live;
  return text;
}

void TParaTextArena::Release(uint8_t* text) {
  auto* block = reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(text) & ~(kBlockBytes - 1));
  if (--block->live == 0 && !block->current) FreeBlock(block);
}

std::size_t TParaTextArena::BlocksInUse() { return gBlocks.load(); }

}  // namespace nuvel
