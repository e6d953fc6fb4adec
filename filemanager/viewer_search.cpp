#include "filemanager/viewer_search.h"

#include <algorithm>


namespace nuvel {

namespace {
// Bytes searched at once.
constexpr int64_t kWindow = 16 * 1024;
}  // namespace

TViewerSearch::TViewerSearch(std::span<const uint8_t> pattern, bool matchCase) : finder_(pattern, matchCase) {
  window_.reserve(static_cast<size_t>(kWindow) + pattern.size());
}

void TViewerSearch::Fill(TViewerFile& file, int64_t from, int64_t count) {
  window_.clear();
  while (count > 0) {
    const auto bytes = file.BytesAt(from);
    if (bytes.empty()) break;
    const auto take = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(bytes.size())));
    window_.insert(window_.end(), bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(take));
    from += static_cast<int64_t>(take);
    count -= static_cast<int64_t>(take);
  }
}

std::optional<int64_t> TViewerSearch::Forward(TViewerFile& file, int64_t from, int64_t limit) {
  const auto len = static_cast<int64_t>(finder_.Length());
  if (len == 0) return std::nullopt;
  limit = std::min(limit, file.Size());
  from = std::max<int64_t>(from, 0);
  while (from + len <= limit) {
    const int64_t count = std::min(kWindow + len - 1, limit - from);
    Fill(file, from, count);
    if (const auto pos = finder_.First(window_)) return from + static_cast<int64_t>(*pos);
    from += count - len + 1;
  }
  return std::nullopt;
}

std::optional<int64_t> TViewerSearch::Backward(TViewerFile& file, int64_t before) {
  const auto len = static_cast<int64_t>(finder_.Length());
  if (len == 0) return std::nullopt;
  before = std::min(before, file.Size());
  // Matches start in [start, before) and may end up to len - 1 bytes later.
  while (before > 0) {
    const int64_t start = std::max<int64_t>(0, before - kWindow);
    const int64_t end = std::min(file.Size(), before + len - 1);
    Fill(file, start, end - start);
    if (const auto pos = finder_.Last(window_)) return start + static_cast<int64_t>(*pos);
    before = start;
  }
  return std::nullopt;
}

}  // namespace nuvel
