#include "textsearch/spin_edit_text.h"

#include <charconv>
#include <cmath>

namespace nuvel {

std::optional<std::string> SpinEditText(std::string_view text, TNvcSpinState state, double delta) {
  if (state != ssUp && state != ssDown) return std::nullopt;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  value = state == ssUp ? value + delta : value - delta;
  if (value == 0) value = 0;  // no "-0"
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string(buf, r.ptr);
}

}  // namespace nuvel
