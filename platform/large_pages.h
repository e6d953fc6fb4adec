#pragma once
// Memory for large buffers that are filled at once (a file being opened, the
// blocks a document's paragraphs are kept in): mapped on 2 MB boundaries and
// offered to the system for 2 MB pages. Touching fresh memory a 4 KB page at
// a time costs one fault a page, which for tens of megabytes is most of the
// time spent filling it; a 2 MB page takes one.
#include <cstddef>

namespace nuvel::platform {

// The size of a large page, and the granularity large blocks are mapped in.
inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

// `bytes` rounded up to whole large pages.
constexpr std::size_t WholeLargePages(std::size_t bytes) { return (bytes + kLargePage - 1) / kLargePage * kLargePage; }

// Maps `bytes` (rounded up to whole large pages) of zeroed memory aligned to a
// large page; nullptr when the system has no memory for it. Without
// `largePages` the memory comes a 4 KB page at a time, as it is first touched:
// for what may stay small, where a whole large page would be mostly unused.
void* MapLargeBlock(std::size_t bytes, bool largePages = true);
// Unmaps a block from MapLargeBlock, given the size it was asked for.
void UnmapLargeBlock(void* block, std::size_t bytes);
// Offers an already mapped range for large pages (a hint the system may ignore).
void AdviseLargePages(void* start, std::size_t bytes);

}  // namespace nuvel::platform
