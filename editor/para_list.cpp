#include "editor/para_list.h"

#include <algorithm>
#include <new>

#include "core/nikud.h"
#include "editor/wrap_routines.h"

namespace nuvel {

namespace {
const uint8_t kNoBytes[1] = {0};

// Shows the busy cursor for the lifetime of the guard.
class TBusyGuard {
 public:
  explicit TBusyGuard(TBusyCursorService* service) : service_(service) {
    if (service_ != nullptr) service_->SetBusy(true);
  }
  ~TBusyGuard() {
    if (service_ != nullptr) service_->SetBusy(false);
  }
  TBusyGuard(const TBusyGuard&) = delete;
  TBusyGuard& operator=(const TBusyGuard&) = delete;

 private:
  TBusyCursorService* service_;
};
}  // namespace

TNvcParaList::TNvcParaList(TParaListView* owner, bool wordWrap, uint32_t undoBufferSize,
                           TNvcUndoBuffer::TAllocHook undoAllocHook)
    : undoAllocHook_(undoAllocHook), wordWrap_(wordWrap) {
  undo_ = std::make_unique<TNvcUndoBuffer>(undoBufferSize, &nodes_, undoAllocHook_);
  if (owner != nullptr) views_.push_back(owner);
  Link(nodes_.New(), 1);
}

TNvcParaList::~TNvcParaList() {
  undo_.reset();  // frees the nodes its records own; the table frees the rest
}

// ---- Views ----

void TNvcParaList::AttachView(TParaListView* view) {
  if (view == nullptr || std::find(views_.begin(), views_.end(), view) != views_.end()) return;
  views_.push_back(view);
}

bool TNvcParaList::DetachView(TParaListView* view) {
  auto it = std::find(views_.begin(), views_.end(), view);
  if (it != views_.end()) views_.erase(it);
  return views_.empty();
}

void TNvcParaList::UpdateViews() {
  const std::vector<TParaListView*> ring = views_;
  for (TParaListView* v : ring) v->Resynchronize();
}

void TNvcParaList::Notify(TParaListView* view, Change change, uint32_t para, uint32_t pos, uint32_t count) {
  if (!markersActive_ || views_.empty()) return;
  const std::vector<TParaListView*> ring = views_;
  const size_t n = ring.size();
  auto origin = std::find(ring.begin(), ring.end(), view);
  // From the view after the one that made the change, ending with it.
  const size_t start = origin == ring.end() ? 0 : static_cast<size_t>(origin - ring.begin()) + 1;
  for (size_t k = 0; k < n; ++k) {
    TParaListView* v = ring[(start + k) % n];
    const bool own = v == view;
    switch (change) {
      case Change::TextInserted: v->TextInserted(para, pos, own, count); break;
      case Change::TextDeleted: v->TextDeleted(para, pos, own, count); break;
      case Change::ParaInserted: v->ParaInserted(para, pos, own, count); break;
      case Change::ParaDeleted: v->ParaDeleted(para, own); break;
      case Change::ParaJoined: v->ParaJoined(para, pos, own); break;
    }
  }
}

// ---- Markers ----

void TNvcParaList::MoveMarkers(Change change, uint32_t para, uint32_t pos, uint32_t count) {
  if (!markersActive_) return;
  for (TParaPos& m : markers_) {
    if (m.Para == 0) continue;
    switch (change) {
      case Change::TextInserted:
        if (m.Para == para && m.Pos >= pos) m.Pos += count;
        break;
      case Change::TextDeleted:
        if (m.Para == para && m.Pos >= pos) {
          if (m.Pos >= pos + count) {
            m.Pos -= count;
          } else {
            m = {};
          }
        }
        break;
      case Change::ParaInserted:
        if (m.Para > para) {
          ++m.Para;
        } else if (m.Para == para && m.Pos >= pos) {
          m = {para + 1, m.Pos + count - (pos - 1)};
        }
        break;
      case Change::ParaDeleted:
        if (m.Para == para) {
          m = {};
        } else if (m.Para > para) {
          --m.Para;
        }
        break;
      case Change::ParaJoined:
        if (m.Para == para + 1) {
          m = {para, m.Pos + pos - 1};
        } else if (m.Para > para + 1) {
          --m.Para;
        }
        break;
    }
  }
}

TParaPos TNvcParaList::Marker(int n) const {
  if (n >= 0 && n <= 9) return markers_[static_cast<size_t>(n)];
  if (n == kBlockBeginMarker) return markers_[10];
  if (n == kBlockEndMarker) return markers_[11];
  return {};
}

void TNvcParaList::SetMarkerRaw(int n, uint32_t para, uint32_t pos) {
  if (n >= 0 && n <= 9) {
    markers_[static_cast<size_t>(n)] = {para, pos};
  } else if (n == kBlockBeginMarker) {
    markers_[10] = {para, pos};
  } else if (n == kBlockEndMarker) {
    markers_[11] = {para, pos};
  }
}

void TNvcParaList::SetMarker(int n, uint32_t line, uint32_t column) {
  if (!((n >= 0 && n <= 9) || n == kBlockBeginMarker || n == kBlockEndMarker)) return;
  uint32_t offset = 0;
  const uint32_t para = LineToPara(line, offset);
  SetMarkerRaw(n, para, para == 0 ? 0 : offset + column);
}

// ---- Lookups ----

void TNvcParaList::ResetCache() {
  cacheNode_ = 0;
  cachePara_ = 0;
  cacheLine_ = 0;
  cacheLineInPara_ = 0;
}

// The cache keeps the screen line of its paragraph when it comes cheaply (a
// step from a known neighbour, the first or the last paragraph); after a
// jump through the index it is left unknown (0) until a caller needs it.
TParaNode* TNvcParaList::GetParaNode(uint32_t para) {
  if (para - 1 >= paraCount_) return nullptr;  // also 0, by wrapping around
  // The cached paragraph or one of its neighbours: one branch tells.
  if (cacheNode_ != 0 && para - cachePara_ + 1 <= 2) {
    if (cacheLine_ != 0) cacheLine_ -= cacheLineInPara_ - 1;
    cacheLineInPara_ = 1;
    if (para == cachePara_ + 1) {
      if (cacheLine_ != 0) cacheLine_ += nodes_[cacheNode_].LineCount();
      cacheNode_ = nodes_[cacheNode_].Next;
    } else if (para + 1 == cachePara_) {
      cacheNode_ = nodes_[cacheNode_].Prev;
      if (cacheLine_ != 0) cacheLine_ -= nodes_[cacheNode_].LineCount();
    }
    cachePara_ = para;
    return &nodes_[cacheNode_];
  }
  if (para == 1) {
    cacheNode_ = head_;
    cacheLine_ = 1;
  } else if (para == paraCount_) {
    cacheNode_ = tail_;
    cacheLine_ = lineCount_ - nodes_[tail_].LineCount() + 1;
  } else {
    cacheNode_ = index_.At(para - 1);
    cacheLine_ = 0;
  }
  cachePara_ = para;
  cacheLineInPara_ = 1;
  return &nodes_[cacheNode_];
}

uint32_t TNvcParaList::CachedFirstLine() {
  if (cacheLine_ == 0) {
    cacheLine_ = static_cast<uint32_t>(index_.LinesBefore(cachePara_ - 1)) + 1;
    cacheLineInPara_ = 1;
  }
  return cacheLine_ - (cacheLineInPara_ - 1);
}

TParaNodeHandle TNvcParaList::HandleOf(uint32_t para) { return GetParaNode(para) != nullptr ? cacheNode_ : 0; }

uint32_t TNvcParaList::FirstLineOf(uint32_t para) {
  return GetParaNode(para) != nullptr ? CachedFirstLine() : lineCount_ + 1;
}

TParaNode* TNvcParaList::FindLineText(uint32_t line, std::span<const uint8_t>& text) {
  text = {kNoBytes, 0};
  if (!wordWrap_) {
    TParaNode* node = GetParaNode(line);
    if (node != nullptr) text = node->Bytes();
    return node;
  }
  if (line < 1 || line > lineCount_) return nullptr;
  if (NearCachedLine(line)) {
    const TParaNode& node = nodes_[cacheNode_];
    if (line == cacheLine_ + 1) {
      if (cacheLineInPara_ < node.LineCount()) {
        ++cacheLineInPara_;
      } else {
        cacheNode_ = node.Next;
        ++cachePara_;
        cacheLineInPara_ = 1;
      }
      ++cacheLine_;
    } else if (line + 1 == cacheLine_) {
      if (cacheLineInPara_ > 1) {
        --cacheLineInPara_;
      } else {
        cacheNode_ = node.Prev;
        --cachePara_;
        cacheLineInPara_ = nodes_[cacheNode_].LineCount();
      }
      --cacheLine_;
    }
  } else {
    uint64_t before = 0;
    TParaNodeHandle h = 0;
    const uint32_t index = index_.FindLine(line - 1, before, &h);
    cacheNode_ = h;
    cachePara_ = index + 1;
    cacheLine_ = line;
    cacheLineInPara_ = line - static_cast<uint32_t>(before);
  }
  TParaNode& node = nodes_[cacheNode_];
  text = node.GetLine(cacheLineInPara_);
  return &node;
}

uint32_t TNvcParaList::LineOf(uint32_t para, uint32_t pos, uint32_t& column) {
  para = std::clamp<uint32_t>(para, 1, paraCount_);
  TParaNode* node = GetParaNode(para);
  const uint32_t lineInPara = node->PosToLine(pos, column);
  return CachedFirstLine() + lineInPara - 1;
}

uint32_t TNvcParaList::LineToPara(uint32_t line, uint32_t& offset) {
  offset = 0;
  if (!wordWrap_) return line;
  std::span<const uint8_t> text;
  TParaNode* node = GetLineText(line, text);
  if (node == nullptr) return 0;
  offset = node->LineStarts()[cacheLineInPara_ - 1];
  return cachePara_;
}

uint32_t TNvcParaList::LineLength(uint32_t line) {
  std::span<const uint8_t> text;
  GetLineText(line, text);
  return static_cast<uint32_t>(text.size());
}

uint32_t TNvcParaList::ParaLength(uint32_t para) {
  TParaNode* node = GetParaNode(para);
  return node != nullptr ? node->Length() : 0;
}

namespace {
// Display width of the first `upto` bytes of `line`: tabs expanded when
// there are any, points taking no cell when they overstrike.
uint32_t DisplayWidth(std::span<const uint8_t> line, size_t upto, uint32_t tabSize, bool overstrike,
                      TPointSide side) {
  const auto bytes = line.first(upto);
  const uint32_t width = HasTab(bytes) ? ExpandedWidth(bytes, tabSize) : static_cast<uint32_t>(bytes.size());
  return width - static_cast<uint32_t>(CountNikud(line, upto, overstrike, side));
}
}  // namespace

uint32_t TNvcParaList::ColumnOfPos(std::span<const uint8_t> line, uint32_t pos, TPointSide side) const {
  if (pos < 2 || line.empty()) return pos == 0 ? 1 : pos;
  const bool overstrike = NikudOverstrikeFor(line);
  const auto length = static_cast<uint32_t>(line.size());
  if (pos <= length) return DisplayWidth(line, pos - 1, tabSize_, overstrike, side) + 1;
  return DisplayWidth(line, length, tabSize_, overstrike, side) + pos - length;
}

uint32_t TNvcParaList::PosOfColumn(std::span<const uint8_t> line, uint32_t column, TPointSide side) const {
  if (column < 2 || line.empty()) return column;
  const bool overstrike = NikudOverstrikeFor(line);
  const auto length = static_cast<uint32_t>(line.size());
  // Past the end each column is one position, the points of the last
  // letter left behind.
  const uint32_t endColumn = DisplayWidth(line, length, tabSize_, overstrike, side) + 1;
  if (column >= endColumn) return length + 1 + (column - endColumn);
  if (!HasTab(line)) return static_cast<uint32_t>(ColumnToNikudPos(line, length, column, overstrike, side));
  // With tabs the columns are not bytes: take the last position whose column
  // (as ColumnOfPos gives it) is at most the one asked for.
  const uint32_t t = std::max<uint32_t>(tabSize_, 1);
  uint32_t expanded = 0;  // expanded width of the bytes before the next position
  uint32_t points = 0;
  uint32_t pos = 1;
  while (pos < length) {
    const uint8_t b = line[pos - 1];
    expanded = b == 9 ? (expanded / t + 1) * t : expanded + 1;
    if (!TakesCell(line, pos - 1, overstrike, side)) ++points;
    if (expanded - points + 1 > column) break;
    ++pos;
  }
  return pos;
}

// ---- Linking ----

// Links node h so that it becomes paragraph `para` (1..ParaCount + 1).
void TNvcParaList::Link(TParaNodeHandle h, uint32_t para) {
  TParaNode& node = nodes_[h];
  para = std::clamp<uint32_t>(para, 1, paraCount_ + 1);
  if (para > paraCount_) {
    node.Prev = tail_;
    node.Next = 0;
    if (tail_ != 0) {
      nodes_[tail_].Next = h;
    } else {
      head_ = h;
    }
    tail_ = h;
  } else {
    const TParaNodeHandle next = HandleOf(para);
    const TParaNodeHandle prev = nodes_[next].Prev;
    node.Next = next;
    node.Prev = prev;
    nodes_[next].Prev = h;
    if (prev != 0) {
      nodes_[prev].Next = h;
    } else {
      head_ = h;
    }
  }
  index_.Insert(para - 1, h, node.LineCount(), node.Length() > 0 ? node.GetText() : nullptr);
  byteCount_ += int64_t{node.Length()} + (paraCount_ > 0 ? 2 : 0);
  ++paraCount_;
  lineCount_ += node.LineCount();
  ResetCache();
}

TParaNodeHandle TNvcParaList::Unlink(uint32_t para) {
  const TParaNodeHandle h = HandleOf(para);
  if (h == 0) return 0;
  TParaNode& node = nodes_[h];
  if (node.Prev != 0) {
    nodes_[node.Prev].Next = node.Next;
  } else {
    head_ = node.Next;
  }
  if (node.Next != 0) {
    nodes_[node.Next].Prev = node.Prev;
  } else {
    tail_ = node.Prev;
  }
  node.Next = node.Prev = 0;
  index_.Erase(para - 1);
  --paraCount_;
  lineCount_ -= node.LineCount();
  byteCount_ -= int64_t{node.Length()} + 2;
  ResetCache();
  return h;
}

// ---- Settings ----

void TNvcParaList::SetModified(bool modified) {
  modified_ = modified;
  if (!modified) undo_->MarkAllModified();
}

void TNvcParaList::SetTabSize(uint8_t tabSize) {
  if (tabSize == tabSize_) return;
  tabSize_ = tabSize;
  if (wordWrap_) RewrapAll();
  UpdateViews();
}

void TNvcParaList::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  RewrapAll();
  UpdateViews();
}

void TNvcParaList::SetWrapColumn(int32_t wrapColumn) {
  if (wrapColumn == wrapColumn_) return;
  wrapColumn_ = wrapColumn;
  if (wordWrap_) {
    RewrapAll();
    UpdateViews();
  }
}

void TNvcParaList::SetWrapRuns(TWrapRuns runs) {
  if (runs == wrapRuns_) return;
  wrapRuns_ = runs;
  if (wordWrap_) {
    RewrapAll();
    UpdateViews();
  }
}

uint32_t TNvcParaList::SetUndoBufferSize(uint32_t size) {
  undo_.reset();
  undo_ = std::make_unique<TNvcUndoBuffer>(size, &nodes_, undoAllocHook_);
  return undo_->BufferSize();
}

void TNvcParaList::RewrapAll() {
  TBusyGuard busy(byteCount_ > 10000 ? busyCursor_ : nullptr);
  const int32_t w = EffectiveWrapColumn();
  uint64_t lines = 0;
  for (TParaNodeHandle h = head_; h != 0; h = nodes_[h].Next) {
    nodes_[h].Wrap(w, tabSize_, wrapRuns_);
    lines += nodes_[h].LineCount();
  }
  lineCount_ = static_cast<uint32_t>(lines);
  index_.RecountLines([this](TParaNodeHandle h) { return nodes_[h].LineCount(); });
  ResetCache();
  GetParaNode(1);
}

uint16_t TNvcParaList::CheckLimits(uint32_t para, uint32_t newParas, int64_t addBytes) {
  if (newParas > 0 || para > paraLimit_) {
    uint64_t allowed = paraLimit_;
    if (para <= paraLimit_ && paraLimit_ != kNoLimit && nodes_[tail_].Length() == 0) ++allowed;
    if (allowed < uint64_t{paraCount_} + newParas) return kEditorTooManyParas;
  }
  if (byteCount_ + addBytes > int64_t{byteLimit_}) return kEditorTextTooLarge;
  if (para > 0 && newParas == 0) {
    TParaNode* node = GetParaNode(para);
    if (node != nullptr && int64_t{node->Length()} + addBytes > int64_t{paraLengthLimit_}) return kEditorParaTooLong;
  }
  return kEditorOk;
}

}  // namespace nuvel
