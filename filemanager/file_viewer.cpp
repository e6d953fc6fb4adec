#include "filemanager/file_viewer.h"

#include <algorithm>

#include "filemanager/hex_line.h"
#include "filemanager/viewer_search.h"

namespace nuvel {

namespace {
// Longest search text.
constexpr size_t kMaxPattern = 255;

class BusyScope {
 public:
  BusyScope(const std::function<void(bool)>& busy) : busy_(busy) {
    if (busy_) busy_(true);
  }
  ~BusyScope() {
    if (busy_) busy_(false);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  const std::function<void(bool)>& busy_;
};
}  // namespace

TNvcFileViewer::TNvcFileViewer() {
  lines_.OnBusy = [this](bool busy) {
    if (OnBusy) OnBusy(busy);
  };
}

TNvcFileViewer::~TNvcFileViewer() = default;

void TNvcFileViewer::SetFileName(const std::string& name) {
  const bool wasOpen = IsOpen();
  Close();
  fileName_ = name;
  if (wasOpen) Open();
}

void TNvcFileViewer::Open() {
  if (fileName_.empty()) return;
  try {
    file_.Open(fileName_);
  } catch (...) {
    Close();
    throw;
  }
  lines_.Reset();
  hexDigits_ = HexOffsetDigits(file_.Size());
  ResetView();
}

void TNvcFileViewer::Close() {
  file_.Close();
  lines_.Reset();
  ResetView();
}

void TNvcFileViewer::SetFilterChars(bool on) {
  filterChars_ = on;
  Invalidate();
}

int64_t TNvcFileViewer::OffsetOf(TViewerPos p) {
  if (hex_) return p.line * kHexLineBytes;
  return lines_.GotoLine(p.line).pos + p.col;
}

void TNvcFileViewer::SetInHexMode(bool on) {
  if (on == hex_) return;
  const int64_t offset = IsOpen() && HasLines() ? OffsetOf(CaretPos()) : 0;
  hex_ = on;
  ResetView();
  if (!IsOpen() || !HasLines()) return;
  if (hex_) {
    GotoPosition(offset / kHexLineBytes);
  } else {
    const TLineAnchor a = lines_.LineAtOffset(offset);
    SetCaretPosition(a.line, static_cast<int32_t>(std::min<int64_t>(offset - a.pos, TViewerLines::kMaxLineBytes)),
                     false);
  }
}

std::span<const uint8_t> TNvcFileViewer::GetLine(int64_t line) {
  if (!IsOpen() || line < 0) return {};
  if (!hex_) return lines_.TextLine(line);
  if (line >= HexLineCount(file_.Size())) return {};
  // Hex lines never cross a page: 16 divides the page size.
  const auto bytes = file_.BytesAt(line * kHexLineBytes);
  hexLine_ = FormatHexLine(line * kHexLineBytes, bytes.first(std::min<size_t>(bytes.size(), kHexLineBytes)),
                           ExpandTabs(), filterChars_, hexDigits_);
  return {reinterpret_cast<const uint8_t*>(hexLine_.data()), hexLine_.size()};
}

int64_t TNvcFileViewer::CheckLine(int64_t line) {
  if (!IsOpen()) return 0;
  if (hex_) return std::clamp<int64_t>(line, 0, std::max<int64_t>(HexLineCount(file_.Size()) - 1, 0));
  return lines_.CheckLine(line);
}

int64_t TNvcFileViewer::LineCount() {
  if (!IsOpen()) return 0;
  return hex_ ? HexLineCount(file_.Size()) : lines_.LineCount();
}

bool TNvcFileViewer::Search(std::span<const uint8_t> text, int options) {
  if (!IsOpen() || text.empty() || !HasLines()) return false;
  const auto pattern = text.first(std::min(text.size(), kMaxPattern));
  BusyScope busy(OnBusy);
  const bool back = (options & 2) != 0;
  const bool matchCase = (options & 4) != 0;
  const bool fromStart = (options & 8) != 0;
  return hex_ ? SearchHex(pattern, back, matchCase, fromStart) : SearchText(pattern, back, matchCase, fromStart);
}

bool TNvcFileViewer::SearchText(std::span<const uint8_t> pattern, bool back, bool matchCase, bool fromStart) {
  TViewerSearch search(pattern, matchCase);
  const auto len = static_cast<int64_t>(pattern.size());
  const int64_t caret = fromStart ? (back ? file_.Size() : 0) : OffsetOf(CaretPos());
  int64_t from = caret;
  // A match counts only inside the shown part of its line.
  for (;;) {
    const auto found = back ? search.Backward(file_, from) : search.Forward(file_, from, file_.Size());
    if (!found) return false;
    const TLineAnchor a = lines_.LineAtOffset(*found);
    const int64_t col = *found - a.pos;
    if (col + len <= TViewerLines::kMaxLineBytes) {
      SetSelection({a.line, static_cast<int32_t>(col)}, {a.line, static_cast<int32_t>(col + len)}, !back);
      return true;
    }
    from = back ? *found : *found + 1;
  }
}

bool TNvcFileViewer::SearchHex(std::span<const uint8_t> pattern, bool back, bool matchCase, bool fromStart) {
  TViewerSearch search(pattern, matchCase);
  const int64_t line = CaretPos().line;
  const auto found = back ? search.Backward(file_, fromStart ? file_.Size() : line * kHexLineBytes)
                          : search.Forward(file_, fromStart ? 0 : (line + 1) * kHexLineBytes, file_.Size());
  if (!found) return false;
  const int64_t a = *found;
  const int64_t b = a + static_cast<int64_t>(pattern.size()) - 1;
  SetSelection({a / kHexLineBytes, HexCharColumn(static_cast<int>(a % kHexLineBytes), hexDigits_)},
               {b / kHexLineBytes, HexCharColumn(static_cast<int>(b % kHexLineBytes), hexDigits_) + 1}, !back);
  return true;
}

}  // namespace nuvel
