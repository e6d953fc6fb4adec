#pragma once
// The text of an editor: a doubly linked list of paragraph nodes with its
// totals, limits, wrap settings, ten bookmarks and two block markers, its undo
// buffer and the ring of views that show it. Every change of the text goes
// through one of its operations, which checks the limits, records the change
// for undo, updates the totals, moves the markers, tells every view and marks
// the text modified. Paragraphs, positions and lines count from 1.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/conv_context.h"
#include "core/nikud.h"
#include "editor/editor_errors.h"
#include "editor/para_index.h"
#include "editor/para_list_view.h"
#include "editor/para_node.h"
#include "editor/para_node_table.h"
#include "editor/undo_buffer.h"

namespace nuvel {

struct TParaPos {
  uint32_t Para = 0;
  uint32_t Pos = 0;
  friend bool operator==(const TParaPos&, const TParaPos&) = default;
};

class TNvcParaList {
 public:
  static constexpr uint32_t kNoLimit = 2147483647;
  static constexpr uint32_t kToTheEnd = 2147483647;  // LastChangedLine when the line count changed
  static constexpr int kBlockBeginMarker = 100;
  static constexpr int kBlockEndMarker = 101;

  // A list of one empty paragraph. `owner` (may be null) is the first view of
  // the ring.
  TNvcParaList(TParaListView* owner, bool wordWrap, uint32_t undoBufferSize,
               TNvcUndoBuffer::TAllocHook undoAllocHook = nullptr);
  ~TNvcParaList();
  TNvcParaList(const TNvcParaList&) = delete;
  TNvcParaList& operator=(const TNvcParaList&) = delete;

  // Views.
  TParaListView* Owner() const { return views_.empty() ? nullptr : views_.front(); }
  // Joins the ring before the owner (so it is told last).
  void AttachView(TParaListView* view);
  // Leaves the ring; the next view becomes owner. True when no view is left.
  bool DetachView(TParaListView* view);
  const std::vector<TParaListView*>& Views() const { return views_; }
  void UpdateViews();
  void SetBusyCursorService(TBusyCursorService* service) { busyCursor_ = service; }

  // Totals and state.
  uint32_t ParaCount() const { return paraCount_; }
  int64_t ByteCount() const { return byteCount_; }
  uint32_t LineCount() const { return lineCount_; }
  uint32_t ParaLimit() const { return paraLimit_; }
  uint32_t ByteLimit() const { return byteLimit_; }
  uint32_t ParaLengthLimit() const { return paraLengthLimit_; }
  bool WordWrap() const { return wordWrap_; }
  int32_t WrapColumn() const { return wrapColumn_; }
  uint8_t TabSize() const { return tabSize_; }
  // WrapColumn with wrapping on, else the no-wrap column.
  int32_t EffectiveWrapColumn() const { return wordWrap_ ? wrapColumn_ : kNoWrapColumn; }
  bool Modified() const { return modified_; }
  // What the document's loads, saves and clipboard convert by: the
  // program's defaults when the list is made, the document's own after.
  const ConvContext& Conversion() const { return conversion_; }
  void SetConversion(const ConvContext& conversion) { conversion_ = conversion; }
  // Setting False also marks every undo record as made on a modified text.
  void SetModified(bool modified);
  bool MarkersActive() const { return markersActive_; }
  bool InUndo() const { return inUndo_; }
  bool PersistentBlocks() const { return persistentBlocks_; }
  uint32_t FirstChangedLine() const { return firstChangedLine_; }
  uint32_t LastChangedLine() const { return lastChangedLine_; }
  TParaNodeHandle Head() const { return head_; }
  TParaNodeHandle Tail() const { return tail_; }
  TParaNodeTable& Nodes() { return nodes_; }
  const TParaNodeTable& Nodes() const { return nodes_; }
  TNvcUndoBuffer& UndoBuffer() { return *undo_; }
  bool CanUndo() const { return undo_->CanUndo(); }
  bool CanRedo() const { return undo_->CanRedo(); }

  // Lookups.
  TParaNode* GetParaNode(uint32_t para);
  // Node, bytes of screen line `line`; null and empty outside the text.
  // Inline where the index's line map answers a jump: the fewer the
  // instructions before its reads from memory, the more jumps the processor
  // keeps under way at once.
  TParaNode* GetLineText(uint32_t line, std::span<const uint8_t>& text) {
    uint32_t index = 0, place = 0;
    TParaNodeHandle h = 0;
    if (wordWrap_ && line - 1 < lineCount_ && !NearCachedLine(line) &&
        index_.FindLineInMap(line - 1, index, place, h)) {
      cacheNode_ = h;
      cachePara_ = index + 1;
      cacheLine_ = line;
      cacheLineInPara_ = place + 1;
      TParaNode& node = nodes_[h];
      text = node.GetLine(place + 1);
      return &node;
    }
    return FindLineText(line, text);
  }
  // Screen line of (para, pos) and its column within the line.
  uint32_t LineOf(uint32_t para, uint32_t pos, uint32_t& column);
  // Paragraph of a screen line and the 0-based offset of the line's start;
  // 0 outside the text.
  uint32_t LineToPara(uint32_t line, uint32_t& offset);
  uint32_t LineLength(uint32_t line);
  uint32_t ParaLength(uint32_t para);
  // Display column of a byte position in a line and back. A letter's points
  // take no column when the line's points overstrike; `side` says which
  // side of its letter the line keeps them.
  uint32_t ColumnOfPos(std::span<const uint8_t> line, uint32_t pos,
                       TPointSide side = TPointSide::BeforeLetter) const;
  uint32_t PosOfColumn(std::span<const uint8_t> line, uint32_t column,
                       TPointSide side = TPointSide::BeforeLetter) const;

  // Edits. `view` is the view making the change (may be null).
  uint16_t InsertText(TParaListView* view, uint32_t para, std::span<const uint8_t> bytes, uint32_t pos);
  // Inserts text that may hold line ends (up to a zero byte, if any); para and
  // pos come back as the position after the inserted text.
  uint16_t InsertLines(TParaListView* view, uint32_t& para, std::span<const uint8_t> bytes, uint32_t& pos);
  uint16_t SplitPara(TParaListView* view, uint32_t para, bool trim, uint32_t& indent, uint32_t tabSize,
                     uint32_t pos);
  uint16_t JoinParas(TParaListView* view, uint32_t para, uint32_t pos);
  void DeleteText(TParaListView* view, uint32_t para, uint32_t pos, uint32_t count);
  void DeletePara(TParaListView* view, uint32_t para);
  // Deletes from (para1, pos1) up to, not including, (para2, pos2). Returns
  // the code of the join that closes the gap.
  uint16_t DeleteRange(TParaListView* view, uint32_t para1, uint32_t pos1, uint32_t para2, uint32_t pos2);
  uint16_t ReplaceText(TParaListView* view, uint32_t para, std::span<const uint8_t> newBytes, uint32_t oldCount,
                       uint32_t pos);
  uint16_t InsertParaBefore(TParaListView* view, uint32_t para, std::span<const uint8_t> bytes);
  uint16_t InsertParaAfter(TParaListView* view, uint32_t para, std::span<const uint8_t> bytes);
  // Adds a paragraph before the last one, for loading: no limit check, no
  // undo record (the history is cleared), no marker or view update.
  uint16_t AppendPara(std::span<const uint8_t> bytes, bool trim);
  // Gives paragraph `para` new bytes, for loading, on the same terms: no
  // limit check, no undo record, no marker or view update.
  uint16_t ReplaceParaForLoad(uint32_t para, std::span<const uint8_t> bytes);
  uint16_t CheckLimits(uint32_t para, uint32_t newParas, int64_t addBytes);

  // Undo and redo one group; caret comes back as the position to show. A
  // step that cannot be applied (no memory, or a history that no longer
  // matches the text) gives 263 and drops the history.
  uint16_t Undo(TParaListView* view, TParaPos& caret);
  uint16_t Redo(TParaListView* view, TParaPos& caret);

  // Settings.
  void SetByteLimit(uint32_t limit) { byteLimit_ = limit; }
  void SetParaLimit(uint32_t limit) { paraLimit_ = limit; }
  void SetParaLengthLimit(uint32_t limit) { paraLengthLimit_ = limit; }
  void SetTabSize(uint8_t tabSize);
  void SetWordWrap(bool wordWrap);
  void SetWrapColumn(int32_t wrapColumn);
  // The runs a wrapped line keeps whole (see TWrapRuns); re-wraps when it
  // changes and words are wrapped.
  void SetWrapRuns(TWrapRuns runs);
  TWrapRuns WrapRuns() const { return wrapRuns_; }
  // A new, empty undo buffer; returns the size obtained.
  uint32_t SetUndoBufferSize(uint32_t size);
  void SetPersistentBlocks(bool on) { persistentBlocks_ = on; }
  void RewrapAll();

  // Markers: 0-9 the bookmarks, 100 and 101 the block markers; (0, 0) unset.
  TParaPos Marker(int n) const;
  void SetMarkerRaw(int n, uint32_t para, uint32_t pos);
  void SetMarker(int n, uint32_t line, uint32_t column);
  TParaPos BlockBegin() const { return markers_[10]; }
  TParaPos BlockEnd() const { return markers_[11]; }

 private:
  enum class Change { TextInserted, TextDeleted, ParaInserted, ParaDeleted, ParaJoined };

  TParaNode& NodeAt(TParaNodeHandle h) { return nodes_[h]; }
  // GetLineText for all the lines its inline part leaves.
  TParaNode* FindLineText(uint32_t line, std::span<const uint8_t>& text);
  // Whether `line` is the cached line or one of its neighbours.
  bool NearCachedLine(uint32_t line) const {
    return cacheNode_ != 0 && cacheLine_ != 0 && line - cacheLine_ + 1 <= 2;
  }
  TParaNodeHandle HandleOf(uint32_t para);
  uint32_t FirstLineOf(uint32_t para);
  uint32_t CachedFirstLine();
  void ResetCache();
  void NoteLineChange(uint32_t para, TParaNode& node, uint32_t oldLines, const uint8_t* oldText, uint32_t first,
                      uint32_t last);
  void Link(TParaNodeHandle h, uint32_t para);
  TParaNodeHandle Unlink(uint32_t para);
  uint16_t LinkNode(TParaListView* view, uint32_t para, TParaNodeHandle h, bool rewrap);
  bool RemoveRecordedNode(TParaListView* view, uint32_t para, TParaNodeHandle h);
  void Notify(TParaListView* view, Change change, uint32_t para, uint32_t pos, uint32_t count);
  void MoveMarkers(Change change, uint32_t para, uint32_t pos, uint32_t count);
  void Record(uint8_t kind, std::span<const uint8_t> data, uint32_t pos, uint32_t para);
  bool ApplyUndo(TParaListView* view, const TUndoRecord& r);
  bool ApplyRedo(TParaListView* view, const TUndoRecord& r, TParaPos& caret);

  ConvContext conversion_ = ProgramConvContext();
  TParaNodeTable nodes_;
  TParaIndex index_;
  std::unique_ptr<TNvcUndoBuffer> undo_;
  TNvcUndoBuffer::TAllocHook undoAllocHook_ = nullptr;
  std::vector<TParaListView*> views_;
  TBusyCursorService* busyCursor_ = nullptr;

  TParaNodeHandle head_ = 0;
  TParaNodeHandle tail_ = 0;
  // The last paragraph looked up: its node, number, the screen line of the
  // cached line (0 while not yet known) and that line's number inside the
  // paragraph.
  TParaNodeHandle cacheNode_ = 0;
  uint32_t cachePara_ = 0;
  uint32_t cacheLine_ = 0;
  uint32_t cacheLineInPara_ = 0;

  uint32_t paraCount_ = 0;
  int64_t byteCount_ = 0;
  uint32_t lineCount_ = 0;
  uint32_t paraLimit_ = kNoLimit;
  uint32_t byteLimit_ = kNoLimit;
  uint32_t paraLengthLimit_ = 32767;
  bool wordWrap_ = false;
  int32_t wrapColumn_ = 80;
  uint8_t tabSize_ = 8;
  TWrapRuns wrapRuns_ = TWrapRuns::None;
  bool modified_ = false;
  bool markersActive_ = true;
  bool inUndo_ = false;
  bool persistentBlocks_ = false;
  std::array<TParaPos, 12> markers_{};  // 0-9 bookmarks, 10 block begin, 11 block end
  uint32_t firstChangedLine_ = 0;
  uint32_t lastChangedLine_ = 0;
};

}  // namespace nuvel
