#include "formats/lzh_match_tree.h"

namespace nuvel::lzh {

MatchTree::MatchTree()
    : ring_(kRingSize + kMaxMatch - 1, 0),
      lson_(kRingSize + 1, kNil),
      rson_(kRingSize + 257, kNil),
      dad_(kRingSize + 1, kNil) {}

void MatchTree::Insert(int r) {
  const uint8_t* key = &ring_[r];
  int p = kRingSize + 1 + key[0];  // root of the tree of this first byte
  int cmp = 1;
  rson_[r] = lson_[r] = kNil;
  match_length_ = 0;
  for (;;) {
    if (cmp >= 0) {
      if (rson_[p] != kNil) {
        p = rson_[p];
      } else {
        rson_[p] = r;
        dad_[r] = p;
        return;
      }
    } else {
      if (lson_[p] != kNil) {
        p = lson_[p];
      } else {
        lson_[p] = r;
        dad_[r] = p;
        return;
      }
    }
    const uint8_t* other = &ring_[p];
    int i = 1;
    for (; i < kMaxMatch; ++i) {
      cmp = static_cast<int>(key[i]) - static_cast<int>(other[i]);
      if (cmp != 0) break;
    }
    if (i > kThreshold) {
      int distance = ((r - p) & (kRingSize - 1)) - 1;
      if (i > match_length_) {
        match_position_ = distance;
        match_length_ = i;
        if (match_length_ >= kMaxMatch) break;
      } else if (i == match_length_ && distance < match_position_) {
        match_position_ = distance;
      }
    }
  }
  // A full-length match: the new string takes the old one's place.
  dad_[r] = dad_[p];
  lson_[r] = lson_[p];
  rson_[r] = rson_[p];
  dad_[lson_[p]] = r;
  dad_[rson_[p]] = r;
  if (rson_[dad_[p]] == p) {
    rson_[dad_[p]] = r;
  } else {
    lson_[dad_[p]] = r;
  }
  dad_[p] = kNil;
}

void MatchTree::Delete(int p) {
  if (dad_[p] == kNil) return;
  int q;
  if (rson_[p] == kNil) {
    q = lson_[p];
  } else if (lson_[p] == kNil) {
    q = rson_[p];
  } else {
    q = lson_[p];
    if (rson_[q] != kNil) {
      do {
        q = rson_[q];
      } while (rson_[q] != kNil);
      rson_[dad_[q]] = lson_[q];
      dad_[lson_[q]] = dad_[q];
      lson_[q] = lson_[p];
      dad_[lson_[p]] = q;
    }
    rson_[q] = rson_[p];
    dad_[rson_[p]] = q;
  }
  dad_[q] = dad_[p];
  if (rson_[dad_[p]] == p) {
    rson_[dad_[p]] = q;
  } else {
    lson_[dad_[p]] = q;
  }
  dad_[p] = kNil;
}

}  // namespace nuvel::lzh
