#include "formats/lzh_match_tree.h"

#include <bit>
#include <cstring>

namespace nuvel::lzh {

namespace {

// How many leading bytes of two strings of kMaxMatch bytes agree (the first
// byte is known to agree). Eight bytes are compared at a time; both strings
// lie wholly inside the ring with its mirrored tail.
int MatchedBytes(const uint8_t* a, const uint8_t* b) {
  int i = 1;
  for (; i + 8 <= kMaxMatch; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (uint64_t diff = x ^ y) {
      if constexpr (std::endian::native == std::endian::little) {
        return i + std::countr_zero(diff) / 8;
      } else {
        return i + std::countl_zero(diff) / 8;
      }
    }
  }
  while (i < kMaxMatch && a[i] == b[i]) ++i;
  return i;
}

}  // namespace

MatchTree::MatchTree()
    : ring_(kRingSize + kMaxMatch - 1, 0), node_(kRingSize + 257) {}

void MatchTree::Insert(int r) {
  const uint8_t* key = &ring_[r];
  int p = kRingSize + 1 + key[0];  // root of the tree of this first byte
  int cmp = 1;
  node_[r].rson = node_[r].lson = kNil;
  match_length_ = 0;
  for (;;) {
    if (cmp >= 0) {
      if (node_[p].rson != kNil) {
        p = node_[p].rson;
      } else {
        node_[p].rson = r;
        node_[r].dad = p;
        return;
      }
    } else {
      if (node_[p].lson != kNil) {
        p = node_[p].lson;
      } else {
        node_[p].lson = r;
        node_[r].dad = p;
        return;
      }
    }
    const uint8_t* other = &ring_[p];
    int i = MatchedBytes(key, other);
    cmp = i < kMaxMatch ? static_cast<int>(key[i]) - static_cast<int>(other[i]) : 0;
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
  node_[r].dad = node_[p].dad;
  node_[r].lson = node_[p].lson;
  node_[r].rson = node_[p].rson;
  node_[node_[p].lson].dad = r;
  node_[node_[p].rson].dad = r;
  if (node_[node_[p].dad].rson == p) {
    node_[node_[p].dad].rson = r;
  } else {
    node_[node_[p].dad].lson = r;
  }
  node_[p].dad = kNil;
}

void MatchTree::Delete(int p) {
  if (node_[p].dad == kNil) return;
  int q;
  if (node_[p].rson == kNil) {
    q = node_[p].lson;
  } else if (node_[p].lson == kNil) {
    q = node_[p].rson;
  } else {
    q = node_[p].lson;
    if (node_[q].rson != kNil) {
      do {
        q = node_[q].rson;
      } while (node_[q].rson != kNil);
      node_[node_[q].dad].rson = node_[q].lson;
      node_[node_[q].lson].dad = node_[q].dad;
      node_[q].lson = node_[p].lson;
      node_[node_[p].lson].dad = q;
    }
    node_[q].rson = node_[p].rson;
    node_[node_[p].rson].dad = q;
  }
  node_[q].dad = node_[p].dad;
  if (node_[node_[p].dad].rson == p) {
    node_[node_[p].dad].rson = q;
  } else {
    node_[node_[p].dad].lson = q;
  }
  node_[p].dad = kNil;
}

}  // namespace nuvel::lzh
