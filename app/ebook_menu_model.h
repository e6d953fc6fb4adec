#pragma once
// The e-book part of the menus as data: the bookmark items of the Palm menu
// (and of the document window's popup), and when each e-book command may
// run.
#include <string>
#include <vector>

#include "formats/doc_bookmark.h"

namespace nuvel {

inline constexpr std::size_t kBookmarkMenuItems = 16;
inline constexpr const char* kBookmarkItemPrefix = "BookmarkMenuJump";

struct BookmarkMenuItem {
  std::string name;     // "BookmarkMenuJump000", ...
  std::string caption;  // the bookmark's name
  int tag = 0;          // its index in the bookmark list
  bool operator==(const BookmarkMenuItem&) const = default;
};

struct BookmarkMenu {
  bool separatorVisible = false;
  bool moreVisible = false;  // "More . . . ": the list goes on past the items
  std::vector<BookmarkMenuItem> items;
};

// The component name of the item of bookmark `index`.
std::string BookmarkItemName(std::size_t index);
// The items for the first 16 bookmarks, in list order.
BookmarkMenu BuildBookmarkMenu(const std::vector<TBookmark>& bookmarks);

// What the e-book commands look at.
struct EbookMenuState {
  bool palmEnabled = false;   // the Palm desktop was found
  bool activeWindow = false;
  bool hasEbook = false;      // the active window holds an e-book
  bool modified = false;      // its editor is modified
  bool hasText = false;       // its main editor holds text
  bool hasBookmarks = false;  // the e-book has bookmarks
};

struct EbookMenuRules {
  bool sendToPalm = false;     // SendtoPalm1
  bool properties = false;     // Properties2
  bool install = false;        // Install1
  bool settings = false;       // Settings1
  bool bookmark = false;       // Bookmark1 (submenu)
  bool add = false;            // AddPDB
  bool update = false;         // Update1
  bool rename = false;         // Rename1
  bool more = false;           // MoreBookmarks1
  bool popupVisible = false;   // N4, CheckPalm1 and InstallonPalm1
  bool checkPalm = false;      // CheckPalm1
  bool installOnPalm = false;  // InstallonPalm1
};

// Commands on the e-book itself need only the e-book; handing it to the
// desktop needs the desktop; the settings are always at hand, since the
// desktop's folder is chosen there.
EbookMenuRules EbookMenuEnabled(const EbookMenuState& s);

}  // namespace nuvel
