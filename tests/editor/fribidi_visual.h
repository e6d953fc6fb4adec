#pragma once
// What fribidi, the reference of the Unicode bidirectional algorithm, shows
// of a logical line, and what the editor's cell plan shows of a stored one,
// both left to right with each letter's points after it.
#include <fribidi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/charset.h"
#include "core/nikud.h"
#include "editor/heb_paint_plan.h"
#include "formats/text_form.h"

namespace nuvel::test {

inline std::u32string CodePoints(std::string_view utf8) {
  const std::span<const uint8_t> s(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size());
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(s, i, cp);
    EXPECT_GT(n, 0u);
    out.push_back(cp);
    i += n == 0 ? 1 : n;
  }
  return out;
}

inline std::vector<uint8_t> OwnBytes(const std::u32string& text) {
  std::vector<uint8_t> out;
  for (char32_t cp : text) out.push_back(UnicodeToHebChar(static_cast<char16_t>(cp)));
  return out;
}

// What fribidi shows of the logical text, left to right, marks after their letter.
inline std::u32string FribidiVisual(const std::u32string& logical, bool englishDocument) {
  std::vector<FriBidiChar> in(logical.begin(), logical.end());
  std::vector<FriBidiChar> visual(in.size() + 1);
  FriBidiParType base = englishDocument ? FRIBIDI_PAR_LTR : FRIBIDI_PAR_RTL;
  fribidi_log2vis(in.data(), static_cast<FriBidiStrIndex>(in.size()), &base, visual.data(), nullptr, nullptr, nullptr);
  return std::u32string(visual.begin(), visual.begin() + static_cast<std::ptrdiff_t>(in.size()));
}

// What the cell plan shows of a stored line, left to right; each cell as
// its letter followed by its points.
inline std::u32string CellPlanVisual(const std::vector<uint8_t>& stored, bool englishDocument) {
  const THebRowCells row = CutRowCells(stored, 8, englishDocument, 0, 10000);
  std::vector<std::u32string> cells;
  for (std::size_t c = 0; c < row.Cells(); ++c) {
    std::u32string cell;
    std::u32string points;
    for (uint8_t b : row.CellBytes(c, c + 1)) {
      if (IsNikud(b)) {
        points.push_back(HebUnicodeTable[b]);
      } else {
        cell.push_back(HebUnicodeTable[b]);
      }
    }
    cells.push_back(cell + points);
  }
  if (!englishDocument) std::reverse(cells.begin(), cells.end());
  std::u32string out;
  for (const auto& c : cells) out += c;
  return out;
}

}  // namespace nuvel::test
