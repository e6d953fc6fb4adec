#include "formats/doc_bookmark.h"

#include <algorithm>
#include <numeric>

namespace nuvel {

namespace {

// Bookmark indexes sorted by a key, so one sweep along the text moves them.
template <typename Key>
std::vector<std::size_t> SortedBy(const std::vector<TBookmark>& bookmarks, Key key) {
  std::vector<std::size_t> order(bookmarks.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return key(bookmarks[a]) < key(bookmarks[b]); });
  return order;
}

}  // namespace

std::string DocTextToCrLf(std::string_view text, std::vector<TBookmark>& bookmarks) {
  auto order = SortedBy(bookmarks, [](const TBookmark& b) { return b.FilePosition; });
  std::size_t next = 0;
  int64_t added = 0;
  // Bookmarks at or before file offset o have seen every byte added before o.
  auto settle_up_to = [&](int64_t o) {
    while (next < order.size() && bookmarks[order[next]].FilePosition <= o) {
      TBookmark& b = bookmarks[order[next++]];
      b.Position = b.FilePosition + added;
    }
  };
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= n || text[i + 1] != '\n'))) {
      settle_up_to(static_cast<int64_t>(i));
      out += "\r\n";
      ++added;
    } else if (c == '\r') {
      out += "\r\n";
      ++i;
    } else {
      out.push_back(c);
    }
  }
  settle_up_to(INT64_MAX);
  return out;
}

std::string DocTextToLf(std::string_view text, std::vector<TBookmark>& bookmarks) {
  auto order = SortedBy(bookmarks, [](const TBookmark& b) { return b.Position; });
  std::size_t next = 0;
  int64_t removed = 0;
  auto settle_up_to = [&](int64_t o) {
    while (next < order.size() && bookmarks[order[next]].Position <= o) {
      TBookmark& b = bookmarks[order[next++]];
      b.FilePosition = b.Position - removed;
    }
  };
  std::string out;
  out.reserve(text.size());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < n && text[i + 1] == '\n') {
        settle_up_to(static_cast<int64_t>(i));
        ++removed;  // the CR goes; the LF is kept next round
      } else {
        out.push_back('\n');
      }
    } else {
      out.push_back(c);
    }
  }
  settle_up_to(INT64_MAX);
  return out;
}

}  // namespace nuvel
