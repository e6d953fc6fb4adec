#include <gtest/gtest.h>

#include "app/memory_figures.h"

namespace nuvel {
namespace {

TEST(MemoryFigures, ParsesTheSystemReport) {
  const auto m = ParseMemInfo(
      "MemTotal:        8000000 kB\nMemFree:          100000 kB\nMemAvailable:    2000000 kB\nBuffers: 5 kB\n");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->totalBytes, 8000000ull * 1024);
  EXPECT_EQ(m->availableBytes, 2000000ull * 1024);
  EXPECT_EQ(MemoryLoadText(*m), "75 %");

  // Without MemAvailable: free memory, buffers and cache stand in.
  const auto old = ParseMemInfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 350 kB\n");
  ASSERT_TRUE(old);
  EXPECT_EQ(old->availableBytes, 500u * 1024);
  EXPECT_EQ(MemoryLoadText(*old), "50 %");

  // A name that only begins like the one asked for does not count.
  EXPECT_FALSE(ParseMemInfo("MemTotalX: 5 kB\n"));
  EXPECT_FALSE(ParseMemInfo("MemTotal: abc kB\n"));
  EXPECT_FALSE(ParseMemInfo("MemTotal: 0 kB\n"));
  EXPECT_FALSE(ParseMemInfo(""));
  // More available than in total reads as nothing in use.
  EXPECT_EQ(MemoryLoadText(*ParseMemInfo("MemTotal: 10 kB\nMemAvailable: 20 kB\n")), "0 %");
}

TEST(MemoryFigures, PhysicalMemoryInUnitsOf1024000) {
  const struct {
    unsigned long long bytes;
    const char* text;
  } cases[] = {
      {67108864ull, "66 MB"},          // 65.54 -> 66
      {1024000ull, "1 MB"},
      {511999ull, "0 MB"},
      {512000ull, "1 MB"},
      {17179869184ull, "16,777 MB"},   // 16 GiB
      {1099511627776ull, "1,073,742 MB"},
  };
  for (const auto& c : cases) EXPECT_EQ(PhysicalMemoryText(c.bytes), c.text) << c.bytes;
}

TEST(MemoryFigures, ThisMachine) {
  const auto m = ReadMemoryFigures();
  ASSERT_TRUE(m);
  EXPECT_GT(m->totalBytes, 0u);
  EXPECT_LE(m->availableBytes, m->totalBytes);
}

}  // namespace
}  // namespace nuvel
