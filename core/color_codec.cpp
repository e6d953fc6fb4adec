#include "core/color_codec.h"

#include <charconv>

namespace nuvel {

std::string StoredColorText(TColor color) {
  char buffer[16];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int32_t>(color));
  return std::string(buffer, r.ptr);
}

std::optional<TColor> ParseStoredColor(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  if (value >= 0 && value <= 0xFFFFFF) return static_cast<TColor>(value);
  // A system colour: signed, or the same bits written unsigned.
  const int64_t base = static_cast<int64_t>(static_cast<int32_t>(0x80000000u));
  for (int64_t first : {base, int64_t{0x80000000}}) {
    if (value >= first && value < first + kSystemColorCount) return SystemColor(static_cast<int>(value - first));
  }
  return std::nullopt;
}

ColorRole ColorRoleOf(TColor color) {
  if (!IsSystemColor(color)) return ColorRole::None;
  switch (static_cast<uint32_t>(color) & 0x7FFFFFFFu) {
    case 4: return ColorRole::Face;         // menu
    case 5: return ColorRole::Window;
    case 7: return ColorRole::FaceText;     // menu text
    case 8: return ColorRole::WindowText;
    case 13: return ColorRole::Highlight;
    case 14: return ColorRole::HighlightText;
    case 15: return ColorRole::Face;
    case 16: return ColorRole::Shadow;
    case 17: return ColorRole::GrayText;
    case 18: return ColorRole::FaceText;
    case 20: return ColorRole::Light;
    case 21: return ColorRole::DarkShadow;
    case 22: return ColorRole::Light;
    case 23: return ColorRole::ToolTipText;
    case 24: return ColorRole::ToolTip;
    default: return ColorRole::None;
  }
}

}  // namespace nuvel
