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

// A CR that LfPieces drops: one followed by a LF.
bool IsDroppedCr(std::string_view text, std::size_t i) {
  return text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
}

}  // namespace

CrLfAppender::CrLfAppender(std::string& out, std::vector<TBookmark>& bookmarks)
    : out_(out), bookmarks_(bookmarks), order_(SortedBy(bookmarks, [](const TBookmark& b) { return b.FilePosition; })) {}

// Bookmarks at or before file offset `up_to` have seen every byte added so far
// and no byte added after it.
void CrLfAppender::Settle(int64_t up_to) {
  while (next_ < order_.size() && bookmarks_[order_[next_]].FilePosition <= up_to) {
    TBookmark& b = bookmarks_[order_[next_++]];
    b.Position = b.FilePosition + added_;
  }
}

void CrLfAppender::AddLineFeedAfterCr() {
  Settle(offset_ - 1);  // the CR's own offset
  out_.push_back('\n');
  ++added_;
  pending_cr_ = false;
}

void CrLfAppender::Append(std::string_view piece) {
  for (char c : piece) {
    if (pending_cr_) {
      if (c == '\n') {
        out_.push_back('\n');
        pending_cr_ = false;
        ++offset_;
        continue;
      }
      AddLineFeedAfterCr();
    }
    if (c == '\r') {
      out_.push_back('\r');
      pending_cr_ = true;
    } else if (c == '\n') {
      Settle(offset_);
      out_ += "\r\n";
      ++added_;
    } else {
      out_.push_back(c);
    }
    ++offset_;
  }
}

void CrLfAppender::Finish() {
  if (pending_cr_) AddLineFeedAfterCr();
  Settle(INT64_MAX);
}

LfPieces::LfPieces(std::string_view text) : text_(text) {
  length_ = text.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsDroppedCr(text, i)) --length_;
  }
}

std::string_view LfPieces::Next(std::size_t max) {
  buffer_.clear();
  while (buffer_.size() < max && at_ < text_.size()) {
    std::size_t i = at_++;
    if (IsDroppedCr(text_, i)) continue;
    buffer_.push_back(text_[i] == '\r' ? '\n' : text_[i]);
  }
  return buffer_;
}

void BookmarksToFile(std::string_view text, std::vector<TBookmark>& bookmarks) {
  auto order = SortedBy(bookmarks, [](const TBookmark& b) { return b.Position; });
  std::size_t next = 0;
  int64_t removed = 0;
  auto settle = [&](int64_t up_to) {
    while (next < order.size() && bookmarks[order[next]].Position <= up_to) {
      TBookmark& b = bookmarks[order[next++]];
      b.FilePosition = b.Position - removed;
    }
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsDroppedCr(text, i)) {
      settle(static_cast<int64_t>(i));
      ++removed;
    }
  }
  settle(INT64_MAX);
}

std::string DocTextToCrLf(std::string_view text, std::vector<TBookmark>& bookmarks) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  CrLfAppender appender(out, bookmarks);
  appender.Append(text);
  appender.Finish();
  return out;
}

std::string DocTextToLf(std::string_view text, std::vector<TBookmark>& bookmarks) {
  BookmarksToFile(text, bookmarks);
  LfPieces pieces(text);
  std::string out;
  out.reserve(pieces.Length());
  for (std::string_view p; !(p = pieces.Next(65536)).empty();) out += p;
  return out;
}

}  // namespace nuvel
