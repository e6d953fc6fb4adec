#include "editor/custom_editor.h"

#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "editor/wrap_routines.h"
#include "platform/ascii_case.h"

namespace nuvel {

namespace {
constexpr uint32_t kDefaultUndoSize = 8192;
}  // namespace

// The paragraph list shows its busy cursor through the editor's window.
class TNvcCustomEditor::TBusyAdapter : public TBusyCursorService {
 public:
  explicit TBusyAdapter(TNvcCustomEditor& editor) : editor_(editor) {}
  void SetBusy(bool busy) override { editor_.Host().SetBusyCursor(busy); }

 private:
  TNvcCustomEditor& editor_;
};

TNvcCustomEditor::TNvcCustomEditor() : busy_(std::make_unique<TBusyAdapter>(*this)) {
  list_ = std::make_shared<TNvcParaList>(this, false, kDefaultUndoSize);
  list_->SetBusyCursorService(busy_.get());
  CollapseSelection();
}

TNvcCustomEditor::~TNvcCustomEditor() { LeaveRing(); }

void TNvcCustomEditor::SetHost(TEditorHost* host) { host_ = host != nullptr ? host : &nullHost_; }

void TNvcCustomEditor::WindowCreated() {
  hasHorzBar_ = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  hasVertBar_ = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
  UpdateHorzBar();
  UpdateVertBar();
  UpdateMetrics();
  ApplyWrapToWindow();
}

// ---- Properties ----

void TNvcCustomEditor::SetHideSelection(bool v) {
  if (hideSelection_ == v) return;
  hideSelection_ = v;
  host_->InvalidateAll();
}

void TNvcCustomEditor::SetInsertMode(bool v) {
  insertMode_ = v;
  host_->SetCaretInsertMode(v);
  if (host_->HasWindow()) PositionCaret(0);
}

void TNvcCustomEditor::SetLeftMargin(int32_t v) {
  if (v < 0 || v == leftMargin_) return;
  leftMargin_ = v;
  if (host_->HasWindow()) UpdateMetrics();
}

void TNvcCustomEditor::SetRightMargin(int32_t v) {
  if (v < 0 || v == rightMargin_) return;
  rightMargin_ = v;
  if (host_->HasWindow()) UpdateMetrics();
}

void TNvcCustomEditor::SetParaLengthLimit(int32_t v) {
  if (v < 1 || v > 32767) return;
  list_->SetParaLengthLimit(static_cast<uint32_t>(v));
  UpdateHorzBar();
}

void TNvcCustomEditor::SetParaLimit(int32_t v) {
  if (v <= 0) return;
  list_->SetParaLimit(static_cast<uint32_t>(v));
}

void TNvcCustomEditor::SetByteLimit(int64_t n) {
  if (n < 0) return;
  list_->SetByteLimit(static_cast<uint32_t>(std::min<int64_t>(n, TNvcParaList::kNoLimit)));
}

void TNvcCustomEditor::SetScrollBars(TScrollStyle v) {
  scrollBars_ = v;
  if (v == TScrollStyle::ssNone) scrollBarsAlways_ = false;
  if (host_->HasWindow()) WindowCreated();
}

void TNvcCustomEditor::SetScrollBarsAlways(bool v) {
  if (v && scrollBars_ == TScrollStyle::ssNone) return;
  scrollBarsAlways_ = v;
  if (host_->HasWindow()) WindowCreated();
}

void TNvcCustomEditor::SetScrollPastEnd(bool v) {
  scrollPastEnd_ = v;
  if (v && WordWrap()) SetWordWrap(false);
}

void TNvcCustomEditor::SetShowBookmarks(bool v) {
  if (showBookmarks_ == v) return;
  showBookmarks_ = v;
  host_->InvalidateAll();
}

void TNvcCustomEditor::SetTabSize(uint8_t v) {
  if (v == 0) return;
  list_->SetTabSize(v);
}

void TNvcCustomEditor::SetUndoBufferSize(uint32_t v) { list_->SetUndoBufferSize(v); }

void TNvcCustomEditor::SetWordWrap(bool v) {
  if (v) {
    wrapAtLeft_ = true;
    scrollPastEnd_ = false;
  }
  list_->SetWordWrap(v);
  ApplyWrapToWindow();
  UpdateHorzBar();
}

void TNvcCustomEditor::SetWrapAtLeft(bool v) { wrapAtLeft_ = v || WordWrap(); }

void TNvcCustomEditor::SetWrapColumn(int32_t v) {
  if (v <= 0) return;
  list_->SetWrapColumn(v);
  UpdateHorzBar();
}

void TNvcCustomEditor::SetWrapToWindow(bool v) {
  wrapToWindow_ = v;
  ApplyWrapToWindow();
}

bool TNvcCustomEditor::IsDelimiter(uint8_t b) const {
  return std::memchr(wordDelimiters_.data(), b, wordDelimiters_.size()) != nullptr;
}

int32_t TNvcCustomEditor::MaxHorzOffset() const {
  const int32_t extent = WordWrap() ? WrapColumn() : static_cast<int32_t>(ParaLengthLimit());
  return std::min(extent, 512);
}

void TNvcCustomEditor::ApplyWrapToWindow() {
  if (!WordWrap() || !wrapToWindow_ || !host_->HasWindow()) return;
  const int32_t column = visibleColumns_ - 2;
  if (column > 0 && column != WrapColumn()) SetWrapColumn(column);
}

// ---- Lines and positions ----

std::span<const uint8_t> TNvcCustomEditor::LineText(int32_t line) const {
  std::span<const uint8_t> text;
  if (line < 1) return text;
  list_->GetLineText(static_cast<uint32_t>(line), text);
  return text;
}

int32_t TNvcCustomEditor::ColumnOfPos(int32_t line, int32_t pos) const {
  return static_cast<int32_t>(list_->ColumnOfPos(LineText(line), static_cast<uint32_t>(std::max(pos, 0)), PointSide()));
}

int32_t TNvcCustomEditor::PosOfColumn(int32_t line, int32_t col) const {
  return static_cast<int32_t>(list_->PosOfColumn(LineText(line), static_cast<uint32_t>(std::max(col, 0)), PointSide()));
}

void TNvcCustomEditor::FillLineCol(TEditorPosition& p) const {
  uint32_t col = 0;
  p.Line = static_cast<int32_t>(
      list_->LineOf(static_cast<uint32_t>(p.Para), static_cast<uint32_t>(p.Pos), col));
  p.Col = static_cast<int32_t>(col);
}

void TNvcCustomEditor::SetCaretFromPara(int32_t para, int32_t pos) {
  para = std::clamp(para, 1, ParaCount());
  uint32_t col = 0;
  caretLine_ = static_cast<int32_t>(list_->LineOf(static_cast<uint32_t>(para), static_cast<uint32_t>(pos), col));
  caretCol_ = static_cast<int32_t>(col);
  caretPara_ = para;
  caretLineOffset_ = pos - caretCol_;
}

void TNvcCustomEditor::SetTopFromPara() {
  topPara_ = std::clamp(topPara_, 1, ParaCount());
  uint32_t col = 0;
  const auto line = static_cast<int32_t>(
      list_->LineOf(static_cast<uint32_t>(topPara_), static_cast<uint32_t>(topOffset_ + 1), col));
  uint32_t offset = 0;
  list_->LineToPara(static_cast<uint32_t>(line), offset);
  topOffset_ = static_cast<int32_t>(offset);
  ChangeTopLine(line);
}

int32_t TNvcCustomEditor::CaretScreenCol() const { return ColumnOfPos(caretLine_, caretCol_); }

bool TNvcCustomEditor::CaretOnScreen() const {
  return caretLine_ >= topLine_ && caretLine_ <= topLine_ + visibleRows_ - 1;
}

std::span<const uint8_t> TNvcCustomEditor::GetPara(int32_t n) const {
  if (n < 1 || n > ParaCount()) throw EInvalidLineOrPara();
  return list_->GetParaNode(static_cast<uint32_t>(n))->Bytes();
}

int32_t TNvcCustomEditor::ParaLength(int32_t n) const {
  if (n < 1 || n > ParaCount()) throw EInvalidLineOrPara();
  return static_cast<int32_t>(list_->ParaLength(static_cast<uint32_t>(n)));
}

int32_t TNvcCustomEditor::LineLength(int32_t n) const {
  if (n < 1 || n > LineCount()) throw EInvalidLineOrPara();
  return static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(n)));
}

std::span<const uint8_t> TNvcCustomEditor::LineBytes(int32_t n) const {
  if (n < 1 || n > LineCount()) throw EInvalidLineOrPara();
  return LineText(n);
}

std::string TNvcCustomEditor::GetLine(int32_t n, size_t max) const {
  const auto bytes = LineBytes(n);
  std::string out;
  if (!HasTab(bytes)) {
    out.assign(bytes.begin(), bytes.end());
  } else {
    const uint32_t t = std::max<uint32_t>(TabSize(), 1);
    for (uint8_t b : bytes) {
      if (b == 9) {
        out.append(t - out.size() % t, ' ');
      } else {
        out.push_back(static_cast<char>(b));
      }
    }
  }
  if (out.size() > max) out.resize(max);
  return out;
}

std::string TNvcCustomEditor::GetLineRaw(int32_t n, size_t max) const {
  const auto bytes = LineBytes(n);
  return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(max, bytes.size())));
}

std::string TNvcCustomEditor::GetLineString(int32_t n) const { return GetLine(n, std::string::npos); }

int32_t TNvcCustomEditor::GetCaretPosition(int32_t& col) const {
  col = caretCol_;
  return caretLine_;
}

void TNvcCustomEditor::SetCaretPosition(int32_t line, int32_t col) {
  if (line < 1 || line > LineCount() || col < 1) throw EInvalidLineOrPara();
  MoveCaretTo(line, col, false);
}

bool TNvcCustomEditor::GetSelection(int32_t& line1, int32_t& col1, int32_t& line2, int32_t& col2) const {
  if (!HasSelection()) return false;
  line1 = selBegin_.Line;
  col1 = selBegin_.Col;
  line2 = selEnd_.Line;
  col2 = selEnd_.Col;
  return true;
}

void TNvcCustomEditor::SetSelection(int32_t line1, int32_t col1, int32_t line2, int32_t col2, bool caretAtEnd) {
  if (TextLength() == 0) return;
  const int32_t lines = LineCount();
  line1 = std::clamp(line1, 1, lines);
  line2 = std::clamp(line2, 1, lines);
  col1 = std::clamp(col1, 1, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(line1))) + 1);
  col2 = std::clamp(col2, 1, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(line2))) + 1);
  if (caretAtEnd) {
    MoveCaretTo(line1, col1, false);
    MoveCaretTo(line2, col2, true);
  } else {
    MoveCaretTo(line2, col2, false);
    MoveCaretTo(line1, col1, true);
  }
}

void TNvcCustomEditor::SelectAll(bool caretAtEnd) {
  const int32_t last = LineCount();
  SetSelection(1, 1, last, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(last))) + 1, caretAtEnd);
}

void TNvcCustomEditor::SelectRange(int32_t para1, int32_t pos1, int32_t para2, int32_t pos2, bool caretAtEnd) {
  if (caretAtEnd) {
    MoveCaretToPara(para1, pos1, false);
    MoveCaretToPara(para2, pos2, true);
  } else {
    MoveCaretToPara(para2, pos2, false);
    MoveCaretToPara(para1, pos1, true);
  }
}

bool TNvcCustomEditor::SelectionEquals(std::string_view s, bool matchCase) const {
  if (s.empty() || !HasSelection() || selBegin_.Para != selEnd_.Para) return false;
  if (static_cast<size_t>(selEnd_.Pos - selBegin_.Pos) != s.size()) return false;
  const auto para = list_->GetParaNode(static_cast<uint32_t>(selBegin_.Para))->Bytes();
  if (static_cast<size_t>(selEnd_.Pos - 1) > para.size()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    uint8_t a = para[static_cast<size_t>(selBegin_.Pos - 1) + i];
    auto b = static_cast<uint8_t>(s[i]);
    if (!matchCase) {
      a = platform::AsciiUpper(a);
      b = platform::AsciiUpper(b);
    }
    if (a != b) return false;
  }
  return true;
}

void TNvcCustomEditor::LineToPara(int32_t& line, int32_t& col) const {
  if (line < 1 || line > LineCount()) throw EInvalidLineOrPara();
  uint32_t offset = 0;
  const auto para = static_cast<int32_t>(list_->LineToPara(static_cast<uint32_t>(line), offset));
  line = para;
  col += static_cast<int32_t>(offset);
}

void TNvcCustomEditor::ParaToLine(int32_t& para, int32_t& pos) const {
  if (para < 1 || para > ParaCount()) throw EInvalidLineOrPara();
  uint32_t col = 0;
  para = static_cast<int32_t>(list_->LineOf(static_cast<uint32_t>(para), static_cast<uint32_t>(pos), col));
  pos = static_cast<int32_t>(col);
}

void TNvcCustomEditor::SetTopLine(int32_t n) { ScrollBy(0, n - topLine_); }

void TNvcCustomEditor::ChangeTopLine(int32_t n) {
  if (n == topLine_) return;
  topLine_ = n;
  DoOnTopLineChanged(n);
}

void TNvcCustomEditor::BeginUpdate() {
  if (updateDepth_++ == 0) host_->SetRedraw(false);
}

void TNvcCustomEditor::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) {
    host_->SetRedraw(true);
    host_->InvalidateAll();
  }
}

void TNvcCustomEditor::SetModified(bool v) {
  list_->SetModified(v);
  for (TParaListView* view : list_->Views()) {
    if (auto* editor = dynamic_cast<TNvcCustomEditor*>(view)) editor->Host().InvalidateAll();
  }
}

bool TNvcCustomEditor::CanUndo() const { return !GetReadOnly() && list_->CanUndo(); }
bool TNvcCustomEditor::CanRedo() const { return !GetReadOnly() && list_->CanRedo(); }

void TNvcCustomEditor::Refresh(bool now) {
  if (!host_->HasWindow()) return;
  if (horzOffset_ > MaxHorzOffset()) horzOffset_ = 0;
  UpdateHorzBar();
  UpdateVertBar();
  UpdateMetrics();
  ApplyWrapToWindow();
  host_->InvalidateAll();
  if (now) host_->UpdateWindow();
}

// ---- Markers ----

void TNvcCustomEditor::GotoMarker(int n) {
  if (n < 0 || n > 9) return;
  const TParaPos m = list_->Marker(n);
  if (m.Para == 0) return;
  MoveCaretToPara(static_cast<int32_t>(m.Para), static_cast<int32_t>(m.Pos), false);
}

void TNvcCustomEditor::SetMarker(int n) {
  if (n < 0 || n > 9) return;
  list_->SetMarkerRaw(n, static_cast<uint32_t>(caretPara_), static_cast<uint32_t>(CaretPos()));
  host_->InvalidateAll();
}

void TNvcCustomEditor::SetMarkerAt(int n, int32_t line, int32_t col) {
  if (n < 0 || n >= 10) return;
  if (line < 1 || line > LineCount() || col < 1) throw EInvalidLineOrCol();
  list_->SetMarker(n, static_cast<uint32_t>(line), static_cast<uint32_t>(col));
  host_->InvalidateAll();
}

void TNvcCustomEditor::ClearMarker(int n) {
  if (n < 0 || n > 9) return;
  list_->SetMarkerRaw(n, 0, 0);
  host_->InvalidateAll();
}

int32_t TNvcCustomEditor::GetMarkerPosition(int n, int32_t& col) {
  if (n < 0 || n >= 10) return -1;
  const TParaPos m = list_->Marker(n);
  if (m.Para == 0) return -1;
  uint32_t c = 0;
  const auto line = static_cast<int32_t>(list_->LineOf(m.Para, m.Pos, c));
  col = static_cast<int32_t>(c);
  return line;
}

// ---- Events ----

void TNvcCustomEditor::DoOnChange() {
  if (OnChange) OnChange(*this);
}

void TNvcCustomEditor::DoOnError(uint16_t errorCode) {
  if (errorCode == 0) return;
  if (OnError) {
    OnError(*this, errorCode);
    return;
  }
  throw MakeEditorError(errorCode);
}

void TNvcCustomEditor::DoOnShowStatus(int32_t line, int32_t col) {
  if (OnShowStatus) OnShowStatus(*this, line, col);
}

void TNvcCustomEditor::DoOnTopLineChanged(int32_t line) {
  if (OnTopLineChanged) OnTopLineChanged(*this, line);
}

void TNvcCustomEditor::DoOnUserCommand(TNvcCommand command) {
  if (OnUserCommand) OnUserCommand(*this, command);
}

// ---- The text ----

uint16_t TNvcCustomEditor::AppendPara(std::string_view text) {
  return AppendPara(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

uint16_t TNvcCustomEditor::AppendPara(std::span<const uint8_t> text) {
  // An empty span may have no data at all, which memchr must not be given.
  if (const void* zero = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size())) {
    text = text.first(static_cast<size_t>(static_cast<const uint8_t*>(zero) - text.data()));
  }
  uint16_t rc = list_->CheckLimits(0, 1, static_cast<int64_t>(text.size()) + 2);
  if (rc != kEditorOk) return rc;
  const int32_t linesBefore = LineCount();
  const size_t limit = ParaLengthLimit();
  // An empty text is one empty paragraph.
  do {
    size_t piece = text.size();
    if (piece > limit) {
      piece = WordStartBefore(text, static_cast<uint32_t>(limit));
      if (piece == 0) piece = limit;
    }
    rc = list_->AppendPara(text.first(piece), trimWhiteSpace_);
    if (rc != kEditorOk) break;
    text = text.subspan(piece);
    if (!text.empty()) rc = list_->CheckLimits(0, 1, static_cast<int64_t>(text.size()) + 2);
  } while (rc == kEditorOk && !text.empty());
  if (linesBefore <= visibleRows_ && LineCount() > visibleRows_) {
    UpdateVertBar();
    host_->InvalidateAll();
  }
  return rc;
}

uint16_t TNvcCustomEditor::InsertString(std::string_view s) {
  return InsertText(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
}

uint16_t TNvcCustomEditor::InsertText(std::span<const uint8_t> text) {
  if (GetReadOnly()) return kEditorOk;
  return InsertAtCaret(text);
}

void TNvcCustomEditor::LoadString(std::string_view s) {
  LoadText(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
}

void TNvcCustomEditor::LoadText(std::span<const uint8_t> text) {
  Clear(false);
  // An empty span may have no data at all, which memchr must not be given.
  if (const void* zero = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size())) {
    text = text.first(static_cast<size_t>(static_cast<const uint8_t*>(zero) - text.data()));
  }
  // Every line but the last becomes a paragraph before the last one; the
  // last line goes into the last paragraph.
  uint16_t rc = kEditorOk;
  while (rc == kEditorOk) {
    const size_t lineEnd = FindLineEnd(text);
    if (lineEnd == text.size() && (text.empty() || text.back() != 10)) break;
    auto line = text.first(lineEnd);
    while (!line.empty() && (line.back() == 10 || line.back() == 13)) line = line.first(line.size() - 1);
    rc = AppendPara(line);
    text = text.subspan(lineEnd);
  }
  if (rc == kEditorOk && !text.empty()) {
    while (!text.empty() && text.back() == 13) text = text.first(text.size() - 1);
    rc = list_->InsertText(nullptr, static_cast<uint32_t>(ParaCount()), text, 1);
  }
  list_->UndoBuffer().Clear();
  list_->SetModified(false);
  ResetViewState();
  Refresh(true);
  DoOnError(rc);
}

void TNvcCustomEditor::DeleteSelection() {
  if (HasSelection()) DeleteAtCaret();
}

int32_t TNvcCustomEditor::GetText(std::span<uint8_t> buffer) const {
  if (buffer.empty()) return 0;
  const size_t limit = buffer.size() - 1;
  size_t count = 0;
  const int32_t paras = ParaCount();
  for (int32_t n = 1; n <= paras && count < limit; ++n) {
    const auto bytes = list_->GetParaNode(static_cast<uint32_t>(n))->Bytes();
    const size_t take = std::min(bytes.size(), limit - count);
    std::memcpy(buffer.data() + count, bytes.data(), take);
    count += take;
    if (n == paras) break;
    // A line end only between paragraphs, and only whole.
    if (take < bytes.size() || count + 2 > limit) break;
    buffer[count++] = 13;
    buffer[count++] = 10;
  }
  buffer[count] = 0;
  return static_cast<int32_t>(count);
}

std::string TNvcCustomEditor::Text() const {
  std::string out;
  out.reserve(static_cast<size_t>(std::max<int64_t>(TextLength(), 0)));
  const int32_t paras = ParaCount();
  for (int32_t n = 1; n <= paras; ++n) {
    const auto bytes = list_->GetParaNode(static_cast<uint32_t>(n))->Bytes();
    out.append(bytes.begin(), bytes.end());
    if (n < paras) out.append("\r\n");
  }
  return out;
}

// ---- Views and the shared text ----

void TNvcCustomEditor::LeaveRing() {
  if (!list_) return;
  list_->DetachView(this);
  list_.reset();
}

void TNvcCustomEditor::ResetViewState() {
  caretLine_ = caretCol_ = caretPara_ = 1;
  caretLineOffset_ = 0;
  topLine_ = topPara_ = 1;
  topOffset_ = 0;
  horzOffset_ = 0;
  selBegin_ = selEnd_ = TEditorPosition{};
  selMoving_ = {1, 1};
  CollapseSelection();
}

void TNvcCustomEditor::Attach(TNvcCustomEditor* other) {
  if (other == nullptr || other == this) return;
  std::shared_ptr<TNvcParaList> shared = other->list_;
  LeaveRing();
  list_ = std::move(shared);
  list_->AttachView(this);
  list_->SetBusyCursorService(busy_.get());
  ResetViewState();
  Refresh(true);
}

void TNvcCustomEditor::Clear(bool refresh) {
  TNvcParaList& old = *list_;
  auto fresh = std::make_shared<TNvcParaList>(this, old.WordWrap(), old.UndoBuffer().BufferSize());
  fresh->SetByteLimit(old.ByteLimit());
  fresh->SetParaLimit(old.ParaLimit());
  fresh->SetParaLengthLimit(old.ParaLengthLimit());
  fresh->SetWrapColumn(old.WrapColumn());
  fresh->SetTabSize(old.TabSize());
  fresh->SetWrapRuns(old.WrapRuns());
  fresh->SetConversion(old.Conversion());
  LeaveRing();
  list_ = std::move(fresh);
  list_->SetBusyCursorService(busy_.get());
  ResetViewState();
  if (refresh) Refresh(true);
}

// ---- View notifications ----

namespace {
// Moves one position (p, q) as a change of the text moves it; `list` holds
// the text as the change left it.
void AdjustPosition(TNvcParaList& list, int change, int32_t para, int32_t pos, int32_t count, int32_t& p,
                    int32_t& q) {
  switch (change) {
    case 0:  // text inserted
      if (p == para && q >= pos) q += count;
      break;
    case 1:  // text deleted
      if (p == para && q >= pos) q = q >= pos + count ? q - count : pos;
      break;
    case 2:  // paragraph inserted (split at pos with count bytes of indent)
      if (p > para) {
        ++p;
      } else if (p == para && q >= pos) {
        ++p;
        q = q + count - (pos - 1);
      } else if (p == para) {
        // Enter also trims the blanks before the split point: a position
        // among them goes to the new end of the paragraph, as it would for
        // any deleted bytes.
        q = std::min(q, static_cast<int32_t>(list.ParaLength(static_cast<uint32_t>(para))) + 1);
      }
      break;
    case 3: {  // paragraph deleted
      if (p == para) {
        q = 1;
      } else if (p > para) {
        --p;
      }
      // The last paragraph went: nothing took its place, so a position in it
      // goes to the end of the text. Position 1 of the paragraph above would
      // put it before text that lay before it and turn a selection around.
      const auto paraCount = static_cast<int32_t>(list.ParaCount());
      if (p > paraCount) {
        p = paraCount;
        q = static_cast<int32_t>(list.ParaLength(static_cast<uint32_t>(paraCount))) + 1;
      }
      break;
    }
    case 4:  // paragraph para + 1 joined to para at pos
      if (p == para + 1) {
        p = para;
        q = q + pos - 1;
      } else if (p > para + 1) {
        --p;
      }
      break;
  }
  p = std::max(p, 1);
  q = std::max(q, 1);
}
}  // namespace

void TNvcCustomEditor::ViewChanged(Change change, int32_t para, int32_t pos, bool isOwn, int32_t count) {
  const int kind = static_cast<int>(change);
  // The top follows the text it shows.
  const int32_t topPos = topOffset_ + 1;
  bool moveTop = change == Change::TextInserted ? (para < topPara_ || (para == topPara_ && pos < topPos))
                                                : para <= topPara_;
  if (isOwn && change == Change::ParaInserted && para == topPara_ && pos == topPos) moveTop = false;
  if (moveTop) {
    int32_t p = topPara_;
    int32_t q = topPos;
    AdjustPosition(*list_, kind, para, pos, count, p, q);
    topPara_ = p;
    topOffset_ = q - 1;
  }
  if (para <= topPara_ || moveTop) SetTopFromPara();

  if (isOwn) return;
  const bool selectionInPara = HasSelection() && selBegin_.Para == para && selEnd_.Para == para;
  int32_t cp = caretPara_;
  int32_t cq = CaretPos();
  AdjustPosition(*list_, kind, para, pos, count, cp, cq);
  SetCaretFromPara(cp, cq);
  AdjustPosition(*list_, kind, para, pos, count, selBegin_.Para, selBegin_.Pos);
  AdjustPosition(*list_, kind, para, pos, count, selEnd_.Para, selEnd_.Pos);
  auto mp = static_cast<int32_t>(selMoving_.Para);
  auto mq = static_cast<int32_t>(selMoving_.Pos);
  AdjustPosition(*list_, kind, para, pos, count, mp, mq);
  selMoving_ = {static_cast<uint32_t>(mp), static_cast<uint32_t>(mq)};
  if (change == Change::ParaDeleted && selectionInPara) {
    CollapseSelection();
  } else {
    FillLineCol(selBegin_);
    FillLineCol(selEnd_);
  }
  UpdateVertBar();
  host_->InvalidateAll();
}

void TNvcCustomEditor::TextInserted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) {
  ViewChanged(Change::TextInserted, static_cast<int32_t>(para), static_cast<int32_t>(pos), isOwn,
              static_cast<int32_t>(count));
}

void TNvcCustomEditor::TextDeleted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) {
  ViewChanged(Change::TextDeleted, static_cast<int32_t>(para), static_cast<int32_t>(pos), isOwn,
              static_cast<int32_t>(count));
}

void TNvcCustomEditor::ParaInserted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) {
  ViewChanged(Change::ParaInserted, static_cast<int32_t>(para), static_cast<int32_t>(pos), isOwn,
              static_cast<int32_t>(count));
}

void TNvcCustomEditor::ParaDeleted(uint32_t para, bool isOwn) {
  ViewChanged(Change::ParaDeleted, static_cast<int32_t>(para), 0, isOwn, 0);
}

void TNvcCustomEditor::ParaJoined(uint32_t para, uint32_t pos, bool isOwn) {
  ViewChanged(Change::ParaJoined, static_cast<int32_t>(para), static_cast<int32_t>(pos), isOwn, 0);
}

void TNvcCustomEditor::Resynchronize() {
  int32_t pos = CaretPos();
  if (WordWrap()) pos = std::min(pos, ParaLength(std::clamp(caretPara_, 1, ParaCount())) + 1);
  SetCaretFromPara(caretPara_, pos);
  SetTopFromPara();
  FillLineCol(selBegin_);
  FillLineCol(selEnd_);
  if (horzOffset_ > MaxHorzOffset()) horzOffset_ = MaxHorzOffset();
  Refresh(true);
}

}  // namespace nuvel
