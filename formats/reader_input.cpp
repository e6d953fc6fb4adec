#include "formats/reader_input.h"

#include <algorithm>

namespace nuvel {

TReaderInput::TReaderInput(std::span<const uint8_t> whole) : file(whole), data(whole) {
  std::size_t n = data.size();
  while (n > 1 && (data[n - 1] == 0x00 || data[n - 1] == 0x1A || data[n - 1] == 0xFF)) --n;
  data = data.first(n);
}

TLineResult ReadLine(TReaderInput& in, std::vector<uint8_t>& line, std::size_t max) {
  TLineResult r;
  if (max <= 2) return r;
  const std::size_t limit = max - 2;
  const auto& d = in.data;
  const uint8_t* bytes = d.data();
  const uint8_t lineEnd = in.lineEndChar;
  while (in.pos < d.size()) {
    // The bytes up to the next line end or zero byte, as far as the limit
    // allows, go in at once.
    const std::size_t stop = std::min(d.size(), in.pos + (limit - r.length));
    std::size_t run = in.pos;
    while (run < stop) {
      const uint8_t b = bytes[run];
      if (b == 13 || b == 10 || b == lineEnd || b == 0) break;
      ++run;
    }
    line.insert(line.end(), bytes + in.pos, bytes + run);
    r.length += run - in.pos;
    in.pos = run;
    if (in.pos >= d.size()) break;
    const uint8_t b = bytes[in.pos];
    if (b == 13 || b == 10 || b == lineEnd) break;
    if (r.length == limit) {
      r.cut = true;
      break;
    }
    // A zero byte: dropped.
    ++in.pos;
    in.nulSeen = true;
    ++in.nulBytes;
  }
  if (in.pos >= d.size()) return r;
  const uint8_t at = d[in.pos];
  if (in.lineEndChar != 13 && (at == 13 || at == 10)) {
    line.push_back(kParagraphMark);
    ++r.length;
  }
  if (at == in.lineEndChar || at == 13) {
    if (at == 13) ++in.crLineEnds;
    ++in.pos;
    if (in.pos < d.size() && d[in.pos] == 10) ++in.pos;
  } else if (at == 10) {
    ++in.lfLineEnds;
    ++in.pos;
  }
  return r;
}

}  // namespace nuvel
