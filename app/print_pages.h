#pragma once
// What the print command puts on each sheet: the document's screen lines cut
// into pages, with the page number under every full page, or the lines of a
// selection with their page breaks after the document lines whose numbers
// are multiples of the lines per page. Pure data, so the pages are tested
// without a printer.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/charset.h"

namespace nuvel {

// The longest printed line, in characters.
inline constexpr size_t kPrintLineMax = 1024;

struct PrintPage {
  std::vector<std::vector<uint8_t>> Lines;  // stored order, tabs expanded
  std::optional<int> Number;                // printed two lines under the last line
};

// The lines per page: the lines that fit in the page less three (for the
// page number and the space above it); at least one.
int LinesPerPage(int linesThatFit);

// A screen line as printed: tabs expanded to stops of `tabSize`, at most
// kPrintLineMax characters.
std::vector<uint8_t> ExpandPrintLine(std::span<const uint8_t> line, int tabSize);

// The line `n` (1-based) of the document.
using PrintLineSource = std::function<std::span<const uint8_t>(int32_t n)>;

// The whole document: each line without a trailing paragraph mark and with
// one blank before it; a page ends after every `linesPerPage` lines and a full
// page carries its number. A document that fills its last page exactly has no
// empty sheet after it, nor do empty lines at its end; an empty document
// prints nothing.
std::vector<PrintPage> PaginateDocument(const PrintLineSource& line, int32_t lineCount, int linesPerPage,
                                        int tabSize);

// The selection from (firstLine, firstColumn) to (lastLine, endColumn), with
// 1-based columns, endColumn being the column after the last selected
// character. The characters before the first selected one are blanked, so
// the first selected character prints where it stands; the last line ends
// with the last selected character. The lines keep their paragraph marks.
// Pages break after the lines whose document numbers are multiples of
// `linesPerPage`; no page carries a number.
std::vector<PrintPage> PaginateSelection(const PrintLineSource& line, int32_t firstLine, int32_t firstColumn,
                                         int32_t lastLine, int32_t endColumn, int linesPerPage, int tabSize);

// The pages `from` to `to` (1-based, inclusive) of a printout; 0 and 0 is all.
std::vector<PrintPage> PageRange(std::vector<PrintPage> pages, int from, int to);

}  // namespace nuvel
