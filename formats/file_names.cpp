#include "formats/file_names.h"

#include "platform/ascii_case.h"

namespace nuvel {

std::string_view StripTrailingDot(std::string_view name) {
  if (name.size() > 1 && name.back() == '.') name.remove_suffix(1);
  return name;
}

std::string DocumentExtension(std::string_view name) {
  name = StripTrailingDot(name);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  const std::size_t sep = name.find_last_of("/\\:");
  if (sep != std::string_view::npos && sep > dot) return {};
  return platform::UpperAscii(name.substr(dot, 4));
}

}  // namespace nuvel
