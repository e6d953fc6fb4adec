#include "app/ebook_menu_model.h"

#include <algorithm>
#include <cstdio>

namespace nuvel {

std::string BookmarkItemName(std::size_t index) {
  char number[16];
  std::snprintf(number, sizeof number, "%3.3zu", index);
  return kBookmarkItemPrefix + std::string(number);
}

BookmarkMenu BuildBookmarkMenu(const std::vector<TBookmark>& bookmarks) {
  BookmarkMenu menu;
  if (bookmarks.empty()) return menu;
  menu.separatorVisible = true;
  menu.moreVisible = bookmarks.size() > kBookmarkMenuItems;
  const std::size_t shown = std::min(bookmarks.size(), kBookmarkMenuItems);
  for (std::size_t i = 0; i < shown; ++i)
    menu.items.push_back({BookmarkItemName(i), bookmarks[i].Name, static_cast<int>(i)});
  return menu;
}

EbookMenuRules EbookMenuEnabled(const EbookMenuState& s) {
  EbookMenuRules r;
  const bool ebook = s.activeWindow && s.hasEbook;
  const bool desktop = s.palmEnabled && s.activeWindow;
  r.settings = true;
  r.properties = ebook;
  r.bookmark = ebook;
  r.add = ebook;
  r.update = ebook && s.hasBookmarks;
  r.rename = ebook && s.hasBookmarks;
  r.more = ebook && s.hasBookmarks;
  r.install = desktop && ebook && !s.modified;
  r.sendToPalm = desktop && s.hasText;
  r.popupVisible = s.palmEnabled;
  r.checkPalm = desktop;
  r.installOnPalm = desktop && s.hasText;
  return r;
}

}  // namespace nuvel
