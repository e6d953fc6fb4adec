#pragma once
// The sort command: the lines on the screen, or the paragraphs, of a
// document become records of one length (padded on the right with blanks
// and ended by CR LF), the external sort orders them by their first 50
// characters, and the sorted records come back as the document's
// paragraphs, padding included. Equal keys keep their order.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "tools/editor_hand_off.h"

namespace nuvel {
class THebTextEditor;
}

namespace nuvel::tools {

struct TSortOptions {
  bool byLines = true;         // "Line sort"; false: "Paragraph sort"
  bool caseSensitive = false;  // "Case Sensitive": byte by byte; else collated
};

// The sort dialog's question: the unit of sorting is offered only where
// the edit configuration does not fix it to lines.
struct TSortRequest {
  bool offerUnit = true;
};

// The sort dialog, behind an interface so that tests answer it; nullopt
// when it is cancelled.
class TSortUi {
 public:
  virtual ~TSortUi() = default;
  virtual std::optional<TSortOptions> AskSort(const TSortRequest& request) = 0;
};

// The number of characters of a record compared.
inline constexpr std::size_t kSortKeyLength = 50;
// The work files of the sort.
inline constexpr const char* kSortInName = "TempSort.tmp";
inline constexpr const char* kSortOutName = "SortOut.tmp";

// Compares two records of `length` bytes on their first 50 characters
// (fewer when the records are shorter): byte by byte, or through the
// collation table (ASCII letters without case, pointed letters with their
// base letters).
int CompareSortRecords(const uint8_t* a, const uint8_t* b, std::size_t length, bool caseSensitive);

// The records of the sort: the units it orders, each screen line with its
// tabs expanded or each paragraph as it is, padded with blanks to the
// longest unit and ended by CR LF. The empty last paragraph (or line) every
// loaded text ends with is not one of them.
struct TSortShape {
  std::size_t length = 0;  // of one record, CR LF included
  std::size_t count = 0;
};
TSortShape SortShape(const THebTextEditor& editor, bool byLines);
struct TSortRecords {
  std::vector<uint8_t> bytes;
  std::size_t length = 0;  // of one record, CR LF included
  std::size_t count = 0;
};
TSortRecords SortRecords(const THebTextEditor& editor, bool byLines);

// Sorts the editor's text. Throws SortError, EInOutError or EEditorError; the
// text is then unchanged.
void SortText(THebTextEditor& editor, const TSortOptions& options, const TLongRunWindow* window = nullptr);

}  // namespace nuvel::tools
