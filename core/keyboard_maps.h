#pragma once
// The Hebrew and nikud keyboard maps: what a key of the US layout types under
// the standard Israeli layout and under the nikud layer on top of it. Used by
// the key-macro editor.
#include <cstdint>

namespace nuvel {

// The standard Israeli layout on the lower-case keys and a few punctuation
// keys (Hebrew letters at their Windows-1255 bytes); other bytes unchanged.
uint8_t HebKeyMap(uint8_t c);

// HebKeyMap, then the nikud layer on its result: shifted digit symbols become
// digits, digits become vowel points, capitals become pointed letters.
uint8_t NikudKeyMap(uint8_t c);

}  // namespace nuvel
