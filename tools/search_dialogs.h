#pragma once
// What the find and replace dialogs do, without their windows: the keyboard
// button's layers, the option word built from the dialog's controls, the
// not-found message, and the runs of Find Next, Replace and Replace All over
// a search target with the find and replace histories.
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/text_histories.h"

namespace nuvel {

// The keyboard the dialogs' input controls type with.
enum class TKbdLayer : uint8_t { English = 0, Hebrew = 1, Nikud = 2 };

// The keyboard button's caption for a layer: "E", "H", "N", or in the Hebrew
// interface alef, ayin, nun (bytes of the system's set).
std::string KbdLangCaption(TKbdLayer layer, bool hebrewInterface);
// The layer a caption names; English for a caption that names none.
TKbdLayer KbdLayerOfCaption(std::string_view caption);
TKbdLayer NextKbdLayer(TKbdLayer layer);

// The option word from the dialog's controls; `replaceBits` is 0, 0x10 or
// 0x20.
uint16_t DialogSearchOptions(bool up, bool matchCase, bool wholeWords, uint16_t replaceBits = 0);

// "Search string 'S' not found", or its Hebrew form, in system bytes.
std::string SearchNotFoundText(std::string_view text, bool hebrewInterface);
// Tells the user, in the interface's language, that `text` was not found.
void ShowSearchNotFound(std::string_view text);
// "N replacements", or its Hebrew form, in system bytes.
std::string ReplacementsText(int32_t count, bool hebrewInterface);

// What the dialogs search: the active document's editor, or the file viewer.
class TSearchTarget {
 public:
  virtual ~TSearchTarget() = default;
  virtual bool FindText(std::string_view text, uint16_t options) = 0;
  // Spellings without inner vav and yod; targets that lack it just find.
  virtual bool FindChoseir(std::string_view word, uint16_t options) { return FindText(word, options); }
  // SearchReplace's result (-1: nothing found). Targets that cannot replace
  // find only.
  virtual int32_t ReplaceText(std::string_view find, std::string_view /*with*/, uint16_t options) {
    return FindText(find, options) ? 0 : -1;
  }
  // The error code of the last replacement (0: none).
  virtual uint16_t LastSearchError() const { return 0; }
  // The selection spans more than one line: Replace All keeps to it.
  virtual bool SelectionSpansLines() const { return false; }
};

// The dialogs' controls as one value.
struct TSearchDialogState {
  std::string find;     // the find input as typed
  std::string replace;  // the replacement input as typed
  bool up = false;
  bool matchCase = false;
  bool wholeWords = false;
  bool choseir = false;
};

enum class TSearchOutcome : uint8_t {
  Refused,   // the find text was empty: nothing searched
  Found,
  NotFound,  // the not-found message was shown
  Failed,    // a replacement failed (the editor reported its error)
};

// Find Next of either dialog: builds the option word into `options`, adds
// the trimmed text to the find history, searches, and tells the user when
// nothing was found.
TSearchOutcome RunFindNext(TSearchTarget& target, const TSearchDialogState& state, uint16_t& options);
// Replace (`all` false) or Replace All: both trimmed texts go to their
// histories; the texts as typed are handed to the target. Replace All
// replaces in the whole text, or in the selection when it spans more than
// one line, wherever the caret is, and tells how many it replaced.
TSearchOutcome RunReplace(TSearchTarget& target, const TSearchDialogState& state, bool all, uint16_t& options);

}  // namespace nuvel
