#include "app/save_as_rules.h"

#include "app/file_name_parts.h"
#include "app/new_doc_numbers.h"

namespace nuvel {

std::string SaveAsTitle(std::string_view fileName, bool fromTimer, bool english) {
  const std::string name(NameWithoutFolder(fileName));
  if (english) return std::string(fromTimer ? "AUTOSAVE " : "Save ") + name + " As";
  // The name is one left-to-right run inside the Hebrew title.
  const std::string isolated = "\u2066" + name + "\u2069";
  return fromTimer ? "שמירה אוטומטית של " + isolated + " בשם" : "שמירת " + isolated + " בשם";
}

bool IsNewRuleName(std::string_view fileName) { return fileName.find("NewRLE") != std::string_view::npos; }

std::string SuggestedSaveName(std::string_view fileName) {
  if (IsNewRuleName(fileName)) return "*.rle";
  if (IsUntitledName(fileName)) return {};
  return std::string(fileName);
}

std::string DefaultExtOf(std::string_view filter) {
  size_t first = filter.find('|');
  if (first == std::string_view::npos) return {};
  std::string_view second = filter.substr(first + 1);
  second = second.substr(0, second.find('|'));
  if (second.size() <= 2) return {};
  return std::string(second.substr(2, 3));
}

std::string AdjustedSaveName(std::string_view chosen, std::string_view defaultExt, bool forceCP1255) {
  std::string name(chosen);
  if (ExtensionOf(name).empty() && !NameWithoutFolder(name).empty()) {
    if (forceCP1255)
      name += ".3T";
    else if (!defaultExt.empty() && defaultExt.find('*') == std::string_view::npos)
      name += "." + std::string(defaultExt);
  }
  return ExpandFileName(name);
}

}  // namespace nuvel
