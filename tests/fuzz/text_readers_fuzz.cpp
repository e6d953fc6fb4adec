// The plain-text and Unicode readers on arbitrary bytes: no read past the
// input, paragraphs within the limits each reader keeps, and every reader
// comes to the end of its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/text_form.h"
#include "formats/text_readers.h"

namespace {

class CheckingSink : public nuvel::TParaSink {
 public:
  explicit CheckingSink(std::size_t limit) : limit_(limit) {}
  uint16_t AppendParaText(std::span<const uint8_t> text) override {
    if (text.size() > limit_) std::abort();
    return 0;
  }

 private:
  std::size_t limit_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t which = data[0] % 10;
  // An exact-size copy, so that a read past the end is caught.
  const std::vector<uint8_t> file(data + 1, data + size);
  nuvel::TReaderInput in(file);
  CheckingSink sink(nuvel::kLineBufferSize);
  switch (which) {
    case 0: nuvel::ReadLines(in, sink); break;
    case 1: nuvel::ReadDosText(in, sink); break;
    case 2: nuvel::ReadSmartDos(in, sink, false); break;
    case 3: nuvel::ReadSmartDos(in, sink, true); break;
    case 4:
      in.lineEndChar = nuvel::kEinsteinLineEnd;
      nuvel::ReadSmartDos(in, sink, true);
      break;
    case 5: nuvel::Read3B2(in, sink, "<body>"); break;
    case 6: nuvel::ReadNulRecords(in, sink); break;
    case 7: nuvel::ReadUnicodeText(in, sink, true); return 0;
    case 8: {
      // UTF-8, and what sniffing makes of the same bytes.
      nuvel::TUnicodeReadNotes notes;
      nuvel::ReadUnicodeText(in, sink, false, nuvel::TTextForm::Utf8, &notes);
      (void)nuvel::SniffTextForm(file);
      return 0;
    }
    case 9: nuvel::ReadUnicodeText(in, sink, false, nuvel::TTextForm::Utf16BigMark); return 0;
  }
  if (!in.AtEnd()) std::abort();
  return 0;
}
