#include "app/collect_mark.h"

namespace nuvel {

std::string_view WithoutCollectMark(std::string_view caption) {
  size_t at = caption.find(kCollectMark);
  return at == std::string_view::npos ? caption : caption.substr(0, at);
}

std::string WithCollectMark(std::string_view caption) {
  std::string s(caption);
  if (!s.ends_with(kCollectMark)) s += kCollectMark;
  return s;
}

}  // namespace nuvel
