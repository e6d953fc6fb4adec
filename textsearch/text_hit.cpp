#include "textsearch/text_hit.h"

#include "editor/heb_text_editor.h"

namespace nuvel {

uint16_t TextSearchOptions(bool wholeWords, bool wordStart, bool wordEnd) {
  if (wholeWords) return kSearchWholeWord;
  return static_cast<uint16_t>((wordStart ? kSearchWordStart : 0) | (wordEnd ? kSearchWordEnd : 0));
}

bool FindTextHit(THebTextEditor& editor, std::string_view text, uint16_t options, bool choseir) {
  if (text.empty() || editor.ParaCount() < 1) return false;
  return choseir ? editor.FindChoseir(text, options) : editor.FindText(text, options);
}

}  // namespace nuvel
