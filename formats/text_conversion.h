#pragma once
// The conversion pass over a whole document, which loading runs after a
// reader and saving runs on its copy of the text, and the digit-run reversal
// of 3B2 text.
#include "formats/document_text.h"

namespace nuvel {

// Converts every paragraph by the current conversion mode, from the outside
// set to the system's (toOutside false) or back, with a table of its own.
// Modes 0 and 7 change nothing. Modes 2, 6 and 9, which may change a
// paragraph's length, set the modified flag to whether any resulting byte
// lies outside tab, 32-127 and the letters 0xE0-0xFA; going out, they also
// write a shin with a point and a holam as the shin, the sin dot and the
// point. The shared conversion state is the same afterwards.
void ConvertText(TDocumentText& text, bool toOutside);

// In every paragraph, each run of two or more digits and periods (a
// trailing period left out) is mirrored: 12.5 becomes 5.21.
void ReverseClassRuns(TDocumentText& text);

}  // namespace nuvel
