#pragma once
// A text of other programs, in reading order, as a document of the given
// direction holds it once opened: each line (CR LF or LF ends) turned into
// the document's storage order by the border's own turn. The benchmarks of
// the tools that read documents as they read load this into an editor and
// give their peers the text itself.
#include <cstdint>
#include <span>
#include <string>

#include "core/border_order.h"

namespace nuvel::bench {

inline std::string StorageOrderText(bool englishDocument, std::string text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    LogicalToStorage(englishDocument,
                     std::span<uint8_t>(reinterpret_cast<uint8_t*>(text.data()) + start, stop - start));
    start = end + 1;
  }
  return text;
}

}  // namespace nuvel::bench
