#pragma once
// The order an e-book keeps its text in. The system's own books hold the
// text as its documents store it (with its own pointed letters, bytes
// 0x81-0x9B); books of other programs hold Windows-1255 in logical order,
// as every other program keeps text. A book is told by its Hebrew: final
// letters at the ends of words are logical order, at their starts (or any
// of the system's own pointed letters) storage order; a book without
// Hebrew to tell by is logical. It is written back in the order it was read.
#include <string>
#include <string_view>

namespace nuvel {

// True when the book's text (as GetText gives it) reads in logical order.
bool EbookTextIsLogical(std::string_view text);

// A logical book's text (Windows-1255, CR LF line ends) as a document of
// that direction stores it: bytes of the system's set, each line turned
// into storage order.
std::string EbookTextToStorage(std::string_view text, bool englishDocument);

// A document's text (CR LF line ends) as a logical book holds it: each
// paragraph in reading order, in Windows-1255 with pointed letters written
// as their letter and points.
std::string EbookTextToLogical(std::string_view text, bool englishDocument);

// A document's text as a book of that order holds it.
inline std::string EbookTextForBook(bool logicalOrder, std::string_view text, bool englishDocument) {
  return logicalOrder ? EbookTextToLogical(text, englishDocument) : std::string(text);
}

}  // namespace nuvel
