#include "app/reopen_list.h"

#include <algorithm>

#include "app/file_name_parts.h"
#include "core/settings.h"

namespace nuvel {
namespace {

bool IsBlank(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

bool IsStoredName(const std::string& entry) { return !entry.empty() && entry[0] != '*' && entry[0] != ' '; }

}  // namespace

std::optional<std::string> ReopenPattern(std::string_view name) {
  std::string_view ext = ExtensionOf(name);
  if (ext.size() < 2) return std::nullopt;
  return "*." + std::string(ext.substr(1));
}

void UpdateReopenEntries(std::vector<std::string>& list, std::string_view name) {
  std::optional<std::string> pattern = ReopenPattern(name);
  std::erase_if(list, IsBlank);
  auto found = std::find(list.begin(), list.end(), name);
  if (found != list.end()) {
    list.erase(found);
    list.insert(list.begin(), std::string(name));
    return;
  }
  list.insert(list.begin(), std::string(name));
  if (pattern && std::find(list.begin(), list.end(), *pattern) == list.end()) {
    list.insert(list.begin() + 1, *pattern);
  }
  if (list.size() > kReopenListMax) list.resize(kReopenListMax);
}

std::array<std::optional<std::string>, kReopenListMax> ReopenSectionValues(const std::vector<std::string>& list) {
  std::array<std::optional<std::string>, kReopenListMax> values;
  size_t key = 0;
  for (const std::string& entry : list) {
    if (key >= kReopenListMax) break;
    if (IsStoredName(entry)) values[key++] = entry;
  }
  return values;
}

void WriteReopenSection(const std::vector<std::string>& list) {
  auto values = ReopenSectionValues(list);
  for (size_t k = 0; k < values.size(); ++k) {
    std::string key = std::to_string(k);
    if (values[k])
      WriteIniString(kReopenSection, key, std::string_view(*values[k]));
    else
      WriteIniString(kReopenSection, key, std::nullopt);
  }
}

std::vector<std::string> ReadReopenSection() {
  std::vector<std::string> list;
  for (size_t k = 0; k < kReopenListMax; ++k) {
    std::string value = ReadIniString(kReopenSection, std::to_string(k));
    if (value != kNotFound) list.push_back(value);
  }
  return list;
}

std::string FilterWithPattern(std::string_view pattern, std::string_view storedFilter) {
  std::string p(pattern);
  return p + " files (" + p + ")|" + p + std::string(storedFilter);
}

void UpdateFileHistory(std::vector<std::string>& history, std::string_view name) {
  // Newest first, like the other histories: the file-name prompt cycles it
  // from the top, and a full list loses its oldest name, never the new one.
  PutOnTop(history, name, false);
}

}  // namespace nuvel
