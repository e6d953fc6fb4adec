#include "tools/search_dialogs.h"

#include <string>

#include "core/shared_state.h"
#include "editor/search_options.h"
#include "platform/message_sink.h"

namespace nuvel {
std::string KbdLangCaption(TKbdLayer layer, bool hebrewInterface) {
  static constexpr const char* kEnglish[] = {"E", "H", "N"};
  static constexpr const char* kHebrew[] = {"\xE0", "\xF2", "\xF0"};
  return (hebrewInterface ? kHebrew : kEnglish)[static_cast<int>(layer)];
}

TKbdLayer KbdLayerOfCaption(std::string_view caption) {
  if (caption == "H" || caption == "\xF2") return TKbdLayer::Hebrew;
  if (caption == "N" || caption == "\xF0") return TKbdLayer::Nikud;
  return TKbdLayer::English;
}

TKbdLayer NextKbdLayer(TKbdLayer layer) {
  switch (layer) {
    case TKbdLayer::English: return TKbdLayer::Hebrew;
    case TKbdLayer::Hebrew: return TKbdLayer::Nikud;
    case TKbdLayer::Nikud: break;
  }
  return TKbdLayer::English;
}

uint16_t DialogSearchOptions(bool up, bool matchCase, bool wholeWords, uint16_t replaceBits) {
  uint16_t options = replaceBits;
  if (up) options |= kSearchBackwards;
  if (matchCase) options |= kSearchMatchCase;
  if (wholeWords) options |= kSearchWholeWord;
  return options;
}

std::string SearchNotFoundText(std::string_view text, bool hebrewInterface) {
  if (hebrewInterface) return "'" + std::string(text) + "' \xEC\xE0 \xEE\xF6\xE0\xFA\xE9 ";
  return "Search string '" + std::string(text) + "' not found";
}

void ShowSearchNotFound(std::string_view text) {
  platform::MessageRequest request;
  request.text = SearchNotFoundText(text, !EngPrompts);
  request.type = platform::MsgDlgType::Information;
  request.buttons = platform::mbOK;
  platform::ShowMessageRequest(request);
}

std::string ReplacementsText(int32_t count, bool hebrewInterface) {
  if (hebrewInterface) return std::to_string(count) + " \xE4\xE7\xEC\xF4\xE5\xFA";
  return std::to_string(count) + (count == 1 ? " replacement" : " replacements");
}

TSearchOutcome RunFindNext(TSearchTarget& target, const TSearchDialogState& state, uint16_t& options) {
  const std::string text = TrimPromptText(state.find);
  if (text.empty()) return TSearchOutcome::Refused;
  options = DialogSearchOptions(state.up, state.matchCase, state.wholeWords);
  AddToHistory(HistoryFind, text);
  const bool found = state.choseir ? target.FindChoseir(text, options) : target.FindText(text, options);
  if (!found) ShowSearchNotFound(text);
  return found ? TSearchOutcome::Found : TSearchOutcome::NotFound;
}

TSearchOutcome RunReplace(TSearchTarget& target, const TSearchDialogState& state, bool all, uint16_t& options) {
  const std::string text = TrimPromptText(state.find);
  if (text.empty()) return TSearchOutcome::Refused;
  options = DialogSearchOptions(state.up, state.matchCase, state.wholeWords,
                                all ? kSearchReplaceAll : kSearchReplace);
  AddToHistory(HistoryFind, text);
  AddToHistory(HistoryRepl, TrimPromptText(state.replace));
  // The range of Replace All is the text's, not the caret's.
  const uint16_t range = all ? (target.SelectionSpansLines() ? kSearchInSelection : kSearchFromStart) : 0;
  const int32_t result = target.ReplaceText(state.find, state.replace, static_cast<uint16_t>(options | range));
  if (result == kSearchNotFound) {
    ShowSearchNotFound(text);
    return TSearchOutcome::NotFound;
  }
  if (target.LastSearchError() != 0) return TSearchOutcome::Failed;
  if (all) {
    platform::MessageRequest request;
    request.text = ReplacementsText(result, !EngPrompts);
    request.type = platform::MsgDlgType::Information;
    request.buttons = platform::mbOK;
    platform::ShowMessageRequest(request);
  }
  return TSearchOutcome::Found;
}

}  // namespace nuvel
