#pragma once
// Byte search over a file through the viewer's page cache, forwards or
// backwards, with or without regard to ASCII case. The file is searched a
// window at a time; windows overlap by the pattern's length less one, so a
// match across a page or window border is found.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "filemanager/viewer_file.h"

namespace nuvel {

class TViewerSearch {
 public:
  TViewerSearch(std::span<const uint8_t> pattern, bool matchCase);

  // The first match that starts at or after `from` and ends by `limit`.
  std::optional<int64_t> Forward(TViewerFile& file, int64_t from, int64_t limit);
  // The last match that starts before `before`.
  std::optional<int64_t> Backward(TViewerFile& file, int64_t before);

  size_t Length() const { return pattern_.size(); }

 private:
  // Copies bytes [from, from + count) of the file into the window.
  void Fill(TViewerFile& file, int64_t from, int64_t count);
  bool Find(std::span<const uint8_t> text, size_t& pos) const;

  std::vector<uint8_t> pattern_;
  bool matchCase_;
  std::array<size_t, 256> table_{};
  std::vector<uint8_t> window_;
};

}  // namespace nuvel
