#include "tools/phrase_dictionary.h"

#include <charconv>

#include "core/text_reversal.h"
#include "platform/string_library.h"
#include "tools/incremental_search.h"

namespace nuvel {

std::vector<std::string> LoadPhrases(const platform::StringLibrary* library) {
  if (!library) return {};
  const std::string countText = library->Text(kPhraseCountId);
  int count = 0;
  const auto [end, ec] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
  if (ec != std::errc() || end != countText.data() + countText.size() || count <= 0) return {};
  std::vector<std::string> phrases;
  for (int i = 1; i <= count && kPhraseCountId + i <= 0xFFFF; ++i) {
    std::string phrase = library->Text(static_cast<uint16_t>(kPhraseCountId + i));
    if (!phrase.empty()) phrases.push_back(std::move(phrase));
  }
  return SortedForSearch(std::move(phrases), false);
}

std::string PhraseToInsert(std::string_view entry, bool englishDocument) {
  const size_t blank = entry.find(' ');
  std::string_view part = blank == std::string_view::npos ? entry : entry.substr(blank);
  const size_t first = part.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  part = part.substr(first, part.find_last_not_of(' ') - first + 1);
  std::string text(part);
  ReverseScriptRuns(englishDocument, text);
  return text;
}

}  // namespace nuvel
