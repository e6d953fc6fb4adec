// Expands arbitrary bytes as a compressed file: damaged input must end in
// ECompressError, never in a crash or a read out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "formats/lzh_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file;
  // Mostly give the stream a valid header, so the decoder itself is reached.
  if (size > 0 && (data[0] & 1)) {
    std::string_view header = (data[0] & 2) ? nuvel::kCompressHeaderOld : nuvel::kCompressHeader;
    file.assign(header.begin(), header.end());
    file.insert(file.end(), data + 1, data + size);
  } else {
    file.assign(data, data + size);
  }
  try {
    std::vector<uint8_t> out = nuvel::DeCompressBytes(file);
    // What expands compresses and expands back the same.
    if (out.size() <= 4096 && nuvel::DeCompressBytes(nuvel::CompressBytes(out)) != out) __builtin_trap();
  } catch (const nuvel::ECompressError&) {
  }
  return 0;
}
