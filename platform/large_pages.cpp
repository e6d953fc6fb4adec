#include "platform/large_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace nuvel::platform {

namespace {

// Whether the system gives large pages to memory offered for them only
// when it has them at hand, read once from its setting.
bool LargePagesWithoutStall() {
  static const bool withoutStall = [] {
    std::ifstream file("/sys/kernel/mm/transparent_hugepage/defrag");
    std::string setting;
    std::getline(file, setting);
    return LargePageAdviceWaitsNot(setting);
  }();
  return withoutStall;
}

}  // namespace

bool LargePageAdviceWaitsNot(std::string_view defragSetting) {
  const std::size_t open = defragSetting.find('[');
  const std::size_t close = defragSetting.find(']', open);
  if (open == std::string_view::npos || close == std::string_view::npos) return false;
  const std::string_view chosen = defragSetting.substr(open + 1, close - open - 1);
  return chosen == "defer" || chosen == "never";
}

void* MapLargeBlock(std::size_t bytes, bool largePages) {
  const std::size_t size = WholeLargePages(bytes == 0 ? 1 : bytes);
  // Mapped one large page longer, then trimmed to a large-page boundary at
  // both ends, so that every large page of the block can be a real one.
  void* raw = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = WholeLargePages(start);
  if (aligned > start) ::munmap(raw, aligned - start);
  const std::uintptr_t tail = start + size + kLargePage - (aligned + size);
  if (tail > 0) ::munmap(reinterpret_cast<void*>(aligned + size), tail);
  void* block = reinterpret_cast<void*>(aligned);
  if (largePages) AdviseLargePages(block, size);
  return block;
}

void UnmapLargeBlock(void* block, std::size_t bytes) {
  if (block != nullptr) ::munmap(block, WholeLargePages(bytes == 0 ? 1 : bytes));
}

void AdviseLargePages(void* start, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  if (LargePagesWithoutStall()) ::madvise(start, bytes, MADV_HUGEPAGE);
#else
  (void)start;
  (void)bytes;
#endif
}

}  // namespace nuvel::platform
