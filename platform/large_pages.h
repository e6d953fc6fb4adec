#pragma once
// Memory for large buffers that are filled at once (a file being opened, the
// blocks a document's paragraphs are kept in): mapped on 2 MB boundaries and
// offered to the system for 2 MB pages where it gives them without waiting.
// Touching fresh memory a 4 KB page at a time costs one fault a page; a 2 MB
// page takes one. But where the system answers such an offer by first
// moving other memory about to make a 2 MB page whole (its usual setting),
// a machine whose memory is in pieces makes the program wait far longer for
// that than the faults would take, so the offer is made only where the
// system gives large pages it has at hand and does the rest later.
#include <cstddef>
#include <string_view>

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
// Offers an already mapped range for large pages (a hint the system may
// ignore), where the system's setting makes no one wait for them.
void AdviseLargePages(void* start, std::size_t bytes);
// For the system's setting of how it makes large pages for memory offered
// for them (its defrag file's line, the choice in brackets): true when it
// never stops the offering program to make one ("defer" and "never").
bool LargePageAdviceWaitsNot(std::string_view defragSetting);

}  // namespace nuvel::platform
