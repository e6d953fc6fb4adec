#pragma once
// One paragraph of an editor's text: its bytes (no line ends, no zero byte,
// always followed by a terminating zero when a buffer exists) and the table
// of its wrapped screen lines. Every edit keeps the line table equal to what
// a full Wrap of the new text gives, re-breaking only the lines that can have
// changed.
#include <cstddef>
#include <cstdint>
#include <span>

#include "editor/wrap_routines.h"

namespace nuvel {

// A 32-bit reference to a node in a TParaNodeTable; 0 is no node.
using TParaNodeHandle = uint32_t;

// Wrap columns that mean "do not wrap".
inline constexpr int32_t kNoWrapColumn = 32767;
constexpr bool IsNoWrap(int32_t wrapColumn) { return wrapColumn <= 0 || wrapColumn == kNoWrapColumn; }

// Editor error code for a buffer that cannot grow.
inline constexpr uint16_t kNodeOutOfMemory = 263;

// Node buffers are allocated through this hook when it is set; it answers
// false to refuse an allocation of the given size (tests use it to make
// growth fail). Null restores plain allocation.
using TParaAllocHook = bool (*)(std::size_t bytes);
void SetParaAllocHook(TParaAllocHook hook);

class TParaTextArena;

// What a node without a buffer reads as: the empty text.
inline constexpr uint8_t kEmptyParaText[1] = {0};

class TParaNode {
 public:
  TParaNode() = default;
  ~TParaNode();
  TParaNode(const TParaNode&) = delete;
  TParaNode& operator=(const TParaNode&) = delete;

  // Copies the bytes of `text` up to the first zero byte, allocates the line
  // table and wraps. Replaces any earlier content. Throws std::bad_alloc when
  // a buffer cannot be had. With `arena`, a short text is put there, with no
  // room to spare (a paragraph read from a file, which most often stays as it is).
  void Create(std::span<const uint8_t> text, int32_t wrapColumn, uint32_t tabSize, TParaTextArena* arena = nullptr,
              TWrapRuns runs = TWrapRuns::None);
  // Frees the text and the line table; the node reads as the empty text.
  void Reset();

  uint32_t Length() const { return length_; }
  uint32_t Capacity() const { return capacity_ & ~kArenaText; }
  uint32_t LineCount() const { return lineCount_; }
  uint32_t LineStartsCapacity() const { return lineCapacity_; }
  // Zero-terminated text; the shared empty string when there is no buffer.
  const uint8_t* GetText() const { return text_ != nullptr ? text_ : kEmptyParaText; }
  std::span<const uint8_t> Bytes() const { return {GetText(), length_}; }
  // 0-based byte offsets at which lines 1..LineCount start.
  std::span<const uint32_t> LineStarts() const { return {Starts(), lineCount_}; }

  // Line n (from 1); empty outside 1..LineCount. Inline: a jump to a screen
  // line ends here, with the node just come from memory.
  std::span<const uint8_t> GetLine(uint32_t n) const {
    if (n < 1 || n > lineCount_) return {kEmptyParaText, 0};
    const uint32_t* starts = Starts();
    const uint32_t begin = starts[n - 1];
    // The next line's start, or the length on the last line, chosen by a
    // mask rather than a branch.
    const uint32_t last = lineCount_ - 1;
    const uint32_t next = starts[n < last ? n : last];
    const uint32_t onLast = 0u - static_cast<uint32_t>(n > last);
    const uint32_t end = (length_ & onLast) | (next & ~onLast);
    return {GetText() + begin, end - begin};
  }
  // Line (from 1) holding byte position p (from 1) and the column within it.
  uint32_t PosToLine(uint32_t p, uint32_t& column) const;

  // Inserts `s` before position p (from 1), padding with blanks when p lies
  // past the end. Returns 0, or 263 with nothing changed when the buffer
  // cannot grow. firstLine..lastLine: the lines to repaint.
  uint16_t InsertText(std::span<const uint8_t> s, uint32_t p, int32_t wrapColumn, uint32_t tabSize,
                      uint32_t& firstLine, uint32_t& lastLine, TWrapRuns runs = TWrapRuns::None);
  // Removes up to n bytes at position p; nothing when p lies past the end.
  void DeleteText(uint32_t p, uint32_t n, int32_t wrapColumn, uint32_t tabSize, uint32_t& firstLine,
                  uint32_t& lastLine, TWrapRuns runs = TWrapRuns::None);
  // Replaces m bytes at position p by `s`. Returns 0 or 263 (nothing changed).
  uint16_t ReplaceText(uint32_t p, uint32_t m, std::span<const uint8_t> s, int32_t wrapColumn,
                       uint32_t tabSize, uint32_t& firstLine, uint32_t& lastLine, TWrapRuns runs = TWrapRuns::None);
  // Rebuilds the whole line table; `runs`: the runs a line keeps whole
  // (see TWrapRuns).
  void Wrap(int32_t wrapColumn, uint32_t tabSize, TWrapRuns runs = TWrapRuns::None);
  // Removes trailing blanks and tabs; returns how many went. The line table
  // stays valid: a line never starts inside a run of blanks.
  uint32_t StripTrailingBlanks();
  // Blanks and tabs directly before byte offset p.
  uint32_t CountBlanksBefore(uint32_t p) const;
  // True when `s` lies in this node's own buffer (which an edit may move).
  bool Overlaps(std::span<const uint8_t> s) const;

  // Links to the neighbouring paragraphs, kept by the paragraph list.
  TParaNodeHandle Next = 0;
  TParaNodeHandle Prev = 0;

 private:
  friend class TParaNodeTable;
  static constexpr uint32_t kInlineStarts = 2;
  // Marks in capacity_ a text whose room is in a TParaTextArena (paragraphs
  // are far shorter than 2 GB).
  static constexpr uint32_t kArenaText = 0x80000000u;

  const uint32_t* Starts() const { return lineCapacity_ <= kInlineStarts ? inlineStarts_ : heapStarts_; }
  uint32_t* Starts() { return lineCapacity_ <= kInlineStarts ? inlineStarts_ : heapStarts_; }
  bool ReserveText(uint32_t need);
  void ReserveLines(uint32_t count);
  void Rewrap(uint32_t offset, uint32_t inserted, uint32_t removed, int32_t wrapColumn, uint32_t tabSize,
              uint32_t& firstLine, uint32_t& lastLine, TWrapRuns runs);
  void FreeBuffers();
  void FreeText();

  uint8_t* text_ = nullptr;
  uint32_t length_ = 0;
  uint32_t capacity_ = 0;
  // 0 marks a node that is free in its table.
  uint32_t lineCount_ = 1;
  uint32_t lineCapacity_ = kInlineStarts;
  union {
    uint32_t inlineStarts_[kInlineStarts] = {0, 0};
    uint32_t* heapStarts_;
  };
};

}  // namespace nuvel
