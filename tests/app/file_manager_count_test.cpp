#include "app/file_manager_count.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(FileManagerCount, NumberComparedAsText) {
  struct Row { const char* value; int count; };
  const Row rows[] = {{"2", 2}, {"10", 2}, {"9", 2}, {"1", 1}, {"0", 1}, {"", 1}, {"NotFound", 1}, {"1x", 2}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.value);
    EXPECT_EQ(FileManagerWindowCount(r.value), r.count);
  }
}

}  // namespace
}  // namespace nuvel
