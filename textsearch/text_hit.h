#pragma once
// The one place where the text-collection search asks the editor's search
// for a hit: the first match of the search text from the caret onwards,
// selected with the caret after it.
#include <cstdint>
#include <string_view>

namespace nuvel {

class TNvcCustomEditor;

// Option bits of the editor's search that the search window uses.
inline constexpr uint16_t kFindWholeWords = 0x40;
inline constexpr uint16_t kFindWordStart = 0x80;
inline constexpr uint16_t kFindWordEnd = 0x100;

// The option word of the three toggle buttons: whole words alone when that
// one is down, else word start and word end as they are down.
uint16_t TextSearchOptions(bool wholeWords, bool wordStart, bool wordEnd);

// Finds the next match of `text` (system bytes, ASCII letters without
// regard to case) from the caret to the end of the text, with the word
// tests of `options`; selects it and returns true, or leaves the editor as
// it was and returns false. An empty text finds nothing.
bool FindTextHit(TNvcCustomEditor& editor, std::string_view text, uint16_t options);

}  // namespace nuvel
