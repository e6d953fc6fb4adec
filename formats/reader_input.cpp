#include "formats/reader_input.h"

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
  while (in.pos < d.size()) {
    const uint8_t b = d[in.pos];
    if (b == 13 || b == 10 || b == in.lineEndChar) break;
    if (r.length == limit) {
      r.cut = true;
      break;
    }
    ++in.pos;
    if (b == 0) {
      in.nulSeen = true;
      ++in.nulBytes;
      continue;
    }
    line.push_back(b);
    ++r.length;
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
