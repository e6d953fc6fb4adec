// Large pages are offered only where the system's setting makes no program
// wait for them, and large blocks are aligned and usable either way.
#include "platform/large_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace nuvel::platform {
namespace {

TEST(LargePages, OfferedOnlyWhereTheSystemDoesNotWait) {
  struct Case {
    const char* setting;
    bool offered;
  } const cases[] = {
      {"always defer defer+madvise [madvise] never", false},
      {"[always] defer defer+madvise madvise never", false},
      {"always defer [defer+madvise] madvise never", false},
      {"always [defer] defer+madvise madvise never", true},
      {"always defer defer+madvise madvise [never]", true},
      {"[never]", true},
      {"", false},
      {"always defer", false},
      {"[defer", false},
  };
  for (const Case& c : cases) EXPECT_EQ(LargePageAdviceWaitsNot(c.setting), c.offered) << c.setting;
}

TEST(LargePages, BlocksAreAlignedZeroedAndWritable) {
  for (const bool large : {false, true}) {
    for (const std::size_t bytes : {std::size_t{0}, std::size_t{1}, kLargePage, kLargePage + 1}) {
      auto* block = static_cast<uint8_t*>(MapLargeBlock(bytes, large));
      ASSERT_NE(block, nullptr) << bytes;
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % kLargePage, 0u) << bytes;
      const std::size_t size = WholeLargePages(bytes == 0 ? 1 : bytes);
      EXPECT_EQ(block[0], 0);
      EXPECT_EQ(block[size - 1], 0);
      std::memset(block, 0x5A, size);
      EXPECT_EQ(block[size - 1], 0x5A);
      UnmapLargeBlock(block, bytes);
    }
  }
}

}  // namespace
}  // namespace nuvel::platform
