#include "app/new_doc_numbers.h"

#include <charconv>

#include "app/collect_mark.h"

namespace nuvel {

bool IsUntitledName(std::string_view name) { return name.starts_with(kNewDocPrefix); }

std::string NewDocName(int number) { return std::string(kNewDocPrefix) + std::to_string(number); }

std::optional<int> NewDocNumberOf(std::string_view caption) {
  if (!IsUntitledName(caption)) return std::nullopt;
  std::string_view rest = WithoutCollectMark(caption).substr(kNewDocPrefix.size());
  int n = 0;
  auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), n);
  if (ec != std::errc() || end != rest.data() + rest.size() || n < 0 || n > kMaxNewDocNumber) return std::nullopt;
  return n;
}

std::optional<int> NewDocNumberSet::Take() {
  for (int n = 1; n <= kMaxNewDocNumber; ++n) {
    if (!used_[n]) {
      used_[n] = true;
      return n;
    }
  }
  return std::nullopt;
}

void NewDocNumberSet::Free(int number) {
  if (number >= 0 && number <= kMaxNewDocNumber) used_[number] = false;
}

bool NewDocNumberSet::InUse(int number) const {
  return number >= 0 && number <= kMaxNewDocNumber && used_[number];
}

}  // namespace nuvel
