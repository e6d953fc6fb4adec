// Conversion of outside text (Windows-1255 composition, 3B2 entities) and of
// the system's own text, on arbitrary bytes: no read past the input, and
// converting byte by byte gives what converting the whole buffer gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/conv_engine.h"
#include "core/conv_table.h"

namespace {

nuvel::ConvTableBytes Cp1255Like(bool out) {
  nuvel::ConvTableBytes t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
  if (out) {
    for (int b = 0x81; b <= 0x9B; ++b) t[b] = nuvel::kComposeMark;
  } else {
    for (int b : {0xC9, 0xCC, 0xD1, 0xD2}) t[b] = nuvel::kComposeMark;
  }
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static const nuvel::ConvTableBytes kOut = Cp1255Like(true);
  static const nuvel::ConvTableBytes kIn = Cp1255Like(false);
  constexpr int kModes[] = {nuvel::kConvCp1255, nuvel::kConvWindowsFonts, nuvel::kConv3B2, nuvel::kConvWindows31};
  nuvel::ConvSettings s;
  s.mode = kModes[data[0] % 4];
  s.out = (data[1] & 1) != 0;
  if (s.mode == nuvel::kConvWindowsFonts) {
    s.shin_dot = 0xD2;
    s.sin_dot = 0xD1;
  }
  s.table = s.mode == nuvel::kConv3B2 ? nuvel::Builtin3B2Table(s.out).data() : (s.out ? kOut : kIn).data();

  // An exact-size copy, so that a read past the end is caught.
  std::vector<uint8_t> in(data + 2, data + size);
  std::vector<uint8_t> whole;
  nuvel::ConvertBytes(s, in, whole);
  if (in.size() <= 512) {
    std::vector<uint8_t> stepwise = in;
    for (std::size_t pos = 0; pos < stepwise.size();) pos = nuvel::ConvertCharAt(s, stepwise, pos);
    if (stepwise != whole) std::abort();
  }
  return 0;
}
