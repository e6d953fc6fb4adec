#include "core/fixed_font_names.h"

#include <algorithm>

namespace nuvel {

bool IsHebScreenFont(std::string_view name) {
  return name == kHebrewScreenFont1 || name == kHebrewScreenFont2 || name == kHebrewScreenFont3;
}

bool IsOwnFixedFont(std::string_view name) {
  return IsHebScreenFont(name) || name == kDosBitmapFont;
}

bool IsFixedFont(std::string_view name) {
  if (IsOwnFixedFont(name)) return true;
  const auto& list = FixedFontList();
  return std::find(list.begin(), list.end(), name) != list.end();
}

std::vector<std::string>& FixedFontList() {
  static std::vector<std::string> list;
  return list;
}

}  // namespace nuvel
