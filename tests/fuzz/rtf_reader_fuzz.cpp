// The RTF reader on arbitrary bytes: no read past the input, no paragraph
// longer than the reader's buffer, and the parse always ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/rtf_reader.h"

namespace {

class CheckingSink : public nuvel::TParaSink {
 public:
  uint16_t AppendParaText(std::span<const uint8_t> text) override {
    if (text.size() > nuvel::TRtfReader::kTextLimit + 1) std::abort();
    for (uint8_t b : text) {
      if (b == 0 || b == 13) std::abort();
    }
    return 0;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckingSink sink;
  nuvel::TRtfReader reader(sink);
  reader.ReadRtf(std::span<const uint8_t>(data, size));
  return 0;
}
