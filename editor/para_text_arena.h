#pragma once
// Room for the texts of paragraphs read in one go (a document being opened):
// texts are laid one after another in blocks of 2 MB instead of each in an
// allocation of its own, which saves the allocator's header and rounding on
// every paragraph. Once a text holds more than one block, blocks come in
// large pages (see platform/large_pages.h), which a large file's load fills
// with few faults; the first stays in small pages, so a short text takes
// only the memory it touches. A text keeps its room until its node lets it
// go (an edit that needs more room moves it to an allocation of its own); a
// block goes back to the system when the last of its texts is let go.
#include <cstddef>
#include <cstdint>

namespace nuvel {

class TParaTextArena {
 public:
  TParaTextArena() = default;
  ~TParaTextArena();
  TParaTextArena(const TParaTextArena&) = delete;
  TParaTextArena& operator=(const TParaTextArena&) = delete;

  // Room for `bytes` bytes; null when it cannot be had or is too large for
  // a block (the caller then allocates on its own).
  uint8_t* Allocate(std::size_t bytes);
  // Lets go of room that Allocate gave.
  static void Release(uint8_t* text);

  // Blocks held by all arenas, for tests that look for leaks.
  static std::size_t BlocksInUse();

  static constexpr std::size_t kBlockBytes = std::size_t{2} << 20;
  // Texts longer than this get an allocation of their own.
  static constexpr std::size_t kLargestText = std::size_t{16} << 10;

 // The header at the start of every block (its fields are the arena's own).
  struct Block;

 private:
  Block* current_ = nullptr;
  std::size_t blocksMade_ = 0;
};

}  // namespace nuvel
