// Decodes arbitrary bytes as a Doc text record and as eReader text, and
// compresses them back: nothing may crash, and compressed text must decode to
// itself (a zero byte reads back as a space).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/doc_bookmark.h"
#include "formats/ereader_markup.h"
#include "formats/palmdoc_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  std::string decoded = nuvel::DecodePalmDocRecord(bytes);
  std::string plain = nuvel::RemoveEReaderMarkup(decoded);

  // Bookmarks at offsets taken from the input, some past the end.
  std::vector<nuvel::TBookmark> marks;
  for (size_t i = 0; i + 1 < size && marks.size() < 8; i += 7) {
    nuvel::TBookmark b;
    b.FilePosition = (data[i] << 8 | data[i + 1]) % (plain.size() + 3);
    marks.push_back(b);
  }
  std::string crlf = nuvel::DocTextToCrLf(plain, marks);
  for (const auto& b : marks) {
    if (b.Position < b.FilePosition) __builtin_trap();
  }
  std::string lf = nuvel::DocTextToLf(crlf, marks);
  for (const auto& b : marks) {
    if (b.FilePosition > static_cast<int64_t>(lf.size()) + 3) __builtin_trap();
  }

  std::string text(reinterpret_cast<const char*>(data), size > 4096 ? 4096 : size);
  std::string back = nuvel::DecodePalmDocRecord(nuvel::CompressRecord(text));
  for (char& c : text) {
    if (c == 0) c = ' ';
  }
  if (back != text) __builtin_trap();
  return 0;
}
