#include "editor/undo_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "editor/para_node_table.h"

namespace nuvel {

namespace {

// Reads and writes the fields of one packed record.
struct TUndoNode {
  static constexpr uint32_t kPara = 0, kPos = 4, kLength = 8, kBack = 10, kKind = 12, kGroup = 13;
  static constexpr uint8_t kSavedBit = 0x80;

  static uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
  }
  static uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
  static void Put32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
  }
  static void Put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
  }

  static uint32_t Length(const uint8_t* r) { return U16(r + kLength); }
  static uint32_t Size(const uint8_t* r) { return Length(r) + kUndoHeaderSize; }
  static uint32_t Back(const uint8_t* r) { return U16(r + kBack); }
  static uint8_t Kind(const uint8_t* r) { return r[kKind] & 0x7F; }
  static uint8_t Group(const uint8_t* r) { return r[kGroup]; }
  static bool Saved(const uint8_t* r) { return (r[kKind] & kSavedBit) != 0; }
  static void SetSaved(uint8_t* r, bool modified) {
    r[kKind] = static_cast<uint8_t>((r[kKind] & 0x7F) | (modified ? kSavedBit : 0));
  }
  static void Fill(uint8_t* r, uint8_t kind, bool modified, uint8_t group, uint32_t para, uint32_t pos,
                   uint32_t back, std::span<const uint8_t> data) {
    Put32(r + kPara, para);
    Put32(r + kPos, pos);
    Put16(r + kLength, static_cast<uint32_t>(data.size()));
    Put16(r + kBack, back);
    r[kKind] = static_cast<uint8_t>((kind & 0x7F) | (modified ? kSavedBit : 0));
    r[kGroup] = group;
    if (!data.empty()) std::memcpy(r + kUndoHeaderSize, data.data(), data.size());
  }
  static TParaNodeHandle NodeOf(const uint8_t* r) { return Length(r) >= 4 ? U32(r + kUndoHeaderSize) : 0; }
  // Number of old bytes in a replacement record's data.
  static uint32_t OldLength(std::span<const uint8_t> data) {
    auto zero = std::find(data.begin(), data.end(), uint8_t{0});
    return static_cast<uint32_t>(zero - data.begin());
  }
};

constexpr uint32_t kMaxRecordSize = 0xFFFF;  // the back size is 16 bits wide

}  // namespace

TParaNodeHandle TUndoRecord::Node() const { return Data.size() >= 4 ? TUndoNode::U32(Data.data()) : 0; }

std::span<const uint8_t> TUndoRecord::OldBytes() const { return Data.first(TUndoNode::OldLength(Data)); }

std::span<const uint8_t> TUndoRecord::NewBytes() const {
  const uint32_t old = TUndoNode::OldLength(Data);
  if (old + 1 >= Data.size()) return {};
  auto rest = Data.subspan(old + 1);
  return rest.first(TUndoNode::OldLength(rest));
}

TNvcUndoBuffer::TNvcUndoBuffer(uint32_t size, TParaNodeTable* nodes, TAllocHook allocHook) : nodes_(nodes) {
  while (size > 0) {
    if (allocHook == nullptr || allocHook(size)) buffer_ = static_cast<uint8_t*>(std::malloc(size));
    if (buffer_ != nullptr) break;
    size = size > kUndoHeaderSize ? size - size / 2 : 0;
  }
  bufferSize_ = buffer_ != nullptr ? size : 0;
  freeBytes_ = bufferSize_;
}

TNvcUndoBuffer::~TNvcUndoBuffer() {
  Clear();
  std::free(buffer_);
}

void TNvcUndoBuffer::BeginGroup(bool& wasOpen) {
  wasOpen = groupOpen_;
  if (!groupOpen_) {
    groupOpen_ = true;
    ++groupNumber_;
  }
}

void TNvcUndoBuffer::EndGroup(bool wasOpen) {
  groupOpen_ = wasOpen;
  if (!wasOpen) suspended_ = false;
}

uint32_t TNvcUndoBuffer::UndoEnd() const {
  return undoCount_ == 0 ? 0 : current_ + TUndoNode::Size(buffer_ + current_);
}

void TNvcUndoBuffer::DropRecordNode(uint32_t offset, bool undoable) {
  const uint8_t* r = buffer_ + offset;
  const uint8_t kind = TUndoNode::Kind(r);
  const bool owns = undoable ? kind == kUndoParaRemoved : (kind == kUndoParaBefore || kind == kUndoParaAfter);
  if (owns && nodes_ != nullptr) nodes_->Free(TUndoNode::NodeOf(r));
}

void TNvcUndoBuffer::DiscardRedo() {
  uint32_t offset = UndoEnd();
  for (uint32_t i = 0; i < redoCount_; ++i) {
    DropRecordNode(offset, false);
    offset += TUndoNode::Size(buffer_ + offset);
  }
  redoCount_ = 0;
}

void TNvcUndoBuffer::Clear() {
  DiscardRedo();
  uint32_t offset = 0;
  for (uint32_t i = 0; i < undoCount_; ++i) {
    DropRecordNode(offset, true);
    offset += TUndoNode::Size(buffer_ + offset);
  }
  undoCount_ = 0;
  current_ = 0;
  freeBytes_ = bufferSize_;
  groupNumber_ = 0;
}

bool TNvcUndoBuffer::MakeRoom(uint32_t need) {
  if (suspended_) return false;
  if (need > bufferSize_) {
    Clear();
    suspended_ = groupOpen_;
    return false;
  }
  if (freeBytes_ >= need) return true;
  const uint32_t target = std::max(bufferSize_ / 16, need);
  uint32_t offset = 0;
  uint32_t dropped = 0;
  while (dropped < undoCount_ && freeBytes_ < target) {
    const uint8_t group = TUndoNode::Group(buffer_ + offset);
    while (dropped < undoCount_ && TUndoNode::Group(buffer_ + offset) == group) {
      const uint32_t size = TUndoNode::Size(buffer_ + offset);
      DropRecordNode(offset, true);
      freeBytes_ += size;
      offset += size;
      ++dropped;
    }
  }
  if (dropped < undoCount_) {
    const uint32_t end = UndoEnd();
    std::memmove(buffer_, buffer_ + offset, end - offset);
    TUndoNode::Put16(buffer_ + TUndoNode::kBack, 0);
    undoCount_ -= dropped;
    current_ -= offset;
    return true;
  }
  undoCount_ = 0;  // every record went; their nodes are already freed
  Clear();
  suspended_ = groupOpen_;
  return !groupOpen_;
}

void TNvcUndoBuffer::Append(uint8_t kind, bool modified, std::span<const uint8_t> data, uint32_t pos,
                            uint32_t para) {
  const uint32_t offset = UndoEnd();
  const uint32_t back = undoCount_ == 0 ? 0 : TUndoNode::Size(buffer_ + current_);
  TUndoNode::Fill(buffer_ + offset, kind, modified, groupNumber_, para, pos, back, data);
  current_ = offset;
  ++undoCount_;
  freeBytes_ -= static_cast<uint32_t>(data.size()) + kUndoHeaderSize;
}

// Extends the record at the cursor when the new edit continues it: typing on
// after it, deleting forwards or backwards at its place, overwriting on.
bool TNvcUndoBuffer::TryMerge(uint8_t kind, std::span<const uint8_t> data, uint32_t pos, uint32_t para,
                              bool& stored) {
  if (undoCount_ == 0) return false;
  const uint8_t* r = buffer_ + current_;
  if (TUndoNode::Kind(r) != kind || TUndoNode::U32(r + TUndoNode::kPara) != para) return false;
  const uint32_t recPos = TUndoNode::U32(r + TUndoNode::kPos);
  const uint32_t recLength = TUndoNode::Length(r);
  const auto n = static_cast<uint32_t>(data.size());
  enum { kAppend, kPrepend, kReplace } mode;
  uint32_t added = n;
  if (kind == kUndoInsert && recPos + recLength == pos) {
    mode = kAppend;
  } else if (kind == kUndoDelete && recPos == pos) {
    mode = kAppend;
  } else if (kind == kUndoDelete && uint64_t{pos} + n == recPos) {
    mode = kPrepend;
  } else if (kind == kUndoReplace &&
             uint64_t{recPos} + (recLength - 2 - TUndoNode::OldLength({r + kUndoHeaderSize, recLength})) == pos) {
    // Overwriting continues right after the new bytes of the record (for an
    // overwrite, old and new are equally long). Continuing after the old
    // bytes would misplace the merged replacement when the lengths differ.
    mode = kReplace;
    added = n - 2;  // the two zero bytes are there already
  } else {
    return false;
  }
  if (uint64_t{recLength} + added + kUndoHeaderSize > kMaxRecordSize) return false;
  if (!MakeRoom(added)) {
    stored = false;
    return true;
  }
  if (undoCount_ == 0) return false;  // the record went to make room: start a new one

  uint8_t* rec = buffer_ + current_;
  uint8_t* d = rec + kUndoHeaderSize;
  if (mode == kAppend) {
    std::memcpy(d + recLength, data.data(), n);
  } else if (mode == kPrepend) {
    std::memmove(d + n, d, recLength);
    std::memcpy(d, data.data(), n);
    TUndoNode::Put32(rec + TUndoNode::kPos, pos);
  } else {
    const uint32_t old1 = TUndoNode::OldLength({d, recLength});
    const uint32_t new1 = recLength - old1 - 2;
    const uint32_t old2 = TUndoNode::OldLength(data);
    const uint32_t new2 = n - old2 - 2;
    std::memmove(d + old1 + old2 + 1, d + old1 + 1, new1);
    std::memcpy(d + old1, data.data(), old2);
    d[old1 + old2] = 0;
    std::memcpy(d + old1 + old2 + 1 + new1, data.data() + old2 + 1, new2);
    d[old1 + old2 + 1 + new1 + new2] = 0;
  }
  TUndoNode::Put16(rec + TUndoNode::kLength, recLength + added);
  freeBytes_ -= added;
  stored = true;
  return true;
}

bool TNvcUndoBuffer::Add(uint8_t kind, bool modified, std::span<const uint8_t> data, uint32_t pos,
                         uint32_t para) {
  DiscardRedo();
  if (data.size() + kUndoHeaderSize > kMaxRecordSize) {
    // Cannot be recorded: the history before it would no longer match.
    Clear();
    suspended_ = groupOpen_;
    return false;
  }
  if (!groupOpen_) {
    bool stored = false;
    if (TryMerge(kind, data, pos, para, stored)) return stored;
    ++groupNumber_;
  }
  if (!MakeRoom(static_cast<uint32_t>(data.size()) + kUndoHeaderSize)) return false;
  Append(kind, modified, data, pos, para);
  return true;
}

bool TNvcUndoBuffer::AddNode(uint8_t kind, bool modified, TParaNodeHandle node, uint32_t pos, uint32_t para) {
  uint8_t bytes[4];
  TUndoNode::Put32(bytes, node);
  return Add(kind, modified, bytes, pos, para);
}

bool TNvcUndoBuffer::AddReplace(bool modified, uint32_t para, std::span<const uint8_t> newBytes,
                                std::span<const uint8_t> oldBytes, uint32_t pos) {
  std::vector<uint8_t> data;
  data.reserve(oldBytes.size() + newBytes.size() + 2);
  data.insert(data.end(), oldBytes.begin(), oldBytes.end());
  data.push_back(0);
  data.insert(data.end(), newBytes.begin(), newBytes.end());
  data.push_back(0);
  return Add(kUndoReplace, modified, data, pos, para);
}

void TNvcUndoBuffer::Read(uint32_t offset, TUndoRecord& record) const {
  const uint8_t* r = buffer_ + offset;
  record.Kind = TUndoNode::Kind(r);
  record.Group = TUndoNode::Group(r);
  record.Modified = TUndoNode::Saved(r);
  record.Para = TUndoNode::U32(r + TUndoNode::kPara);
  record.Pos = TUndoNode::U32(r + TUndoNode::kPos);
  record.Data = {r + kUndoHeaderSize, TUndoNode::Length(r)};
}

bool TNvcUndoBuffer::PeekUndo(TUndoRecord& record) const {
  if (undoCount_ == 0) return false;
  Read(current_, record);
  return true;
}

bool TNvcUndoBuffer::PeekRedo(TUndoRecord& record) const {
  if (redoCount_ == 0) return false;
  Read(UndoEnd(), record);
  return true;
}

bool TNvcUndoBuffer::UndoStep(TUndoRecord& record) {
  if (undoCount_ == 0) return false;
  Read(current_, record);
  const uint8_t* r = buffer_ + current_;
  freeBytes_ += TUndoNode::Size(r);
  current_ = undoCount_ > 1 ? current_ - TUndoNode::Back(r) : 0;
  --undoCount_;
  ++redoCount_;
  return true;
}

bool TNvcUndoBuffer::RedoStep(bool modified, TUndoRecord& record) {
  if (redoCount_ == 0) return false;
  const uint32_t offset = UndoEnd();
  TUndoNode::SetSaved(buffer_ + offset, modified);
  Read(offset, record);
  current_ = offset;
  freeBytes_ -= TUndoNode::Size(buffer_ + offset);
  ++undoCount_;
  --redoCount_;
  return true;
}

int TNvcUndoBuffer::CurrentGroup() const {
  return undoCount_ == 0 ? kNoGroup : TUndoNode::Group(buffer_ + current_);
}

int TNvcUndoBuffer::NextGroup() const { return redoCount_ == 0 ? kNoGroup : TUndoNode::Group(buffer_ + UndoEnd()); }

void TNvcUndoBuffer::MarkAllModified() {
  uint32_t offset = 0;
  for (uint32_t i = 0; i < undoCount_ + redoCount_; ++i) {
    TUndoNode::SetSaved(buffer_ + offset, true);
    offset += TUndoNode::Size(buffer_ + offset);
  }
}

}  // namespace nuvel
