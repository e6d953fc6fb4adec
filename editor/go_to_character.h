#pragma once
// Go to Character: the caret to the next occurrence of a character after
// it, paragraph by paragraph to the end of the text. The character at the
// caret is passed over, so that the command goes on from one occurrence to
// the next. A document kept in logical order is read as it reads: "next"
// is next in reading order, and a bracket is the one the reader sees.
#include <cstdint>

namespace nuvel {

class THebTextEditor;

// True when the caret moved; else it stays.
bool GoToCharacter(THebTextEditor& editor, uint8_t ch);

}  // namespace nuvel
