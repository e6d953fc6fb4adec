#pragma once
// Byte search over a file through the viewer's page cache, forwards or
// backwards, with or without regard to ASCII case. The file is searched a
// window at a time; windows overlap by the pattern's length less one, so a
// match across a page or window border is found.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/byte_find.h"
#include "filemanager/viewer_file.h"

namespace nuvel {

class TViewerSearch {
 public:
  TViewerSearch(std::span<const uint8_t> pattern, bool matchCase);

  // The first match that starts at or after `from` and ends by `limit`.
  std::optional<int64_t> Forward(TViewerFile& file, int64_t from, int64_t limit);
  // The last match that starts before `before`.
  std::optional<int64_t> Backward(TViewerFile& file, int64_t before);

  size_t Length() const { return finder_.Length(); }

 private:
  // Copies bytes [from, from + count) of the file into the window.
  void Fill(TViewerFile& file, int64_t from, int64_t count);

  TByteFinder finder_;
  std::vector<uint8_t> window_;
};

}  // namespace nuvel
