#include "app/single_instance_name.h"

#include "app/file_name_parts.h"

namespace nuvel {

std::string SingleInstanceKey(std::string_view programPath, std::string_view user) {
  std::string key = std::string(NameWithoutFolder(programPath)) + "-" + std::string(user);
  for (char& c : key) {
    bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                c == '_' || c == '-';
    if (!keep) c = '_';
  }
  return key;
}

}  // namespace nuvel
