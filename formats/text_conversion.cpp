#include "formats/text_conversion.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/charset.h"
#include "core/conv_buffer.h"
#include "core/conv_guard.h"
#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/point_order.h"
#include "core/shared_state.h"

namespace nuvel {
namespace {

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

void ConvertParagraphOut(const ConvSettings& s, std::span<const uint8_t> para, std::vector<uint8_t>& out) {
  out.clear();
  ConvertBytes(s, para, out);
  if (s.mode == kConvCp1255 || s.mode == kConvWindowsFonts) {
    MoveHolamOfShin(out, s.sin_dot);
    PutPointsInCanonicalOrder(out);
  } else if (s.mode == kConv3B2) {
    MoveHolamOfShin(out, s.sin_dot);
  }
}

namespace {

// An outside byte that the table of direction in turns into a byte that the
// table of direction out does not turn back: a character without a byte of
// its own in the system's set. Bytes the composition takes are kept.
uint64_t CountLostBytes(std::span<const uint8_t> para, const ConvTableBytes& in, const ConvTableBytes& out) {
  uint64_t lost = 0;
  for (uint8_t b : para) {
    const uint8_t own = in[b];
    if (own != kComposeMark && out[own] != b) ++lost;
  }
  return lost;
}

}  // namespace

TConvertReport ConvertText(TDocumentText& text, bool toOutside) {
  TConvertReport report;
  const int mode = GetConvMode();
  if (mode == kConvNone || mode == kConvUnicode) return report;
  // The pass prepares tables of its own and leaves the shared state as it was.
  ConvStateGuard keep;
  std::unique_ptr<ConvTableBytes> table;
  PrepareConvTable(toOutside, table);
  ConvSettings s = CurrentConvSettings();
  s.table = table->data();
  s.out = toOutside;
  if (!ModeConvertsBytes(mode)) return report;
  // Going in, the table of the way back decides what the text could not keep.
  std::unique_ptr<ConvTableBytes> backTable;
  ConvSettings back = s;
  if (!toOutside) {
    PrepareConvTable(true, backTable);
    back.table = backTable->data();
    back.out = true;
  }
  const bool countBytes = !toOutside && mode != kConv3B2;
  text.BeginUpdate();
  std::vector<uint8_t> out;
  std::vector<uint8_t> again;
  for (uint32_t i = 0; i < text.ParaCount(); ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    if (para.empty()) continue;
    if (toOutside) {
      ConvertParagraphOut(s, para, out);
    } else {
      out.clear();
      ConvertBytes(s, para, out);
      ConvertParagraphOut(back, out, again);
      if (!std::equal(again.begin(), again.end(), para.begin(), para.end())) report.changed = true;
      if (countBytes) report.lostChars += CountLostBytes(para, *table, *backTable);
    }
    if (!std::equal(out.begin(), out.end(), para.begin(), para.end())) text.ReplacePara(i, out);
  }
  if (report.changed) text.SetModified(true);
  text.EndUpdate();
  return report;
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
