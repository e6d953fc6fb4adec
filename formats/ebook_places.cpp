#include "formats/ebook_places.h"

#include <algorithm>
#include <numeric>

namespace nuvel {

int64_t OffsetOfPlace(const ParaLengthOf& length, int32_t paraCount, TTextPlace place) {
  int64_t offset = 0;
  const int32_t last = std::min(place.Para, paraCount + 1);
  for (int32_t p = 1; p < last; ++p) offset += length(p) + 2;
  if (place.Para > paraCount) return paraCount > 0 ? offset - 2 : 0;
  const int32_t len = length(place.Para);
  return offset + std::clamp(place.Pos - 1, 0, len);
}

TTextPlace PlaceOfOffset(const ParaLengthOf& length, int32_t paraCount, int64_t offset) {
  if (paraCount < 1 || offset <= 0) return {};
  int64_t start = 0;
  for (int32_t p = 1; p <= paraCount; ++p) {
    const int32_t len = length(p);
    if (offset <= start + len || p == paraCount)
      return {p, static_cast<int32_t>(std::min<int64_t>(offset - start, len)) + 1};
    if (offset < start + len + 2) return {p, len + 1};  // between CR and LF
    start += len + 2;
  }
  return {};
}

void PlaceBookmarks(const ParaLengthOf& length, int32_t paraCount, std::vector<TBookmark>& bookmarks) {
  std::vector<std::size_t> order(bookmarks.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return bookmarks[a].Position < bookmarks[b].Position; });
  int32_t para = 1;
  int64_t start = 0;
  for (std::size_t i : order) {
    TBookmark& b = bookmarks[i];
    TTextPlace place;
    if (paraCount >= 1 && b.Position > 0) {
      // Paragraphs before the bookmark's are passed once for all bookmarks.
      while (para < paraCount && b.Position >= start + length(para) + 2) {
        start += length(para) + 2;
        ++para;
      }
      const int32_t len = length(para);
      place = {para, static_cast<int32_t>(std::min<int64_t>(b.Position - start, len)) + 1};
    }
    b.Line = place.Para;
    b.Col = place.Pos;
  }
}

}  // namespace nuvel
