#include "app/reopen_list.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using List = std::vector<std::string>;

TEST(ReopenList, TwoOpensGiveListKeysAndFilter) {
  test::TempProgramFolder folder;
  ASSERT_TRUE(InitStartUpIn(folder.Folder()));
  List list;
  const std::string stored = "|Nuvel Windows files (*.nvw)|*.nvw|All files(*.*)|*.*";
  UpdateReopenEntries(list, "/d/a.nvw");
  UpdateReopenEntries(list, "/d/b.txt");
  EXPECT_EQ(list, (List{"/d/b.txt", "*.txt", "/d/a.nvw", "*.nvw"}));
  WriteReopenSection(list);
  EXPECT_EQ(ReadIniString("REOPEN", "0"), "/d/b.txt");
  EXPECT_EQ(ReadIniString("REOPEN", "1"), "/d/a.nvw");
  EXPECT_EQ(ReadIniString("REOPEN", "2"), kNotFound);
  EXPECT_EQ(ReadReopenSection(), (List{"/d/b.txt", "/d/a.nvw"}));
  EXPECT_EQ(FilterWithPattern(*ReopenPattern("/d/b.txt"), stored),
            "*.txt files (*.txt)|*.txt|Nuvel Windows files (*.nvw)|*.nvw|All files(*.*)|*.*");
}

TEST(ReopenList, WritingAShorterListDeletesTheLaterKeys) {
  test::TempProgramFolder folder;
  ASSERT_TRUE(InitStartUpIn(folder.Folder()));
  WriteReopenSection({"/a", "/b", "/c"});
  WriteReopenSection({" ", "*.x", "/z"});
  EXPECT_EQ(ReadReopenSection(), (List{"/z"}));
}

TEST(ReopenList, Updates) {
  struct Case {
    const char* what;
    List before;
    const char* name;
    List after;
  };
  const Case cases[] = {
      {"known name moves up, no pattern added", {"/x.nvw", "*.nvw", "/y.txt"}, "/y.txt",
       {"/y.txt", "/x.nvw", "*.nvw"}},
      {"case differs: a new entry", {"/d/A.TXT", "*.TXT"}, "/d/a.txt", {"/d/a.txt", "*.txt", "/d/A.TXT", "*.TXT"}},
      {"pattern present stays where it is", {"/a.txt", "*.txt"}, "/b.txt", {"/b.txt", "/a.txt", "*.txt"}},
      {"blank entries go", {" ", "/a.txt", " "}, "/a.txt", {"/a.txt"}},
      {"no extension, no pattern", {}, "/d/README", {"/d/README"}},
      {"dot in a folder is no extension", {}, "/d.x/README", {"/d.x/README"}},
      {"cut to ten",
       {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10"},
       "/n.q",
       {"/n.q", "*.q", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    List list = c.before;
    UpdateReopenEntries(list, c.name);
    EXPECT_EQ(list, c.after);
  }
}

TEST(ReopenList, FileHistory) {
  List h = {"/a", "/b"};
  UpdateFileHistory(h, "/c");
  EXPECT_EQ(h, (List{"/c", "/a", "/b"}));
  UpdateFileHistory(h, "/b");
  EXPECT_EQ(h, (List{"/b", "/c", "/a"}));
  List full;
  for (int i = 0; i < 20; ++i) full.push_back("/" + std::to_string(i));
  UpdateFileHistory(full, "/new");
  ASSERT_EQ(full.size(), 20u);
  EXPECT_EQ(full.front(), "/new");
  EXPECT_EQ(full.back(), "/18") << "the oldest name goes";
}

}  // namespace
}  // namespace nuvel
