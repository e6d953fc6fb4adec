#include "core/cp1255_look_alikes.h"

#include <algorithm>
#include <string_view>

namespace nuvel {
namespace {

std::string_view LookAlike(uint8_t b) {
  switch (b) {
    case 0x80: return "EUR";
    case 0x85: return "...";
    case 0x89: return "%o";
    case 0x99: return "TM";
    default: return {};
  }
}

}  // namespace

bool ExpandCp1255LookAlikes(std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  if (std::none_of(in.begin(), in.end(), [](uint8_t b) { return !LookAlike(b).empty(); })) return false;
  out.clear();
  for (uint8_t b : in) {
    const std::string_view text = LookAlike(b);
    if (text.empty()) {
      out.push_back(b);
    } else {
      out.insert(out.end(), text.begin(), text.end());
    }
  }
  return true;
}

}  // namespace nuvel
