#include "core/mru_list.h"

#include <algorithm>

#include "core/message_table.h"

namespace nuvel {
namespace {

std::string FilePart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

void MruList::SetMaxItems(int max) {
  if (max < 1) return;
  maxItems_ = max;
  if (style_ == MruStyle::msNormal && items_.size() > static_cast<size_t>(max)) items_.resize(max);
}

void MruList::MRUAdd(std::string_view name) {
  if (style_ == MruStyle::msSplit) {
    throw EMenuMRUError(GetLibraryString(kMsgMruCallAddSplit));
  }
  if (!items_.empty() && items_.front() == name) return;
  auto found = std::find(items_.begin(), items_.end(), name);
  if (found != items_.end()) items_.erase(found);
  items_.insert(items_.begin(), std::string(name));
  if (items_.size() > static_cast<size_t>(maxItems_)) items_.resize(maxItems_);
}

void MruList::MRUAddSplit(std::string_view name, int group) {
  if (group == 0 || style_ != MruStyle::msSplit) {
    throw EMenuMRUError(GetLibraryString(kMsgMruInvalidAnchor));
  }
  auto divider = std::find(items_.begin(), items_.end(), kMruDivider);
  if (divider == items_.end()) {
    items_.push_back(std::string(kMruDivider));
    divider = items_.end() - 1;
  }
  size_t dividerPos = divider - items_.begin();
  // An equal name moves: out of wherever it stands first.
  for (size_t i = 0; i < items_.size(); ++i) {
    if (i != dividerPos && items_[i] == name) {
      items_.erase(items_.begin() + i);
      if (i < dividerPos) --dividerPos;
      break;
    }
  }
  const size_t groupStart = group == 1 ? 0 : dividerPos + 1;
  items_.insert(items_.begin() + groupStart, std::string(name));
  if (group == 1) ++dividerPos;
  // Past MaxItems names, the oldest of the same group falls off.
  const size_t names = items_.size() - 1;
  if (names > static_cast<size_t>(maxItems_)) {
    const size_t groupEnd = group == 1 ? dividerPos : items_.size();
    if (groupEnd - groupStart > 1) items_.erase(items_.begin() + groupEnd - 1);
  }
}

void MruList::MRURemove(std::string_view name) {
  auto found = std::find(items_.begin(), items_.end(), name);
  if (found != items_.end()) items_.erase(found);
}

void MruList::ApplyClick(size_t index, int action) {
  if (index >= items_.size()) return;
  const std::string name = items_[index];
  if (action == kMruActionRemove) {
    items_.erase(items_.begin() + index);
  } else if (action == kMruActionMoveToTop) {
    if (style_ == MruStyle::msNormal) {
      MRUAdd(name);
    } else {
      const auto divider = std::find(items_.begin(), items_.end(), kMruDivider);
      const size_t dividerPos = divider - items_.begin();
      MRUAddSplit(name, index < dividerPos ? 1 : 2);
    }
  }
}

std::string ShortenPathToWidth(std::string_view path, int maxWidth, const TextWidthFn& width) {
  if (maxWidth == 0 || width(path) <= maxWidth) return std::string(path);
  const size_t lastSlash = path.rfind('/');
  std::string candidate(path);
  if (lastSlash != std::string_view::npos) {
    const std::string_view fileName = path.substr(lastSlash + 1);
    const bool absolute = path.front() == '/';
    std::string_view folderPart = path.substr(absolute ? 1 : 0, lastSlash - (absolute ? 1 : 0));
    std::vector<std::string_view> folders;
    while (!folderPart.empty()) {
      const size_t slash = folderPart.find('/');
      folders.push_back(folderPart.substr(0, slash));
      if (slash == std::string_view::npos) break;
      folderPart.remove_prefix(slash + 1);
    }
    while (!folders.empty()) {
      folders.pop_back();
      candidate = absolute ? "/" : "";
      for (auto folder : folders) {
        candidate.append(folder);
        candidate.push_back('/');
      }
      candidate.append(".../");
      candidate.append(fileName);
      if (width(candidate) <= maxWidth) return candidate;
    }
  }
  // Even the shortest form is too wide: cut it and mark the cut.
  while (!candidate.empty() && width(candidate + "...") > maxWidth) {
    // Drop one whole character, never half of a multi-byte one.
    while (!candidate.empty() && (static_cast<uint8_t>(candidate.back()) & 0xC0) == 0x80) {
      candidate.pop_back();
    }
    if (!candidate.empty()) candidate.pop_back();
  }
  return candidate + "...";
}

std::string MRUCaption(std::string_view name, int number, const MruOptions& options, int maxWidth,
                       const TextWidthFn& width) {
  std::string text = options.StripPath ? FilePart(name) : std::string(name);
  // A file name reads left to right in a right-to-left menu too: isolated
  // (U+2066 ... U+2069), its leading "/" stays at its start.
  text = "\u2066" + ShortenPathToWidth(text, maxWidth, width) + "\u2069";
  if (!options.AddAccelerators) return text;
  if (number >= 1 && number <= 9) return "&" + std::to_string(number) + " " + text;
  if (number >= 10 && number <= 35) {
    return std::string("&") + static_cast<char>('A' + (number - 10)) + " " + text;
  }
  return text;
}

std::string MruStoreSection(std::string_view ownerName, std::string_view name) {
  if (ownerName.empty()) return std::string(name) + ".Items";
  return std::string(ownerName) + "." + std::string(name) + ".Items";
}

}  // namespace nuvel
