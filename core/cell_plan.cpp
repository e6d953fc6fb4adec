#include "core/cell_plan.h"

#include "core/nikud.h"

namespace nuvel {
namespace {

// STAND-IN until the character set lands on main: replace with
// HebUnicodeTable from core/.
char16_t HebUnicode(uint8_t b) {
  static constexpr char16_t kPointed[] = {
      0xFB31, 0xFB32, 0xFB33, 0xFB34, 0xFB35, 0xFB36, 0xE802, 0xFB38, 0xFB39,
      0xFB3A, 0xFB3B, 0xFB3C, 0xFB4B, 0xFB3E, 0xE804, 0xFB40, 0xFB41, 0xE803,
      0xE805, 0xFB44, 0xFB2A, 0xFB46, 0xFB47, 0xFB2C, 0xFB2D, 0xFB4A, 0xFB2B};
  if (b >= 0x81 && b <= 0x9B) return kPointed[b - 0x81];
  if (b == 0xA4) return 0x20AA;
  if (b >= 0xC0 && b <= 0xD3) return static_cast<char16_t>(0x05B0 + (b - 0xC0));
  if (b >= 0xD4 && b <= 0xD6) return static_cast<char16_t>(0x05F0 + (b - 0xD4));
  if (b >= 0xE0 && b <= 0xFA) return static_cast<char16_t>(0x05D0 + (b - 0xE0));
  if (b == 0xFD) return 0x200E;
  if (b == 0xFE) return 0x200F;
  return b;
}

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

// Pointed letters whose code points are private: drawn as letter + points.
std::u16string_view PrivateLetterDecomposition(uint8_t b) {
  switch (b) {
    case 0x87: return u"\u05DA\u05B0";        // final kaf + sheva
    case 0x8F: return u"\u05DC\u05B9";        // lamed + holam
    case 0x92: return u"\u05DA\u05B8";        // final kaf + qamats
    case 0x93: return u"\u05DC\u05BC\u05B9";  // lamed + dagesh + holam
    default: return {};
  }
}

void AppendPoints(std::u16string& out, std::span<const uint8_t> points) {
  for (uint8_t p : points) out.push_back(HebUnicode(p));
}

}  // namespace

CellPlan PlanLineCells(std::span<const uint8_t> text, const FontIndex& index, bool overstrike) {
  CellPlan plan;
  plan.Cells.reserve(text.size() + 1);
  std::vector<uint8_t> pending;  // points waiting for the next character
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t b = text[i];
    if (overstrike && IsNikud(b)) {
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
    cell.Points = std::move(pending);
    pending.clear();
    plan.Cells.push_back(std::move(cell));
  }
  plan.CharCells = plan.Cells.size();
  if (!pending.empty()) {
    PlannedCell extra;
    extra.HasChar = false;
    extra.Points = std::move(pending);
    plan.Cells.push_back(std::move(extra));
  }
  return plan;
}

std::u16string CellCluster(uint8_t b, std::span<const uint8_t> points) {
  std::u16string out;
  if (b >= 1 && b <= 31) {
    out.push_back(kDosControlSymbols[b]);
  } else if (auto parts = PrivateLetterDecomposition(b); !parts.empty()) {
    out.append(parts);
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
