#pragma once
// Sheim Hashem protection of a document's text in memory, as loading and
// saving apply and remove it: built-in filter 4 protects the Divine Names,
// filter 5 takes the protection away; filters 8 and 9 do the same for the
// English name. No rule set reaches past a line end, so each paragraph is
// filtered on its own, between line ends, exactly as the paragraphs would be
// filtered as the lines of a file.
#include "formats/document_text.h"

namespace nuvel::tools {

// Runs built-in filter `kind` over every paragraph of `text`; paragraphs the
// rules leave as they were are not replaced.
void ProtectParagraphs(TDocumentText& text, int kind);

// Makes the load and save paths (formats/sheim_filter_hook) run
// ProtectParagraphs. Run once at start-up; running it again does no harm.
void InstallSheimFilter();

}  // namespace nuvel::tools
