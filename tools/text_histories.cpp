#include "tools/text_histories.h"

#include <algorithm>

#include "core/settings.h"
#include "platform/ascii_case.h"

namespace nuvel {

TextHistory HistoryFind;
TextHistory HistoryRepl;
TextHistory HistoryFile;

namespace {

constexpr std::string_view kFindKey = "History_Find";
constexpr std::string_view kReplKey = "History_Repl";
constexpr std::string_view kFileKey = "History_File";

TextHistory::const_iterator FindNoCase(const TextHistory& list, std::string_view text) {
  return std::find_if(list.begin(), list.end(),
                      [text](const std::string& entry) { return platform::EqualsNoCase(entry, text); });
}

void Load(std::string_view key, TextHistory& list) {
  list.clear();
  LoadRegStrings(key, list);
}

}  // namespace

void PutOnTop(TextHistory& list, std::string_view text, bool ignoreCase) {
  auto found = ignoreCase ? FindNoCase(list, text) : std::find(list.cbegin(), list.cend(), text);
  if (found != list.end()) list.erase(found);
  list.insert(list.begin(), std::string(text));
  if (list.size() > kTextHistoryMax) list.pop_back();
}

void AddToHistory(TextHistory& list, std::string_view text) { PutOnTop(list, text, true); }

std::optional<std::string> NextHistoryEntry(const TextHistory& list, std::string_view current) {
  if (list.empty()) return std::nullopt;
  auto found = FindNoCase(list, current);
  if (found == list.end() || found + 1 == list.end()) return list.front();
  return *(found + 1);
}

std::string TrimPromptText(std::string_view text) {
  while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return std::string(text.substr(0, kPromptTextMax));
}

void LoadTextHistories() {
  Load(kFindKey, HistoryFind);
  Load(kReplKey, HistoryRepl);
  Load(kFileKey, HistoryFile);
}

void SaveTextHistories() {
  SaveRegStrings(kFindKey, HistoryFind);
  SaveRegStrings(kReplKey, HistoryRepl);
  SaveRegStrings(kFileKey, HistoryFile);
}

}  // namespace nuvel
