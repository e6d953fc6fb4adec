#pragma once
// Bookmarks written into an e-book's text: when the last line of the text
// (trailing empty lines aside), trimmed, is "<tag>", every earlier line that
// holds the tag loses its first occurrence, and a bookmark named by the 16
// bytes that follow it is put where the tag was. The tag line stays.
#include <string>
#include <vector>

#include "formats/doc_bookmark.h"

namespace nuvel {

inline constexpr std::size_t kBookmarkNameMax = 16;

// Scans `text` (lines ended by CR LF, or LF alone) and removes the tags
// from it; the bookmarks' Positions are offsets in the changed text, with
// every line end counted as two bytes. Line and Col are -1.
std::vector<TBookmark> ScanBookmarkTags(std::string& text);

}  // namespace nuvel
