#pragma once
// Small byte routines shared by the paragraph node, the paragraph list and the
// editor: blank tests, tab expansion, and the word-wrap break rule.
#include <cstdint>
#include <span>
#include <vector>

namespace nuvel {

// True for a blank (32) or a tab (9).
constexpr bool IsBlank(uint8_t b) { return b == 32 || b == 9; }

// True when a tab occurs among `bytes`.
bool HasTab(std::span<const uint8_t> bytes);

// Display columns taken by `bytes` with tabs expanded to stops every
// `tabSize` columns; stops at a zero byte. A tab size below 1 counts as 1.
uint32_t ExpandedWidth(std::span<const uint8_t> bytes, uint32_t tabSize);

// Walks `bytes` with tabs expanded until the column count reaches
// `wrapColumn` and returns the number of bytes walked. When the bytes (or a
// zero byte) end first, returns the number of bytes before that end plus 1.
uint32_t OffsetForColumn(std::span<const uint8_t> bytes, uint32_t wrapColumn, uint32_t tabSize);

// The break rule. `rest` holds a line start and every byte after it up to the
// end of the text; the line may hold `n` bytes. Returns the offset (from the
// line start) at which the next line starts; the result is always above 0.
uint32_t FindBreak(std::span<const uint8_t> rest, uint32_t n);

// Which runs a wrap keeps whole. A document kept in logical order stores a
// run against its direction reversed (English or a number inside a Hebrew
// paragraph, Hebrew inside an English one): a screen line that ended inside
// such a run would show its part of the run at the wrong end, so the run
// moves to the next line whole, as a word that does not fit. A run longer
// than a screen line is broken as any text is.
enum class TWrapRuns : uint8_t {
  None,             // the plain break rule (the system's visual forms)
  HebrewDocument,   // keep English and numbers of a right-to-left paragraph whole
  EnglishDocument,  // keep Hebrew of a left-to-right paragraph whole
};

// A stretch [From, To) of a paragraph's bytes.
struct TTextRun {
  uint32_t From = 0;
  uint32_t To = 0;
};

// The runs of `text` (in storage order) stored against the direction, as
// the border turn of core/border_order.h finds them, in order; runs of one
// byte (which read the same either way) are left out. Nothing for None or a
// paragraph without a byte of the other direction.
void FindAgainstRuns(std::span<const uint8_t> text, TWrapRuns runs, std::vector<TTextRun>& out);

// True when `text` holds a byte a run against the direction may start with
// (none for None): only then can a run change a break.
bool HoldsAgainstBytes(std::span<const uint8_t> text, TWrapRuns runs);

// The break rule keeping `runs` whole: the start of the line after the one
// that starts at offset `p` of `text` and may hold `n` bytes. FindBreak's
// place, unless it falls inside a run that fits on a line of `wrapColumn`
// columns by itself: then the line ends before the run, or, when the line
// starts with the run, after it.
uint32_t FindBreakKeepingRuns(std::span<const uint8_t> text, uint32_t p, uint32_t n, std::span<const TTextRun> runs,
                              uint32_t wrapColumn, uint32_t tabSize);

// From offset `n`, steps back while the byte before is not a blank or tab and
// returns the offset reached; `n` itself when the walk reaches the start.
uint32_t WordStartBefore(std::span<const uint8_t> bytes, uint32_t n);

// Bytes up to and including the first line feed (10); the whole size when
// there is none.
uint32_t FindLineEnd(std::span<const uint8_t> bytes);

// Fills bytes [length, n) of `buffer` with blanks and puts a zero byte at n
// when the buffer has room for it. Returns the new length (n, or `length`
// when that is already n or more). Bytes past the buffer are never written.
uint32_t PadBlanks(std::span<uint8_t> buffer, uint32_t length, uint32_t n);

// In a table of line starts (0-based byte offsets, ascending, first 0), the
// number (from 1) of the last line whose start is at most p - 1; 1 for p < 1.
uint32_t LineIndexOf(std::span<const uint32_t> lineStarts, uint32_t p);

}  // namespace nuvel
