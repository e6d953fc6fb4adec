#pragma once
// The LZSS dictionary of LZHUF: a 4096-byte ring buffer (with its first
// kMaxMatch - 1 bytes mirrored behind its end, so a string never wraps) and
// binary search trees of the strings starting at each ring position, one tree
// per first byte. Inserting a string finds the longest earlier match.
#include <cstdint>
#include <vector>

#include "formats/lzh_huffman.h"

namespace nuvel::lzh {

class MatchTree {
 public:
  MatchTree();

  uint8_t* Ring() { return ring_.data(); }
  // Stores a byte at ring position `pos`, mirrored when near the start.
  void Store(int pos, uint8_t byte) {
    ring_[pos] = byte;
    if (pos < kMaxMatch - 1) ring_[pos + kRingSize] = byte;
  }

  // Inserts the string at ring position r; sets MatchLength() and
  // MatchPosition() (the distance back from r, less one) of its longest
  // earlier match, the nearest of equal ones.
  void Insert(int r);
  // Removes the string at ring position p, when it is in a tree.
  void Delete(int p);

  int MatchLength() const { return match_length_; }
  int MatchPosition() const { return match_position_; }

 private:
  static constexpr int kNil = kRingSize;
  // Node links are 16-bit, so the whole tree stays in the fastest cache.
  struct Node {
    uint16_t lson = kNil;
    uint16_t rson = kNil;
    uint16_t dad = kNil;
  };
  std::vector<uint8_t> ring_;
  std::vector<Node> node_;  // positions 0..N-1, kNil, then the 256 roots
  int match_length_ = 0;
  int match_position_ = 0;
};

}  // namespace nuvel::lzh
