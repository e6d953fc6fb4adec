#include "app/ebook_menu_model.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

std::vector<TBookmark> Marks(std::size_t n) {
  std::vector<TBookmark> marks(n);
  for (std::size_t i = 0; i < n; ++i) marks[i].Name = "Mark " + std::to_string(i);
  return marks;
}

TEST(BookmarkMenuModel, SixteenItemsAtMostAndMoreBeyond) {
  struct Case {
    std::size_t bookmarks;
    bool separator;
    bool more;
    std::size_t items;
  } cases[] = {{0, false, false, 0}, {1, true, false, 1}, {16, true, false, 16}, {17, true, true, 16}, {20, true, true, 16}};
  for (const Case& c : cases) {
    // Built again and again, as each opening of the menu does, it stays the same.
    for (int refresh = 0; refresh < 3; ++refresh) {
      const BookmarkMenu menu = BuildBookmarkMenu(Marks(c.bookmarks));
      EXPECT_EQ(menu.separatorVisible, c.separator) << c.bookmarks;
      EXPECT_EQ(menu.moreVisible, c.more) << c.bookmarks;
      ASSERT_EQ(menu.items.size(), c.items) << c.bookmarks;
      for (std::size_t i = 0; i < menu.items.size(); ++i) {
        EXPECT_EQ(menu.items[i].tag, static_cast<int>(i));
        EXPECT_EQ(menu.items[i].caption, "Mark " + std::to_string(i));
      }
    }
  }
  const BookmarkMenu menu = BuildBookmarkMenu(Marks(20));
  EXPECT_EQ(menu.items.front().name, "BookmarkMenuJump000");
  EXPECT_EQ(menu.items.back().name, "BookmarkMenuJump015");
  EXPECT_EQ(BookmarkItemName(1234), "BookmarkMenuJump1234");
}

TEST(EbookMenuRules, WhatEachCommandNeeds) {
  // Fields: palm, window, ebook, modified, text, bookmarks.
  struct Case {
    const char* what;
    EbookMenuState s;
    EbookMenuRules r;
  } cases[] = {
      {"nothing open", {}, {.settings = true}},
      {"desktop, nothing open", {.palmEnabled = true}, {.settings = true, .popupVisible = true}},
      {"plain text, no desktop",
       {.activeWindow = true, .hasText = true},
       {.settings = true}},
      {"plain text with the desktop",
       {.palmEnabled = true, .activeWindow = true, .hasText = true},
       {.sendToPalm = true, .settings = true, .popupVisible = true, .checkPalm = true, .installOnPalm = true}},
      {"e-book without desktop or bookmarks",
       {.activeWindow = true, .hasEbook = true, .hasText = true},
       {.properties = true, .settings = true, .bookmark = true, .add = true}},
      {"e-book with bookmarks, no desktop",
       {.activeWindow = true, .hasEbook = true, .hasText = true, .hasBookmarks = true},
       {.properties = true, .settings = true, .bookmark = true, .add = true, .update = true, .rename = true, .more = true}},
      {"unmodified e-book with the desktop",
       {.palmEnabled = true, .activeWindow = true, .hasEbook = true, .hasText = true},
       {.sendToPalm = true, .properties = true, .install = true, .settings = true, .bookmark = true, .add = true,
        .popupVisible = true, .checkPalm = true, .installOnPalm = true}},
      {"modified e-book with the desktop: not installed as it was",
       {.palmEnabled = true, .activeWindow = true, .hasEbook = true, .modified = true, .hasText = true},
       {.sendToPalm = true, .properties = true, .settings = true, .bookmark = true, .add = true, .popupVisible = true,
        .checkPalm = true, .installOnPalm = true}},
      {"empty e-book with the desktop: nothing to send",
       {.palmEnabled = true, .activeWindow = true, .hasEbook = true},
       {.properties = true, .install = true, .settings = true, .bookmark = true, .add = true, .popupVisible = true,
        .checkPalm = true}},
  };
  for (const Case& c : cases) {
    const EbookMenuRules r = EbookMenuEnabled(c.s);
    EXPECT_EQ(r.sendToPalm, c.r.sendToPalm) << c.what;
    EXPECT_EQ(r.properties, c.r.properties) << c.what;
    EXPECT_EQ(r.install, c.r.install) << c.what;
    EXPECT_EQ(r.settings, c.r.settings) << c.what;
    EXPECT_EQ(r.bookmark, c.r.bookmark) << c.what;
    EXPECT_EQ(r.add, c.r.add) << c.what;
    EXPECT_EQ(r.update, c.r.update) << c.what;
    EXPECT_EQ(r.rename, c.r.rename) << c.what;
    EXPECT_EQ(r.more, c.r.more) << c.what;
    EXPECT_EQ(r.popupVisible, c.r.popupVisible) << c.what;
    EXPECT_EQ(r.checkPalm, c.r.checkPalm) << c.what;
    EXPECT_EQ(r.installOnPalm, c.r.installOnPalm) << c.what;
  }
}

}  // namespace
}  // namespace nuvel
