#include "core/mru_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvel {
namespace {

using Names = std::vector<std::string>;

// Every character is 10 pixels wide.
int TenPerChar(std::string_view s) { return static_cast<int>(s.size()) * 10; }

TEST(MruList, AddMovesAndDrops) {
  struct Case {
    Names before;
    int max;
    std::string add;
    Names after;
  };
  const Case cases[] = {
      {{}, 4, "a.txt", {"a.txt"}},
      {{"b", "c"}, 4, "a", {"a", "b", "c"}},
      {{"a", "b", "c", "d"}, 4, "e", {"e", "a", "b", "c"}},
      {{"a", "b", "c"}, 4, "c", {"c", "a", "b"}},
      {{"a", "b"}, 4, "a", {"a", "b"}},
      // Linux names differ by case: both are kept.
      {{"A.TXT", "b"}, 4, "a.txt", {"a.txt", "A.TXT", "b"}},
      {{"a", "b"}, 1, "c", {"c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.add);
    MruList list;
    list.SetMaxItems(c.max);
    list.SetItems(c.before);
    list.MRUAdd(c.add);
    EXPECT_EQ(list.Items(), c.after);
  }
}

TEST(MruList, RemoveClearAndMaxItems) {
  MruList list;
  list.SetItems({"a", "B", "c"});
  list.MRURemove("b");
  EXPECT_EQ(list.Items(), (Names{"a", "B", "c"}));
  list.MRURemove("B");
  EXPECT_EQ(list.Items(), (Names{"a", "c"}));
  list.SetMaxItems(0);
  EXPECT_EQ(list.MaxItems(), 4);
  list.SetMaxItems(1);
  EXPECT_EQ(list.Items(), (Names{"a"}));
  list.MRUClear();
  EXPECT_TRUE(list.Items().empty());
}

TEST(MruList, ClickActions) {
  struct Case {
    size_t index;
    int action;
    Names after;
  };
  const Case cases[] = {
      {2, kMruActionMoveToTop, {"c", "a", "b"}},
      {1, kMruActionRemove, {"a", "c"}},
      {1, 7, {"a", "b", "c"}},
      {9, kMruActionRemove, {"a", "b", "c"}},
  };
  for (const auto& c : cases) {
    MruList list;
    list.SetItems({"a", "b", "c"});
    list.ApplyClick(c.index, c.action);
    EXPECT_EQ(list.Items(), c.after);
  }
}

TEST(MruList, SplitListsTakeTheirOwnOperation) {
  MruList list;
  list.SetStyle(MruStyle::msSplit);
  try {
    list.MRUAdd("a");
    FAIL() << "MRUAdd on a split list must raise";
  } catch (const EMenuMRUError& e) {
    EXPECT_STREQ(e.what(), "Invalid operation: Call AddSplit for split menus");
  }
  try {
    list.MRUAddSplit("a", 0);
    FAIL() << "group 0 must raise";
  } catch (const EMenuMRUError& e) {
    EXPECT_STREQ(e.what(), "Invalid parameter: mpAnchor");
  }
  EXPECT_TRUE(list.Items().empty());

  list.MRUAddSplit("x", 2);
  list.MRUAddSplit("a", 1);
  list.MRUAddSplit("b", 1);
  EXPECT_EQ(list.Items(), (Names{"b", "a", "-", "x"}));
  list.MRUAddSplit("a", 2);
  EXPECT_EQ(list.Items(), (Names{"b", "-", "a", "x"}));
  // A click moves the name to the top of its own group.
  list.ApplyClick(3, kMruActionMoveToTop);
  EXPECT_EQ(list.Items(), (Names{"b", "-", "x", "a"}));

  MruList normal;
  EXPECT_THROW(normal.MRUAddSplit("a", 1), EMenuMRUError);
}

TEST(MruList, SplitListsDropTheOldestOfTheGroup) {
  MruList list;
  list.SetStyle(MruStyle::msSplit);
  list.SetMaxItems(3);
  for (const char* n : {"z", "y"}) list.MRUAddSplit(n, 2);
  list.MRUAddSplit("a", 1);
  list.MRUAddSplit("b", 2);
  EXPECT_EQ(list.Items(), (Names{"a", "-", "b", "y"}));
}

TEST(MruList, Captions) {
  struct Case {
    std::string name;
    int number;
    bool accel, strip;
    int maxWidth;
    std::string caption;
  };
  const Case cases[] = {
      {"/home/u/a.txt", 1, true, false, 0, "&1 \u2066/home/u/a.txt\u2069"},
      {"/home/u/a.txt", 9, true, false, 0, "&9 \u2066/home/u/a.txt\u2069"},
      {"b.txt", 10, true, false, 0, "&A \u2066b.txt\u2069"},
      {"b.txt", 35, true, false, 0, "&Z \u2066b.txt\u2069"},
      {"b.txt", 36, true, false, 0, "\u2066b.txt\u2069"},
      {"/home/u/a.txt", 3, false, false, 0, "\u2066/home/u/a.txt\u2069"},
      {"/home/u/a.txt", 2, true, true, 0, "&2 \u2066a.txt\u2069"},
      {"/home/user/docs/a.txt", 1, true, false, 170, "&1 \u2066/home/.../a.txt\u2069"},
      // A Hebrew folder name stays inside the isolated name.
      {"/tmp/\u05D0/a.txt", 1, true, false, 0, "&1 \u2066/tmp/\u05D0/a.txt\u2069"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    MruOptions options;
    options.AddAccelerators = c.accel;
    options.StripPath = c.strip;
    EXPECT_EQ(MRUCaption(c.name, c.number, options, c.maxWidth, TenPerChar), c.caption);
  }
}

TEST(MruList, ShortenPathToWidth) {
  struct Case {
    std::string path;
    int maxWidth;
    std::string shortened;
  };
  const Case cases[] = {
      {"/home/user/docs/a.txt", 0, "/home/user/docs/a.txt"},
      {"/home/user/docs/a.txt", 210, "/home/user/docs/a.txt"},
      {"/home/user/docs/a.txt", 200, "/home/user/.../a.txt"},
      {"/home/user/docs/a.txt", 150, "/home/.../a.txt"},
      {"/home/user/docs/a.txt", 100, "/.../a.txt"},
      {"/home/user/docs/a.txt", 90, "/.../a..."},
      {"docs/work/a.txt", 140, "docs/.../a.txt"},
      {"docs/work/a.txt", 100, ".../a.txt"},
      {"averylongname.txt", 100, "averylo..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " " + std::to_string(c.maxWidth));
    const std::string s = ShortenPathToWidth(c.path, c.maxWidth, TenPerChar);
    EXPECT_LE(TenPerChar(s), c.maxWidth == 0 ? 1 << 30 : c.maxWidth);
    EXPECT_EQ(s, c.shortened);
  }
  // A cut never splits a multi-byte character.
  const std::string hebrew = "\xD7\x90\xD7\x91\xD7\x92";
  const std::string cut = ShortenPathToWidth(hebrew, 50, TenPerChar);
  EXPECT_EQ(cut, "\xD7\x90...");
}

TEST(MruList, StoreSection) {
  EXPECT_EQ(MruStoreSection("MainForm", "ReopenMRU"), "MainForm.ReopenMRU.Items");
  EXPECT_EQ(MruStoreSection("", "ReopenMRU"), "ReopenMRU.Items");
}

}  // namespace
}  // namespace nuvel
