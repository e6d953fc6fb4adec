#pragma once
// Lines of a file under the viewer, found without reading the file whole.
// A carriage return and line feed pair, a lone carriage return and a lone
// line feed each end a line. Line starts are found by scanning from the
// nearest known point: the current point, the caret's line, the farthest
// line reached, the last line once known, the start of the file, and the
// checkpoints of a bounded sparse index. Line numbers and positions are
// 64-bit.
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <vector>

#include "filemanager/viewer_file.h"
#include "filemanager/viewer_limits.h"
#include "filemanager/viewer_line_index.h"

namespace nuvel {

class TViewerLines {
 public:
  // Longest part of a line that is shown (and searched).
  static constexpr int kMaxLineBytes = 1023;

  explicit TViewerLines(TViewerFile& file);

  // Back to the start: after the file was opened, closed or changed.
  void Reset();

  // The position of the first byte of `line`; a line past the end gives the
  // last line, whose number is then known.
  TLineAnchor GotoLine(int64_t line);
  // The line that holds byte `offset` (the last line for an offset at or
  // past the end).
  TLineAnchor LineAtOffset(int64_t offset);
  // A wanted line turned into one that exists: 0 for an empty file; a line
  // beyond those known is first looked for, which may find the end.
  int64_t CheckLine(int64_t line);

  bool LastLineKnown() const { return end_.line >= 0; }
  // The last line's number once known, else -1.
  int64_t LastLine() const { return end_.line; }
  // Lines of the file: 0 for an empty file, kUnknownLineCount until known.
  int64_t LineCount() const;
  // The farthest line reached so far.
  int64_t FarthestLine() const { return farthest_.line; }

  // The shown bytes of a line: at most kMaxLineBytes, up to its break, NUL
  // shown as a blank. Valid until the next call.
  std::span<const uint8_t> TextLine(int64_t line);

  // The caret's line: positioning to it keeps its start as a known point.
  void SetCaretLine(int64_t line);

  // Called with true before a move of more than 100 lines and false after it.
  std::function<void(bool busy)> OnBusy;

  const TLineIndex& Index() const { return index_; }
  // The known point the last positioning started from (for tests).
  TLineAnchor LastStart() const { return lastStart_; }

 private:
  TLineAnchor ScanForward(TLineAnchor from, int64_t target, int64_t limitPos);
  TLineAnchor ScanBackward(TLineAnchor from, int64_t target);
  TLineAnchor Nearest(int64_t target) const;
  void Reached(const TLineAnchor& a);
  void KnowEnd(const TLineAnchor& a);
  // One byte of the file, or -1 past its end.
  int PeekByte(int64_t pos);
  // The start of the line after the last break that ends inside the
  // counted block at `blockPos`.
  int64_t LastBreakEndIn(int64_t blockPos);

  TViewerFile& file_;
  TLineIndex index_;
  TLineAnchor current_;
  TLineAnchor caret_{-1, 0};
  TLineAnchor farthest_;
  TLineAnchor end_{-1, 0};
  TLineAnchor lastStart_;
  int64_t caretLine_ = -1;
  int64_t bufferLine_ = -1;
  std::vector<uint8_t> buffer_;
};

}  // namespace nuvel
