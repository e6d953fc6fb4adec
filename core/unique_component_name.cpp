#include "core/unique_component_name.h"

#include <charconv>

namespace nuvel {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

}  // namespace

bool IsValidComponentName(std::string_view name) {
  if (name.empty() || !IsLetter(name[0])) return false;
  for (char c : name) {
    if (!IsLetter(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

std::string GetUniqueComponentName(const std::function<bool(std::string_view)>& taken,
                                   std::string_view base) {
  if (!IsValidComponentName(base)) {
    throw EComponentError("'" + std::string(base) + "' is not a valid component name");
  }
  for (unsigned n = 1;; ++n) {
    char digits[12];
    auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    std::string name = std::string(base) + std::string(digits, end);
    if (!taken(name)) return name;
  }
}

}  // namespace nuvel
