#pragma once
// The search option word shared by the find and replace dialogs, the macro
// commands and the editor's search engine.
#include <cstdint>

namespace nuvel {

inline constexpr uint16_t kSearchBackwards = 0x0002;   // towards the start of the text
inline constexpr uint16_t kSearchMatchCase = 0x0004;   // without it: ASCII letters match either case
inline constexpr uint16_t kSearchFromStart = 0x0008;   // the whole text (backwards: from the end)
inline constexpr uint16_t kSearchReplace = 0x0010;     // replace a matching selection, then find the next
inline constexpr uint16_t kSearchReplaceAll = 0x0020;  // replace every match of the range
inline constexpr uint16_t kSearchWholeWord = 0x0040;   // delimiters on both sides
inline constexpr uint16_t kSearchWordStart = 0x0080;   // a delimiter before
inline constexpr uint16_t kSearchWordEnd = 0x0100;     // a delimiter after
inline constexpr uint16_t kSearchNoSelection = 0x0200; // caret to the match, no selection
inline constexpr uint16_t kSearchMacro = 0x0400;       // set by the macro replace command; no effect here
inline constexpr uint16_t kSearchInSelection = 0x1000; // within the selection only

// SearchReplace's result when nothing was found.
inline constexpr int32_t kSearchNotFound = -1;

}  // namespace nuvel
