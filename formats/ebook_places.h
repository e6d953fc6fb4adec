#pragma once
// Where a bookmark of an e-book lies in the editor's text: its offset counts
// every byte from 0 with each paragraph end as two (CR LF); its place is a
// paragraph (from 1) and a byte position in it (from 1). Places are
// paragraphs and bytes, never wrapped lines, so they do not move when the
// window is resized.
#include <cstdint>
#include <functional>
#include <vector>

#include "formats/doc_bookmark.h"

namespace nuvel {

struct TTextPlace {
  int32_t Para = 1;
  int32_t Pos = 1;
  bool operator==(const TTextPlace&) const = default;
};

// The length in bytes of paragraph n (from 1).
using ParaLengthOf = std::function<int32_t(int32_t para)>;

// The offset of `place`; a paragraph beyond `paraCount` counts as the end.
int64_t OffsetOfPlace(const ParaLengthOf& length, int32_t paraCount, TTextPlace place);
// The place of `offset`: one inside a paragraph end is the paragraph's end,
// one past the text the end of the last paragraph, a negative one the start.
TTextPlace PlaceOfOffset(const ParaLengthOf& length, int32_t paraCount, int64_t offset);
// Sets every bookmark's Line and Col to the paragraph and position of its
// Position, in one pass over the text.
void PlaceBookmarks(const ParaLengthOf& length, int32_t paraCount, std::vector<TBookmark>& bookmarks);

}  // namespace nuvel
