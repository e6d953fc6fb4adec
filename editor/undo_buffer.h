#pragma once
// The undo history of one paragraph list: a single block of bytes holding
// packed variable-length records, one per elementary edit, and a cursor that
// separates the records that can be undone from those that can be redone.
//
// Record layout, little-endian, packed from the start of the block:
//   0  u32 paragraph     4  u32 position    8  u16 data length
//  10  u16 back size (total size of the previous record, 0 for the first)
//  12  u8  bits 0-6 kind, bit 7 saved-state bit   13  u8 group number
//  14  data
// Paragraph nodes are referred to by their 32-bit handle (4 data bytes).
//
// Node ownership: a node out of the text is owned by the record that refers
// to it (an undoable removal, or an undone insertion waiting to be redone),
// and is freed through the node table when that record is dropped.
#include <cstddef>
#include <cstdint>
#include <span>

#include "editor/para_node.h"

namespace nuvel {

class TParaNodeTable;

enum TUndoKind : uint8_t {
  kUndoCaret = 0,        // caret position around a split or a join
  kUndoInsert = 1,       // bytes inserted; data: the bytes
  kUndoParaBefore = 2,   // paragraph inserted before; data: the node
  kUndoParaAfter = 3,    // paragraph inserted after; data: the node
  kUndoDelete = 4,       // bytes deleted; data: the bytes
  kUndoParaRemoved = 5,  // paragraph removed; data: the node
  kUndoReplace = 6,      // data: old bytes, 0, new bytes, 0
};

inline constexpr uint32_t kUndoHeaderSize = 14;

// One record as read from the block. The bytes stay valid until the next
// record is added.
struct TUndoRecord {
  uint8_t Kind = 0;
  uint8_t Group = 0;
  bool Modified = false;
  uint32_t Para = 0;
  uint32_t Pos = 0;
  std::span<const uint8_t> Data;

  TParaNodeHandle Node() const;           // kinds 2, 3 and 5
  std::span<const uint8_t> OldBytes() const;  // kind 6
  std::span<const uint8_t> NewBytes() const;  // kind 6
};

class TNvcUndoBuffer {
 public:
  // Answers false to refuse a block of the given size (tests use it).
  using TAllocHook = bool (*)(std::size_t bytes);
  // No group number: CurrentGroup and NextGroup answer it when nothing is there.
  static constexpr int kNoGroup = -1;

  // Allocates the block; while that fails, a size above 14 is halved
  // (rounded up) and a smaller one becomes 0 (no undo). `nodes` is the table
  // whose nodes the records refer to; it may be null when no node records
  // are made.
  TNvcUndoBuffer(uint32_t size, TParaNodeTable* nodes, TAllocHook allocHook = nullptr);
  ~TNvcUndoBuffer();
  TNvcUndoBuffer(const TNvcUndoBuffer&) = delete;
  TNvcUndoBuffer& operator=(const TNvcUndoBuffer&) = delete;

  void BeginGroup(bool& wasOpen);
  void EndGroup(bool wasOpen);

  // Appends or merges a record; false when it was not stored (no room,
  // recording suspended, or data too long for the record layout).
  bool Add(uint8_t kind, bool modified, std::span<const uint8_t> data, uint32_t pos, uint32_t para);
  bool AddNode(uint8_t kind, bool modified, TParaNodeHandle node, uint32_t pos, uint32_t para);
  bool AddReplace(bool modified, uint32_t para, std::span<const uint8_t> newBytes,
                  std::span<const uint8_t> oldBytes, uint32_t pos);

  // The record at the cursor / after it, without moving the cursor.
  bool PeekUndo(TUndoRecord& record) const;
  bool PeekRedo(TUndoRecord& record) const;
  // Reads the record at the cursor and moves the cursor back.
  bool UndoStep(TUndoRecord& record);
  // Stamps the record after the cursor with `modified`, reads it and moves
  // the cursor forward.
  bool RedoStep(bool modified, TUndoRecord& record);

  int CurrentGroup() const;
  int NextGroup() const;
  void MarkAllModified();
  // Drops every record, freeing the nodes they own.
  void Clear();

  bool CanUndo() const { return undoCount_ > 0; }
  bool CanRedo() const { return redoCount_ > 0; }
  uint32_t BufferSize() const { return bufferSize_; }
  uint32_t FreeBytes() const { return freeBytes_; }
  uint32_t UndoCount() const { return undoCount_; }
  uint32_t RedoCount() const { return redoCount_; }
  uint8_t GroupNumber() const { return groupNumber_; }
  bool GroupOpen() const { return groupOpen_; }
  bool Suspended() const { return suspended_; }

 private:
  uint32_t UndoEnd() const;
  void DiscardRedo();
  void DropRecordNode(uint32_t offset, bool undoable);
  bool MakeRoom(uint32_t need);
  bool TryMerge(uint8_t kind, std::span<const uint8_t> data, uint32_t pos, uint32_t para, bool& stored);
  void Append(uint8_t kind, bool modified, std::span<const uint8_t> data, uint32_t pos, uint32_t para);
  void Read(uint32_t offset, TUndoRecord& record) const;

  uint8_t* buffer_ = nullptr;
  uint32_t bufferSize_ = 0;
  uint32_t freeBytes_ = 0;
  uint32_t current_ = 0;  // offset of the last undoable record
  uint32_t undoCount_ = 0;
  uint32_t redoCount_ = 0;
  uint8_t groupNumber_ = 0;
  bool groupOpen_ = false;
  bool suspended_ = false;
  TParaNodeTable* nodes_ = nullptr;
};

// Holds an undo group open for its lifetime, so everything recorded meanwhile
// undoes as one step; a group opened inside another joins the outer one.
class TUndoGroup {
 public:
  explicit TUndoGroup(TNvcUndoBuffer& undo) : undo_(undo) { undo_.BeginGroup(wasOpen_); }
  ~TUndoGroup() { undo_.EndGroup(wasOpen_); }
  TUndoGroup(const TUndoGroup&) = delete;
  TUndoGroup& operator=(const TUndoGroup&) = delete;

 private:
  TNvcUndoBuffer& undo_;
  bool wasOpen_ = false;
};

}  // namespace nuvel
