#include "tools/spell_suggestions.h"

#include <algorithm>

namespace nuvel {

bool SpellSuggestionList::Add(std::string item) {
  auto it = std::lower_bound(items_.begin(), items_.end(), item);
  if (it != items_.end() && *it == item) return false;
  items_.insert(it, std::move(item));
  return true;
}

}  // namespace nuvel
