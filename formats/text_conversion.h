#pragma once
// The conversion pass over a whole document, which loading runs after a
// reader and saving runs on its copy of the text, and the digit-run reversal
// of 3B2 text.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/conv_engine.h"
#include "formats/document_text.h"

namespace nuvel {

// What converting a text in could not keep.
struct TConvertReport {
  uint64_t lostChars = 0;  // outside characters the system's set has no byte for
  bool changed = false;    // converting the text back out would not give the same bytes
  bool turned = false;     // the paragraphs were turned into storage order as well
};

// Converts every paragraph by `mode`, from the outside
// set to the system's (toOutside false) or back, with a table of its own.
// Modes 0 and 7 change nothing. Going out, modes 2 and 9 put the points of
// every letter in Unicode's canonical order; mode 2 writes them as
// Windows-1255 defines them, a shin's holam as a holam beside the shin or
// sin dot, while modes 9 and 6 write a shin with a point and a holam as the
// shin, the sin dot and the point, as their fonts draw it. Going in, every
// paragraph is converted back out and compared with what was read: when any
// differs, the report says so and the text is marked modified (a flag set
// before, by a reader, is never cleared).
// With `turnFor` (going in), each converted paragraph is also turned from
// logical order into the storage order of a document of that direction
// (true: English), in the same pass, so that a paragraph is replaced at
// most once; the report says whether that was done (not when the mode
// converts no byte).
TConvertReport ConvertText(TDocumentText& text, int mode, bool toOutside,
                           std::optional<bool> turnFor = std::nullopt);

// Converts one paragraph out by `s` as ConvertText does.
void ConvertParagraphOut(const ConvSettings& s, std::span<const uint8_t> para, std::vector<uint8_t>& out);

// In every paragraph, each run of two or more digits and periods (a
// trailing period left out) is mirrored: 12.5 becomes 5.21.
void ReverseClassRuns(TDocumentText& text);

}  // namespace nuvel
