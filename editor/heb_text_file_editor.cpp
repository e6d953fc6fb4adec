#include "editor/heb_text_file_editor.h"

#include <algorithm>
#include <optional>

#include "core/exceptions.h"
#include "core/nikud.h"
#include "core/shared_state.h"
#include "platform/virtual_keys.h"

namespace nuvel {

namespace {
constexpr int kBlockBegin = TNvcParaList::kBlockBeginMarker;
constexpr int kBlockEnd = TNvcParaList::kBlockEndMarker;
}  // namespace

THebTextFILEEditor::THebTextFILEEditor() { ParaList().SetPersistentBlocks(persistentBlocks_); }

void THebTextFILEEditor::SetEngm(bool v) {
  if (engm_ == v) return;
  engm_ = v;
  DirectionChanged();
  Host().InvalidateAll();
  PositionCaret(0);
}

void THebTextFILEEditor::SetCtrlNums(bool v) {
  ctrlNums_ = v;
  Host().InvalidateAll();
}

void THebTextFILEEditor::SetPersistentBlocks(bool v) {
  ParaList().SetPersistentBlocks(v);
  persistentBlocks_ = ParaList().PersistentBlocks();
}

THebGeometry THebTextFILEEditor::Geometry() const {
  THebGeometry g;
  g.ClientWidth = Host().ClientWidth();
  g.ClientHeight = Host().ClientHeight();
  g.LeftMargin = LeftMargin();
  g.RightMargin = RightMargin();
  g.CharWidth = CharWidth();
  g.LineHeight = LineHeight();
  g.VisibleColumns = VisibleColumns();
  g.VisibleRows = VisibleRows();
  g.TopLine = TopLine();
  g.HorzOffset = HorzOffset();
  g.Engm = engm_;
  return g;
}

// ---- Metrics, mouse and caret ----

void THebTextFILEEditor::UpdateMetrics() {
  // The grid cell comes from the host's choice between the two fonts.
  TNvcTextFileEditor::UpdateMetrics();
  if (MeasureFonts) {
    const auto cells = MeasureFonts();
    firstFontWidth_ = std::max(cells[0].CharWidth, 1);
    secondFontWidth_ = std::max(cells[1].CharWidth, 1);
  } else {
    firstFontWidth_ = secondFontWidth_ = CharWidth();
  }
}

void THebTextFILEEditor::MouseToLineCol(int32_t x, int32_t y, int32_t& line, int32_t& col) {
  const THebGeometry g = Geometry();
  line = MouseLine(g, y, LineCount());
  const int32_t screenCol = MouseScreenColumn(g, x);
  col = screenCol >= 1 ? PosOfColumn(line, screenCol) : 1;
  if (!ScrollPastEnd()) col = std::min(col, LineLength(line) + 1);
  col = std::max(col, 1);
}

void THebTextFILEEditor::PositionCaret(int32_t screenCol) {
  caretLine_ = std::min(caretLine_, LineCount());
  if (screenCol == 0) screenCol = CaretScreenCol();
  // Whether the caret stands on a point without a cell is decided for the
  // caret's own line.
  const bool onPoint = IsZeroWidthPointAt(LineBytes(CaretLine()), CaretCol(), PointSide());
  const TCaretPlacement p =
      PlaceCaret(Geometry(), CaretLine(), screenCol, Host().HasFocus(), Host().CaretIsThin(), onPoint);
  Host().MoveCaret(p.X, p.Y);
  Host().PostShowStatus(screenCol, CaretLine());
}

// ---- Typing ----

void THebTextFILEEditor::KeyChar(uint8_t ch) {
  const bool ignore = IgnoreNextChar();
  if (!ignore && ch >= 0x20 && !literalNext_) {
    // What the desktop's own Hebrew layout types goes in as it is; Latin
    // key text passes the program's layers. Where a letter typed against
    // the main direction shows follows from the text in reading order.
    const uint8_t c = IsHebrewKeyText(ch) ? ch : TranslateTypedChar(ch, Layers(), DageshState);
    DoCommand(ccChar, c);
    if (VowelSkip && IsNikud(c)) {
      int32_t before = CaretCol();
      DoCommand(ccLeft, 0);
      while (CaretCol() != before) {
        const int32_t p = CaretPos();
        const auto text = GetPara(CaretPara());
        if (p < 2 || static_cast<size_t>(p - 1) > text.size() || text[static_cast<size_t>(p - 2)] != ' ') break;
        before = CaretCol();
        DoCommand(ccLeft, 0);
      }
    }
  } else if (literalNext_ && !ignore) {
    // The key after Ctrl+P goes in as it is, control characters too.
    literalNext_ = false;
    InsertChar(ch);
  }
  // The base character handling has nothing left to type.
  SetIgnoreNextChar(true);
  TNvcTextFileEditor::KeyChar(ch);
  SetIgnoreNextChar(ignore);
}

bool THebTextFILEEditor::KeyDown(const platform::KeyStroke& key) {
  if ((key.VirtualKey & 0xFF) == platform::VK_RETURN && WantEnter() &&
      EnterAddsParagraphMark(GetPara(CaretPara()), CaretPos(), Conversion().config == TEditConfig::NuvelDos,
                             Conversion().config == TEditConfig::Tag, ReadOnly())) {
    InsertChar(kParagraphMark);
  }
  return TNvcTextFileEditor::KeyDown(key);
}

// ---- Commands ----

bool THebTextFILEEditor::DoCommand(TNvcCommand command, uint8_t ch) {
  IdleCounter = 0;
  command = ExchangeLeftRight(command, engm_);
  const int32_t lineBefore = CaretLine();
  bool handled = true;
  if (!ReadOnly() && !HasSelection() && DoLogicalCommand(command)) {
    DoOnChange();
    if (CaretLine() != lineBefore) ApplyScrollLock();
    return true;
  }
  switch (command) {
    case ccCtrlChar:
      SetIgnoreNextChar(true);
      literalNext_ = true;
      break;
    case ccChar:
      if (!ReadOnly()) InsertChar(ch);
      break;
    default: handled = TNvcTextFileEditor::DoCommand(command, ch); break;
  }
  // An editing command other than typing puts the caret somewhere of its
  // own: the next key reads the logical caret from where it is shown.
  if (command != ccNone && command != ccChar && command != ccCtrlChar && command < ccChar) typing_.reset();
  if (CaretLine() != lineBefore) ApplyScrollLock();
  return handled;
}

void THebTextFILEEditor::ApplyScrollLock() {
  if (!ScrollLockOn || !ScrollLockOn()) return;
  const int32_t top = ScrollLockTopLine(ScrollLockMode, CaretLine(), VisibleRows());
  if (top > 0 && top != TopLine()) ScrollBy(0, top - TopLine());
}

// ---- Mouse ----

void THebTextFILEEditor::MouseDoubleClick(int32_t x, int32_t y, bool shift) {
  TNvcTextFileEditor::MouseDoubleClick(x, y, shift);
  int32_t line = 0;
  int32_t col = 0;
  MouseToLineCol(x, y, line, col);
  if (line == lastDblLine_ && col == lastDblCol_) {
    // A second double-click on the same spot takes the whole screen line.
    SetSelection(line, 1, line, LineLength(line) + 1, true);
    lastDblLine_ = 0;
    lastDblCol_ = 0;
    return;
  }
  lastDblLine_ = line;
  lastDblCol_ = col;
  TNvcTextFileEditor::MouseDoubleClick(x, y, shift);
}

// ---- Markers ----

void THebTextFILEEditor::SetMarker(int n) {
  if ((n >= 0 && n <= 9) || n == kBlockBegin || n == kBlockEnd) {
    ParaList().SetMarkerRaw(n, static_cast<uint32_t>(CaretPara()), static_cast<uint32_t>(CaretPos()));
    Host().InvalidateAll();
  }
}

void THebTextFILEEditor::SetMarkerAt(int n, int32_t line, int32_t col) {
  if (n < 0 || n >= 10) return;
  if (line < 1 || line > LineCount() || col < 1) throw EInvalidLineOrCol();
  ParaList().SetMarker(n, static_cast<uint32_t>(line), static_cast<uint32_t>(col));
  Host().InvalidateAll();
}

int32_t THebTextFILEEditor::GetMarkerPosition(int n, int32_t& col) {
  if (!((n >= 0 && n <= 9) || n == kBlockBegin || n == kBlockEnd)) return -1;
  const TParaPos m = ParaList().Marker(n);
  if (m.Para < 1 || m.Pos < 1) return -1;
  uint32_t c = 0;
  const auto line = static_cast<int32_t>(ParaList().LineOf(m.Para, m.Pos, c));
  col = static_cast<int32_t>(c);
  return line;
}

void THebTextFILEEditor::Clear(bool refresh) {
  TNvcTextFileEditor::Clear(refresh);
  ParaList().SetPersistentBlocks(persistentBlocks_);
  typing_.reset();
}

// ---- Painting ----

THebPaintPlan THebTextFILEEditor::PlanPaint(int32_t clipTop, int32_t clipBottom, bool enabled,
                                            int32_t glyphStripWidth, int32_t glyphStripHeight) {
  TNvcParaList& list = ParaList();
  THebPaintRequest rq;
  rq.Geometry = Geometry();
  rq.ClipTop = clipTop;
  rq.ClipBottom = clipBottom;
  rq.CtrlNums = ctrlNums_;
  rq.ShowBookmarks = ShowBookmarks();
  rq.GlyphStripWidth = glyphStripWidth;
  rq.GlyphStripHeight = glyphStripHeight;
  for (int n = 0; n < 10; ++n) {
    int32_t col = 0;
    const int32_t line = GetMarkerPosition(n, col);
    rq.BookmarkLines[static_cast<size_t>(n)] = line > 0 ? line : 0;
  }
  TSelectionState s;
  s.Enabled = enabled;
  s.HasSelection = HasSelection();
  s.HideSelection = HideSelection();
  s.Focused = Host().HasFocus();
  s.Selection = {SelBegin().Line, SelBegin().Col, SelEnd().Line, SelEnd().Col};
  s.PersistentBlocks = list.PersistentBlocks();
  int32_t beginCol = 0;
  int32_t endCol = 0;
  const int32_t beginLine = GetMarkerPosition(kBlockBegin, beginCol);
  const int32_t endLine = GetMarkerPosition(kBlockEnd, endCol);
  if (beginLine > 0 && endLine > 0) s.Block = {beginLine, beginCol, endLine, endCol};
  rq.Selection = SelectionToShow(s);

  THebPaintSource source;
  source.LineCount = LineCount();
  source.TabSize = TabSize();
  source.LineText = [this](int32_t line) { return LineBytes(line); };
  source.ScreenColumn = [&list, side = PointSide()](std::span<const uint8_t> line, int32_t col) {
    return static_cast<int32_t>(list.ColumnOfPos(line, static_cast<uint32_t>(col), side));
  };
  return PlanEditorPaint(rq, source);
}

}  // namespace nuvel
