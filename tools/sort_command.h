#pragma once
// The sort command: the lines on the screen, or the paragraphs, of a
// document are ordered by their first 50 characters as they read (a line
// turned out of the document's storage order, so an English line inside a
// Hebrew document sorts by its first letter, not its last). The key of each
// unit, padded with blanks, goes with the unit's number into a record of
// one length; the external sort orders the records, and the units come back
// in that order exactly as they were, their own trailing blanks included.
// Equal keys keep their order. The change is one undo step.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// The number of characters of a unit compared.
inline constexpr std::size_t kSortKeyLength = 50;
// A record: the key, then the unit's number (0-based, little-endian).
inline constexpr std::size_t kSortRecordLength = kSortKeyLength + 4;
// The work files of the sort.
inline constexpr const char* kSortInName = "TempSort.tmp";
inline constexpr const char* kSortOutName = "SortOut.tmp";

// Compares two records of `length` bytes on their first 50 characters
// (fewer when the records are shorter): byte by byte, or through the
// collation table (ASCII letters without case, pointed letters with their
// base letters).
int CompareSortRecords(const uint8_t* a, const uint8_t* b, std::size_t length, bool caseSensitive);

// The key of one unit (its stored bytes, tabs expanded): the unit in
// reading order, its first 50 characters, padded with blanks; through the
// collation table unless the sort is case sensitive, so that keys compare
// byte by byte either way.
void SortKey(std::span<const uint8_t> stored, bool englishDocument, bool caseSensitive, uint8_t* key,
             std::vector<uint8_t>& scratch);

// The records of the sort, one for each unit it orders: each screen line or
// each paragraph. The empty last paragraph (or line) every loaded text ends
// with is not one of them.
struct TSortRecords {
  std::vector<uint8_t> bytes;
  std::size_t count = 0;
};
TSortRecords SortRecords(const THebTextEditor& editor, bool byLines, bool caseSensitive = false);

// Sorts the editor's text. Throws SortError, EInOutError or EEditorError; the
// text is then unchanged.
void SortText(THebTextEditor& editor, const TSortOptions& options, const TLongRunWindow* window = nullptr);

}  // namespace nuvel::tools
