#pragma once
// Compares two documents, each from its own caret to its end, and shows the
// first difference in both. Each document is read as one stream of bytes, in
// reading order where it keeps its text in logical order,
// from the caret: every paragraph is followed by a paragraph-end mark (a 0)
// that compares like a character, and the stream ends after the mark of
// the last paragraph.
#include <cstdint>
#include <functional>
#include <span>

namespace nuvel {

class TNvcCustomEditor;

// A text as the comparison reads it.
struct TCompareText {
  int32_t ParaCount = 0;
  std::function<std::span<const uint8_t>(int32_t para)> Para;  // from 1
  int32_t StartPara = 1;
  int32_t StartPos = 1;
};

enum class TCompareOutcome {
  NoStart,  // a caret stands after the end of its paragraph: nothing to read
  Same,     // both streams ended together
  Differ,
};

struct TCompareSide {
  bool Ended = false;  // the stream ended before the difference
  int32_t Para = 0;    // else: the differing character (Pos = length + 1: the mark)
  int32_t Pos = 0;
};

struct TCompareResult {
  TCompareOutcome Outcome = TCompareOutcome::NoStart;
  TCompareSide A;
  TCompareSide B;
};

TCompareResult CompareTexts(const TCompareText& a, const TCompareText& b);

// Compares the two editors from their carets, or from after the selection
// of one that has one, so that running it again goes on past the difference
// it showed. When the rest is the same it says so (that there are no more
// differences, when it went on past a selection) and the carets stay; otherwise it selects the differing character
// in each (or puts the caret at the end of a text that ended first) and says
// that there is a difference. The messages go through the message sink in
// the interface language.
TCompareOutcome CompareFromCaret(TNvcCustomEditor& a, TNvcCustomEditor& b);

}  // namespace nuvel
