#pragma once
// The one place where the text-collection search asks the editor's search
// for a hit: the first match of the search text from the caret onwards,
// selected with the caret after it.
#include <cstdint>
#include <string_view>

#include "editor/search_options.h"

namespace nuvel {

class THebTextEditor;

// The option word of the three toggle buttons: whole words alone when that
// one is down, else word start and word end as they are down.
uint16_t TextSearchOptions(bool wholeWords, bool wordStart, bool wordEnd);

// Finds the next match of `text` (system bytes, ASCII letters without
// regard to case) from the caret to the end of the text, with the word
// tests of `options`, through the editor's own search; with `choseir` its
// spellings without inner vav and yod count too, the nearest one wins.
// Selects it and returns true, or leaves the editor as it was and returns
// false. An empty text finds nothing.
bool FindTextHit(THebTextEditor& editor, std::string_view text, uint16_t options, bool choseir = false);

}  // namespace nuvel
