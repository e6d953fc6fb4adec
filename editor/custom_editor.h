#pragma once
// The multi-paragraph editor as a view model: caret, selection, top line and
// horizontal offset over a shared paragraph list, the views' ring, the
// command dispatcher and the editing operations, undo and redo, and the
// mouse and scroll arithmetic. It knows no toolkit: the window that shows it
// is a TEditorHost, and the font comes in as its cell size.
//
// Lines, columns, paragraphs and positions count from 1. A position is a
// byte position in its paragraph (length + 1 is after the last byte), a
// column a byte column in its screen line; the screen column is the display
// column with tabs expanded.
//
// Subclasses change the behaviour through the virtual operations; the
// bilingual editor replaces the dispatcher, the typing, the caret placement,
// the mouse mapping, the scrolling and the clipboard.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_numbers.h"
#include "editor/editor_host.h"
#include "editor/para_list.h"
#include "editor/para_list_view.h"
#include "platform/key_stroke.h"

namespace nuvel {

class TNvcCommandProcessor;

// A place in the text by paragraph and position and by screen line and
// column. Two positions compare by paragraph, then position.
struct TEditorPosition {
  int32_t Para = 1;
  int32_t Pos = 1;
  int32_t Line = 1;
  int32_t Col = 1;

  friend bool operator==(const TEditorPosition& a, const TEditorPosition& b) {
    return a.Para == b.Para && a.Pos == b.Pos;
  }
  friend bool operator<(const TEditorPosition& a, const TEditorPosition& b) {
    return a.Para < b.Para || (a.Para == b.Para && a.Pos < b.Pos);
  }
};

enum class TTabType { ttReal, ttFixed, ttSmart };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TBorderStyle { bsNone, bsSingle };

// The 35 bytes that end a word for word movement, word deletion, the
// double-click word and whole-word search.
inline constexpr std::string_view kWordDelimiters =
    "\t'\r\n ,./?;:`\"<>[]{}-=\\+|()%@&^$#!~*";

class TNvcCustomEditor : public TParaListView {
 public:
  TNvcCustomEditor();
  ~TNvcCustomEditor() override;
  TNvcCustomEditor(const TNvcCustomEditor&) = delete;
  TNvcCustomEditor& operator=(const TNvcCustomEditor&) = delete;

  // ---- Binding to the window and the key processor ----
  // The window that shows this editor (null: none). Not owned.
  void SetHost(TEditorHost* host);
  TEditorHost& Host() const { return *host_; }
  // The window came into being: scroll bars, metrics, wrap-to-window.
  virtual void WindowCreated();
  // The command processor of the controller that translates keys. Not owned.
  void SetCommandProcessor(TNvcCommandProcessor* processor) { processor_ = processor; }
  TNvcCommandProcessor* CommandProcessor() const { return processor_; }

  // ---- Properties ----
  bool AutoIndent() const { return autoIndent_; }
  void SetAutoIndent(bool v) { autoIndent_ = v; }
  uint32_t ByteLimit() const { return list_->ByteLimit(); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool v);
  int32_t LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int32_t v);
  int32_t RightMargin() const { return rightMargin_; }
  void SetRightMargin(int32_t v);
  uint32_t ParaLengthLimit() const { return list_->ParaLengthLimit(); }
  void SetParaLengthLimit(int32_t v);
  uint32_t ParaLimit() const { return list_->ParaLimit(); }
  void SetParaLimit(int32_t v);
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool v) { readOnly_ = v; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool ScrollBarsAlways() const { return scrollBarsAlways_; }
  void SetScrollBarsAlways(bool v);
  bool ScrollPastEnd() const { return scrollPastEnd_; }
  void SetScrollPastEnd(bool v);
  bool ShowBookmarks() const { return showBookmarks_; }
  void SetShowBookmarks(bool v);
  uint8_t TabSize() const { return list_->TabSize(); }
  void SetTabSize(uint8_t v);
  TTabType TabType() const { return tabType_; }
  void SetTabType(TTabType v) { tabType_ = v; }
  // The document's conversion (see TNvcParaList::Conversion).
  const ConvContext& Conversion() const { return ParaList().Conversion(); }
  void SetConversion(const ConvContext& conversion) { ParaList().SetConversion(conversion); }
  bool TrimWhiteSpace() const { return trimWhiteSpace_; }
  void SetTrimWhiteSpace(bool v) { trimWhiteSpace_ = v; }
  uint32_t UndoBufferSize() const { return list_->UndoBuffer().BufferSize(); }
  void SetUndoBufferSize(uint32_t v);
  bool WantEnter() const { return wantEnter_; }
  void SetWantEnter(bool v) { wantEnter_ = v; }
  bool WantTab() const { return wantTab_; }
  void SetWantTab(bool v) { wantTab_ = v; }
  bool WordWrap() const { return list_->WordWrap(); }
  void SetWordWrap(bool v);
  bool WrapAtLeft() const { return wrapAtLeft_; }
  void SetWrapAtLeft(bool v);
  int32_t WrapColumn() const { return list_->WrapColumn(); }
  void SetWrapColumn(int32_t v);
  bool WrapToWindow() const { return wrapToWindow_; }
  void SetWrapToWindow(bool v);
  const std::string& WordDelimiters() const { return wordDelimiters_; }
  bool IsDelimiter(uint8_t b) const;

  // ---- Events ----
  std::function<void(TNvcCustomEditor& sender)> OnChange;
  std::function<void(TNvcCustomEditor& sender, uint16_t& errorCode)> OnError;
  std::function<void(TNvcCustomEditor& sender, int32_t lineNum, int32_t colNum)> OnShowStatus;
  std::function<void(TNvcCustomEditor& sender, int32_t line)> OnTopLineChanged;
  std::function<void(TNvcCustomEditor& sender, TNvcCommand command)> OnUserCommand;
  std::function<void(TNvcCustomEditor& sender, const platform::TShiftState& shift, int32_t delta,
                     int32_t x, int32_t y)>
      OnMouseWheel;

  // ---- View state ----
  int32_t CharWidth() const { return charWidth_; }
  int32_t LineHeight() const { return lineHeight_; }
  int32_t VisibleColumns() const { return visibleColumns_; }
  int32_t VisibleRows() const { return visibleRows_; }
  int32_t CaretCol() const { return caretCol_; }
  int32_t CaretLine() const { return caretLine_; }
  int32_t CaretPara() const { return caretPara_; }
  int32_t CaretLineOffset() const { return caretLineOffset_; }
  // The caret's position in its paragraph.
  int32_t CaretPos() const { return caretLineOffset_ + caretCol_; }
  int32_t ScrollScale() const { return scrollScale_; }
  int32_t HorzOffset() const { return horzOffset_; }
  const TEditorPosition& SelBegin() const { return selBegin_; }
  const TEditorPosition& SelEnd() const { return selEnd_; }
  TParaPos SelMoving() const { return selMoving_; }
  int32_t MaxHorzOffset() const;
  bool HasHorzBar() const { return hasHorzBar_; }
  bool HasVertBar() const { return hasVertBar_; }
  int32_t TopPara() const { return topPara_; }
  int32_t TopOffset() const { return topOffset_; }
  bool MouseInMargin() const { return mouseInMargin_; }
  bool MouseCaptured() const { return mouseCaptured_; }
  bool IgnoreNextChar() const { return ignoreNextChar_; }
  void SetIgnoreNextChar(bool v) { ignoreNextChar_ = v; }
  TNvcParaList& ParaList() const { return *list_; }
  const std::vector<TParaListView*>& Views() const { return list_->Views(); }

  // ---- Programming interface ----
  // Appends a text (up to a zero byte) as new paragraphs before the last
  // one, cut at word starts to the paragraph length limit. Error code.
  uint16_t AppendPara(std::span<const uint8_t> text);
  uint16_t AppendPara(std::string_view text);
  // Inserts at the caret, replacing the selection, in one undo group; line
  // ends split paragraphs. 0 (nothing) when read-only.
  uint16_t InsertText(std::span<const uint8_t> text);
  uint16_t InsertString(std::string_view s);
  // Replaces the whole text, split at line ends, and refreshes.
  void LoadText(std::span<const uint8_t> text);
  void LoadString(std::string_view s);
  void DeleteSelection();
  // Copies the text with CR LF between paragraphs, zero-terminated, into the
  // buffer; returns the bytes written before the terminator.
  int32_t GetText(std::span<uint8_t> buffer) const;
  // The whole text with CR LF between paragraphs.
  std::string Text() const;
  int64_t TextLength() const { return list_->ByteCount(); }
  int32_t LineCount() const { return static_cast<int32_t>(list_->LineCount()); }
  int32_t ParaCount() const { return static_cast<int32_t>(list_->ParaCount()); }
  std::span<const uint8_t> GetPara(int32_t n) const;
  int32_t ParaLength(int32_t n) const;
  int32_t LineLength(int32_t n) const;
  std::span<const uint8_t> LineBytes(int32_t n) const;
  // Line n with tabs expanded to TabSize, at most max bytes.
  std::string GetLine(int32_t n, size_t max) const;
  std::string GetLineRaw(int32_t n, size_t max) const;
  std::string GetLineString(int32_t n) const;
  int32_t GetCaretPosition(int32_t& col) const;
  void SetCaretPosition(int32_t line, int32_t col);
  bool GetSelection(int32_t& line1, int32_t& col1, int32_t& line2, int32_t& col2) const;
  void SetSelection(int32_t line1, int32_t col1, int32_t line2, int32_t col2, bool caretAtEnd);
  void SelectAll(bool caretAtEnd);
  // Selects (para1, pos1) to (para2, pos2), the caret at the second end or
  // at the first.
  void SelectRange(int32_t para1, int32_t pos1, int32_t para2, int32_t pos2, bool caretAtEnd);
  bool HasSelection() const { return !(selBegin_ == selEnd_); }
  bool SelectionEquals(std::string_view s, bool matchCase) const;
  void LineToPara(int32_t& line, int32_t& col) const;
  void ParaToLine(int32_t& para, int32_t& pos) const;
  int32_t TopLine() const { return topLine_; }
  void SetTopLine(int32_t n);
  void ChangeTopLine(int32_t n);
  void BeginUpdate();
  void EndUpdate();
  bool Modified() const { return list_->Modified(); }
  void SetModified(bool v);
  bool CanUndo() const;
  bool CanRedo() const;
  void Refresh(bool now);
  void GotoMarker(int n);

  // ---- Keys and mouse, as the window hands them on ----
  // A key went down: translated through the command processor and run.
  // True when the editor took it.
  virtual bool KeyDown(const platform::KeyStroke& key);
  // A key went down with Alt (a system key).
  virtual bool SysKeyDown(const platform::KeyStroke& key);
  // The character a key typed.
  virtual void KeyChar(uint8_t ch);
  // Mouse over the client area: whether it is over the left margin.
  bool MouseOverMargin(int32_t x);
  // Left button down at (x, y): takes the mouse when there is text and runs
  // the first drag pass. True when the mouse is captured.
  bool MouseDown(int32_t x, int32_t y, bool shift);
  // One pass of the drag with the mouse at (x, y).
  void MouseDragPass(int32_t x, int32_t y);
  // Milliseconds between drag passes with the mouse at height y: 3 scroll
  // arrows' worth less the distance outside the window (0 inside).
  int32_t DragPassInterval(int32_t y, int32_t arrowHeight) const;
  bool MouseIsOutside(int32_t y) const { return y < 0 || y >= host_->ClientHeight(); }
  void MouseUp();
  virtual void MouseDoubleClick(int32_t x, int32_t y, bool shift);
  // A wheel turn; every 120 units of the sum is one notch.
  void MouseWheel(const platform::TShiftState& shift, int32_t delta, int32_t x, int32_t y);
  // Scroll-bar actions from the window.
  void HorzScrollTo(int32_t pos);
  void VertScrollTo(int32_t pos);
  void VertScrollLines(int32_t rows) { ScrollBy(0, rows); }
  void HorzScrollColumns(int32_t cols) { ScrollBy(cols, 0); }
  TEditorScrollBar VertScrollBarState() const;
  TEditorScrollBar HorzScrollBarState() const;
  // The window was resized.
  void Resized();
  // The font changed; the window measures it again.
  void FontChanged();
  // Focus came and went; the shared insert mode travels along.
  void FocusEntered(bool sharedInsertMode);
  bool FocusLeft();
  // The posted status notification arrived.
  void StatusPosted(int32_t screenCol, int32_t line) { DoOnShowStatus(line, screenCol); }

  // ---- Virtual operations ----
  virtual void UpdateMetrics();
  virtual void MouseToLineCol(int32_t x, int32_t y, int32_t& line, int32_t& col);
  virtual void InsertChar(uint8_t ch);
  virtual void PositionCaret(int32_t screenCol);
  // Which side of its letter a line of this editor keeps a letter's points.
  virtual TPointSide PointSide() const { return TPointSide::BeforeLetter; }
  void ParaDeleted(uint32_t para, bool isOwn) override;
  void TextDeleted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) override;
  void ParaInserted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) override;
  void TextInserted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) override;
  void ParaJoined(uint32_t para, uint32_t pos, bool isOwn) override;
  void Resynchronize() override;
  virtual bool GetReadOnly() const { return readOnly_; }
  virtual void SetByteLimit(int64_t n);
  virtual void Attach(TNvcCustomEditor* other);
  virtual void Clear(bool refresh);
  virtual int32_t GetMarkerPosition(int n, int32_t& col);

  virtual void DoMouseWheel(const platform::TShiftState& shift, int32_t delta, int32_t x, int32_t y);
  virtual void DoOnChange();
  virtual void DoOnError(uint16_t errorCode);
  virtual void DoOnShowStatus(int32_t line, int32_t col);
  virtual void DoOnTopLineChanged(int32_t line);
  virtual void DoOnUserCommand(TNvcCommand command);
  virtual void ScrollBy(int32_t cols, int32_t rows);
  virtual void ClearMarker(int n);
  // Puts the selection on the clipboard; true when it did. The base has no
  // clipboard: the bilingual editor supplies it.
  virtual bool CopyToClipboard() { return false; }
  virtual void CutToClipboard();
  // The base has no clipboard: the bilingual editor supplies it.
  virtual void PasteFromClipboard() {}
  virtual bool DoCommand(TNvcCommand command, uint8_t ch);
  virtual void Redo();
  virtual void Undo();
  // Search and replace belongs to the bilingual editor; the base finds
  // nothing.
  virtual bool Replace(std::string_view /*find*/, std::string_view /*replaceWith*/, uint16_t /*options*/) {
    return false;
  }
  virtual void SetMarker(int n);
  virtual void SetMarkerAt(int n, int32_t line, int32_t col);

  // ---- Editing operations the dispatchers share ----
  void Backspace();
  void DeleteAtCaret();
  void DeleteToLineStart();
  void DeleteToLineEnd();
  void DeleteLine();
  void DeleteWord();
  // Enter: `split` splits the paragraph at the caret, `moveDown` puts the
  // caret on the next line.
  virtual void NewLine(bool split, bool moveDown);
  void InsertTab();
  void CaretLeft(bool extend);
  void CaretRight(bool extend);
  void WordLeft(bool extend);
  void WordRight(bool extend);
  void CaretToLineEnd(bool extend);

  // ---- Caret movement ----
  // The one routine behind every caret move.
  void MoveCaret(int32_t colDelta, int32_t lineDelta, bool keepByteCol, bool extend, bool keepRow);
  void MoveCaretTo(int32_t line, int32_t col, bool extend);
  void MoveCaretToPara(int32_t para, int32_t pos, bool extend);
  // The caret's screen column.
  int32_t CaretScreenCol() const;
  bool CaretOnScreen() const;

 protected:
  // Selection helpers.
  void CollapseSelection();
  void ExtendSelection();
  void FillLineCol(TEditorPosition& p) const;
  // Checks the limits for replacing the selection (or nothing) by `text`;
  // error code, nothing changed.
  uint16_t CheckReplaceLimits(std::span<const uint8_t> text) const;
  // Inserts at the caret in pieces; the caret goes after the text.
  uint16_t InsertAtCaret(std::span<const uint8_t> text);
  void InsertBlanks(int32_t n);
  void InvalidateChangedLines();
  void InvalidateLineRange(int32_t first, int32_t last);
  void UpdateVertBar();
  void UpdateHorzBar();
  void ApplyWrapToWindow();
  void SetCaretFromPara(int32_t para, int32_t pos);
  void SetTopFromPara();
  bool UndoGroupOpen() const { return list_->UndoBuffer().GroupOpen(); }
  TParaListView* Self() { return this; }
  std::span<const uint8_t> LineText(int32_t line) const;
  int32_t ColumnOfPos(int32_t line, int32_t pos) const;
  int32_t PosOfColumn(int32_t line, int32_t col) const;

  // The view state below is the subclasses' to change as well.
  class TBusyAdapter;
  enum class Change { TextInserted, TextDeleted, ParaInserted, ParaDeleted, ParaJoined };
  void ViewChanged(Change change, int32_t para, int32_t pos, bool isOwn, int32_t count);
  void LeaveRing();
  void ResetViewState();
  void MarginSelect(int32_t line, bool first);
  void SelectWordAt(int32_t line, int32_t col, bool shift);
  void SelectParaAt(int32_t line, bool shift);

 private:
  TEditorHost nullHost_;

 protected:

  TEditorHost* host_ = &nullHost_;
  TNvcCommandProcessor* processor_ = nullptr;
  std::unique_ptr<TBusyAdapter> busy_;
  std::shared_ptr<TNvcParaList> list_;

  bool autoIndent_ = false;
  bool hideSelection_ = true;
  bool insertMode_ = true;
  int32_t leftMargin_ = 15;
  int32_t rightMargin_ = 5;
  bool readOnly_ = false;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  bool scrollBarsAlways_ = false;
  bool scrollPastEnd_ = false;
  bool showBookmarks_ = true;
  TTabType tabType_ = TTabType::ttReal;
  bool trimWhiteSpace_ = true;
  bool wantEnter_ = true;
  bool wantTab_ = false;
  bool wrapAtLeft_ = true;
  bool wrapToWindow_ = false;
  std::string wordDelimiters_{kWordDelimiters};

  int32_t charWidth_ = 8;
  int32_t lineHeight_ = 16;
  int32_t visibleColumns_ = 1;
  int32_t visibleRows_ = 1;
  int32_t caretCol_ = 1;
  int32_t caretLine_ = 1;
  int32_t caretPara_ = 1;
  int32_t caretLineOffset_ = 0;
  int32_t scrollScale_ = 1;
  int32_t horzOffset_ = 0;
  TEditorPosition selBegin_;
  TEditorPosition selEnd_;
  TParaPos selMoving_{1, 1};
  bool hasHorzBar_ = true;
  bool hasVertBar_ = true;
  int32_t topLine_ = 1;
  int32_t topPara_ = 1;
  int32_t topOffset_ = 0;
  bool mouseInMargin_ = false;
  bool mouseCaptured_ = false;
  bool ignoreNextChar_ = false;
  int32_t updateDepth_ = 0;

  // Drag state: passes made, the last cell, the margin anchor line.
  int32_t dragPasses_ = 0;
  int32_t dragLine_ = 0;
  int32_t dragCol_ = 0;
  bool dragShift_ = false;
  int32_t marginAnchor_ = 0;
  int32_t wheelSum_ = 0;
};

}  // namespace nuvel
