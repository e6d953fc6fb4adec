#include "app/disk_format_pref.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(DiskFormatPref, ToggleType) {
  struct Row { const char* in; const char* out; };
  const Row rows[] = {{"0", "1"}, {"1", "2"}, {"2", "0"}, {"NotFound", "0"}, {"", "0"}, {"9", "0"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.in);
    EXPECT_EQ(NextDiskFormatPref(r.in), r.out);
  }
  EXPECT_EQ(DiskFormatButtonOf("1"), 1);
  EXPECT_EQ(DiskFormatButtonOf("3"), -1);
  EXPECT_EQ(DiskFormatButtonOf("NotFound"), -1);
}

}  // namespace
}  // namespace nuvel
