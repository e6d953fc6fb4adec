#include "app/new_doc_numbers.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(NewDocNumbers, LowestFreeNumberIsTaken) {
  NewDocNumberSet set;
  EXPECT_EQ(set.Take(), 1);
  EXPECT_EQ(set.Take(), 2);
  EXPECT_EQ(set.Take(), 3);
  set.Free(2);
  EXPECT_EQ(set.Take(), 2);
  EXPECT_EQ(set.Take(), 4);
}

TEST(NewDocNumbers, AllInUseGivesNone) {
  NewDocNumberSet set;
  for (int n = 1; n <= 255; ++n) ASSERT_EQ(set.Take(), n);
  EXPECT_EQ(set.Take(), std::nullopt);
  set.Free(200);
  EXPECT_EQ(set.Take(), 200);
  EXPECT_EQ(set.Take(), std::nullopt);
}

TEST(NewDocNumbers, NumbersOfCaptions) {
  struct Row { const char* caption; std::optional<int> n; };
  const Row rows[] = {
      {"NEWDOC3", 3}, {"NEWDOC3+C+", 3}, {"NEWDOC255", 255}, {"NEWDOC256", std::nullopt},
      {"NEWDOC", std::nullopt}, {"NEWDOCx", std::nullopt}, {"/tmp/NEWDOC3", std::nullopt},
      {"newdoc3", std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.caption);
    EXPECT_EQ(NewDocNumberOf(r.caption), r.n);
  }
  EXPECT_EQ(NewDocName(12), "NEWDOC12");
  EXPECT_TRUE(IsUntitledName("NEWDOC1"));
  EXPECT_FALSE(IsUntitledName("/home/NEWDOC1"));
}

}  // namespace
}  // namespace nuvel
