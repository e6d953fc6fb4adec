#include "formats/text_conversion.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/charset.h"
#include "core/conv_buffer.h"
#include "core/conv_guard.h"
#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/shared_state.h"

namespace nuvel {
namespace {

constexpr bool IsPlainByte(uint8_t b) { return b == 9 || (b >= 32 && b <= 127) || (b >= 0xE0 && b <= 0xFA); }
constexpr bool IsPoint(uint8_t b) { return b >= 0xC0 && b <= 0xD3; }

// Shin, point, holam becomes shin, the dot code of the holam's place, point.
void MoveHolamOfShin(std::vector<uint8_t>& p, uint8_t dot) {
  for (std::size_t i = 0; i + 2 < p.size(); ++i) {
    if (p[i] == kShin && IsPoint(p[i + 1]) && p[i + 2] == kHolam) {
      p[i + 2] = p[i + 1];
      p[i + 1] = dot;
    }
  }
}

}  // namespace

void ConvertText(TDocumentText& text, bool toOutside) {
  const int mode = GetConvMode();
  if (mode == kConvNone || mode == kConvUnicode) return;
  // The pass prepares a table of its own and leaves the shared state as it was.
  ConvStateGuard keep;
  std::unique_ptr<ConvTableBytes> table;
  PrepareConvTable(toOutside, table);
  ConvSettings s = CurrentConvSettings();
  s.table = table->data();
  s.out = toOutside;
  const bool lengthChanges = mode == kConvCp1255 || mode == kConv3B2 || mode == kConvWindowsFonts;
  text.BeginUpdate();
  bool unusual = false;
  std::vector<uint8_t> out;
  for (uint32_t i = 0; i < text.ParaCount(); ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    if (para.empty()) continue;
    out.clear();
    ConvertBytes(s, para, out);
    if (lengthChanges) {
      if (toOutside) MoveHolamOfShin(out, SinDotCode);
      unusual = unusual || !std::all_of(out.begin(), out.end(), IsPlainByte);
    }
    if (!std::equal(out.begin(), out.end(), para.begin(), para.end())) text.ReplacePara(i, out);
  }
  if (lengthChanges) text.SetModified(unusual);
  text.EndUpdate();
}

void ReverseClassRuns(TDocumentText& text) {
  std::vector<uint8_t> p;
  for (uint32_t i = 0; i < text.ParaCount(); ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    p.assign(para.begin(), para.end());
    bool changed = false;
    std::size_t k = 0;
    while (k < p.size()) {
      if (!DigitTable[p[k]]) {
        ++k;
        continue;
      }
      std::size_t end = k;
      while (end < p.size() && DigitTable[p[end]]) ++end;
      std::size_t runEnd = end;
      if (p[runEnd - 1] == '.') --runEnd;
      if (runEnd - k >= 2) {
        std::reverse(p.begin() + static_cast<std::ptrdiff_t>(k), p.begin() + static_cast<std::ptrdiff_t>(runEnd));
        changed = true;
      }
      k = end;
    }
    if (changed) text.ReplacePara(i, p);
  }
}

}  // namespace nuvel
