#include "core/border_classes.h"

#include <algorithm>

namespace nuvel::border {

// (The first rule can be applied in place: a separator it changes has a
// digit on each side, so no neighbour that it reads is itself a changed
// separator.)
void LineClasses(std::span<const uint8_t> line, std::vector<Raw>& w, std::vector<Dir>& d) {
  const std::size_t n = line.size();
  w.resize(n);
  for (std::size_t i = 0; i < n; ++i) w[i] = RawClass(line[i]);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    if ((w[i] == Raw::ES || w[i] == Raw::CS) && w[i - 1] == Raw::EN && w[i + 1] == Raw::EN) w[i] = Raw::EN;
  }
  for (std::size_t i = 0; i < n;) {
    if (w[i] != Raw::ET) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && w[end] == Raw::ET) ++end;
    const bool byNumber = (i > 0 && w[i - 1] == Raw::EN) || (end < n && w[end] == Raw::EN);
    if (byNumber) std::fill(w.begin() + static_cast<std::ptrdiff_t>(i), w.begin() + static_cast<std::ptrdiff_t>(end), Raw::EN);
    i = end;
  }
  d.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    switch (w[i]) {
      case Raw::R: d[i] = Dir::Hebrew; break;
      case Raw::L: d[i] = Dir::Latin; break;
      case Raw::EN: d[i] = Dir::Number; break;
      default: d[i] = Dir::Neutral; break;
    }
  }
}

}  // namespace nuvel::border
