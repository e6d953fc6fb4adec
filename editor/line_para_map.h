#pragma once
// Which paragraph holds each screen line of a text, for jumps to a line that
// read one small entry before the paragraph's own: two bytes a line, the
// paragraph as a step from the paragraph of the first line of its run of
// kRunLines lines, and the line's place in the paragraph. The runs' first
// paragraphs are few enough to stay in the cache, so a jump's first read
// from memory is the line's entry and its next the paragraph's. A line whose
// place or step does not fit is marked, and is left to the caller. The map
// is built whole, so any change of a paragraph's lines or of the paragraphs
// makes it stale until it is built again.
#include <cstdint>
#include <vector>

namespace nuvel {

class TLineParaMap {
 public:
  // Starts a new map of `lines` lines; paragraphs are then added in order
  // and Finish seals it. A text with more paragraphs than the map can name
  // gives no map.
  void Start(uint64_t lines, uint64_t paragraphs);
  void AddPara(uint32_t lines);
  void Finish();
  void Invalidate() { valid_ = false; }
  bool Valid() const { return valid_; }

  // The paragraph holding line `line` (below the total of lines) of a valid
  // map and the line's place there (from 0); false, with neither set, when
  // the line's entry is marked. Inline: it lies on the path of every jump to
  // a line.
  bool Find(uint32_t line, uint32_t& para, uint32_t& lineInPara) const {
    const uint32_t entry = entries_[line];
    const uint32_t place = entry & kPlaceMask;
    if (place == kMarked) return false;
    para = runFirst_[line >> kRunBits] + (entry >> kPlaceBits);
    lineInPara = place;
    return true;
  }

 private:
  static constexpr uint32_t kRunBits = 10;
  static constexpr uint32_t kRunLines = 1u << kRunBits;
  static constexpr uint32_t kPlaceBits = 6;
  static constexpr uint32_t kPlaceMask = (1u << kPlaceBits) - 1;
  static constexpr uint32_t kMarked = kPlaceMask;
  static constexpr uint32_t kMaxStep = (1u << (16 - kPlaceBits)) - 1;
  std::vector<uint16_t> entries_;   // per line
  std::vector<uint32_t> runFirst_;  // per run of kRunLines lines
  uint64_t lines_ = 0;  // added so far
  uint32_t para_ = 0;
  bool building_ = false;
  bool valid_ = false;
};

}  // namespace nuvel
