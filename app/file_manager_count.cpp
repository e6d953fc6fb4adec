#include "app/file_manager_count.h"

#include "core/settings.h"

namespace nuvel {

int FileManagerWindowCount(std::string_view numberValue) {
  if (numberValue == kNotFound) return 1;
  return numberValue > std::string_view("1") ? 2 : 1;
}

}  // namespace nuvel
