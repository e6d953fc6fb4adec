#include "core/cell_plan.h"

#include <algorithm>

#include "core/charset.h"
#include "core/nikud.h"

namespace nuvel {
namespace {

char16_t HebUnicode(uint8_t b) { return HebUnicodeTable[b]; }

constexpr char16_t kNoBreakSpace = 0x00A0;

// The symbols the DOS code page shows for the control bytes 1..31.
constexpr char16_t kDosControlSymbols[32] = {
    0,      0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};

// Hebrew marks that combine with the character before them.
bool IsCombiningMark(char16_t c) {
  if (c < 0x0591 || c > 0x05C7) return false;
  return c != 0x05BE && c != 0x05C0 && c != 0x05C3 && c != 0x05C6;
}

// A pointed letter whose code point is a private one: no font has it, so it
// is drawn as its letter with its points.
bool HasPrivateCode(uint8_t b) {
  const char16_t c = HebUnicode(b);
  return IsPointedLetter(b) && c >= 0xE000 && c <= 0xF8FF;
}

void AppendPoints(std::u16string& out, std::span<const uint8_t> points) {
  for (uint8_t p : points) out.push_back(HebUnicode(p));
}

}  // namespace

int CentringOffset(int advance, int cellWidth) {
  if (advance <= 0 || advance >= cellWidth) return 0;
  return (cellWidth - advance) / 2;
}

CellPlan PlanLineCells(std::span<const uint8_t> text, const FontIndex& index, bool overstrike,
                       const HebrewAdvances* advances, int cellWidth) {
  CellPlan plan;
  plan.Cells.reserve(text.size() + 1);
  std::vector<uint8_t> pending;  // points waiting for the next character
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t b = text[i];
    if (overstrike && IsLetterPoint(b)) {
      pending.push_back(b);
      continue;
    }
    PlannedCell cell;
    cell.Byte = b;
    const uint8_t font = i + 1 < index.size() ? index[i + 1] : 0;
    if (font >= kEnglishFontIndex && font <= kDosBoldFontIndex) {
      cell.Font = font;
    } else {
      plan.BadFontCells.push_back(plan.Cells.size());
    }
    if (advances != nullptr) {
      if (cell.Font == kHebrewFontIndex) {
        cell.Offset = CentringOffset(advances->Byte[b], cellWidth);
      } else if (!pending.empty()) {
        // Points on a character of another font stand on their carrier.
        cell.Offset = CentringOffset(advances->PointCarrier, cellWidth);
      }
    }
    // Display order stands a letter's points in the reverse of the order
    // they were written in; the cell keeps them as written.
    std::reverse(pending.begin(), pending.end());
    cell.Points = std::move(pending);
    pending.clear();
    plan.Cells.push_back(std::move(cell));
  }
  plan.CharCells = plan.Cells.size();
  if (!pending.empty()) {
    PlannedCell extra;
    extra.HasChar = false;
    std::reverse(pending.begin(), pending.end());
    extra.Points = std::move(pending);
    if (advances != nullptr) extra.Offset = CentringOffset(advances->PointCarrier, cellWidth);
    plan.Cells.push_back(std::move(extra));
  }
  return plan;
}

std::u16string CellCluster(uint8_t b, std::span<const uint8_t> points) {
  std::u16string out;
  if (b >= 1 && b <= 31) {
    out.push_back(kDosControlSymbols[b]);
  } else if (HasPrivateCode(b)) {
    for (uint8_t part : PointedLetterParts(b)) out.push_back(HebUnicode(part));
  } else if (b != 0 && b != ' ') {
    const char16_t c = HebUnicode(b);
    if (IsCombiningMark(c)) out.push_back(kNoBreakSpace);
    out.push_back(c);
  }
  if (points.empty()) return out;
  if (out.empty()) return PointsCluster(points);
  AppendPoints(out, points);
  return out;
}

std::u16string PointsCluster(std::span<const uint8_t> points) {
  if (points.empty()) return {};
  std::u16string out(1, kNoBreakSpace);
  AppendPoints(out, points);
  return out;
}

}  // namespace nuvel
