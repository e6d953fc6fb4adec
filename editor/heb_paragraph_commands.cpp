// Keys the system feeds the bilingual editor itself, and its paragraph
// commands: next and previous paragraph, range and paragraph replacement,
// and Reformat Paragraph.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/border_order.h"
#include "core/shared_state.h"
#include "editor/heb_layout.h"
#include "editor/heb_text_editor.h"
#include "editor/undo_buffer.h"
#include "editor/wordstar_keys.h"

namespace nuvel {

namespace {
constexpr uint16_t kKeyTab = 9;
constexpr uint16_t kKeyEnter = 13;
constexpr uint16_t kCtrlD = 4;
constexpr uint16_t kCtrlQ = 17;
constexpr uint16_t kCtrlX = 24;

bool EndsWithMark(std::span<const uint8_t> text) { return !text.empty() && text.back() == kParagraphMark; }

// A text that ends neither in a blank nor in the paragraph mark gets a blank.
void ApplyBlankRule(std::vector<uint8_t>& text) {
  if (text.empty() || (text.back() != ' ' && text.back() != kParagraphMark)) text.push_back(' ');
}
}  // namespace

// ---- Fed keys ----

void THebTextEditor::ExecKey(uint16_t key) {
  // ^H is Backspace whatever the keyboard: it deletes the character before
  // the caret in reading order, the last one typed in either language.
  const TWordStarKey k = TranslateWordStarKey(wsPrefix_, key, Engm(), false, WsQTKey);
  if (k.InsertLiteral) {
    // ^P: the key goes in as it is; a tab or Enter does nothing more.
    if (!ReadOnly()) InsertChar(static_cast<uint8_t>(k.Key & 0xFF));
    SetIgnoreNextChar(false);
    return;
  }
  if (k.Command == ccChar) {
    // A fed character goes into the cell at the caret as it is given: the
    // system's own templates (the counters) are written in storage order.
    if (!ReadOnly()) {
      TNvcTextFileEditor::InsertChar(static_cast<uint8_t>(k.Key & 0xFF));
      DoOnChange();
    }
    SetIgnoreNextChar(false);
    return;
  }
  const bool handled = DoCommand(k.Command, static_cast<uint8_t>(k.Key & 0xFF));
  if (!handled) {
    const uint16_t low = k.Key & 0xFF;
    if (low == kKeyTab && WantTab()) {
      InsertTab();
    } else if (low == kKeyEnter && WantEnter()) {
      NewLine(InsertMode() && !ReadOnly(), true);
    }
  }
  SetIgnoreNextChar(k.Command == ccWaitSecondKey);
}

void THebTextEditor::TypeString(std::string_view s) {
  for (char c : s) ExecKey(static_cast<uint8_t>(c));
}

// ---- Paragraph movement ----

void THebTextEditor::NextParagraph() {
  if (CaretPara() < ParaCount()) MoveCaretToPara(CaretPara() + 1, 1, false);
}

void THebTextEditor::PreviousParagraph() {
  const int32_t para = CaretPara();
  if (para <= 1) return;
  MoveCaretToPara(CaretPos() == 1 ? para - 1 : para, 1, false);
}

// ---- Replacement ----

uint16_t THebTextEditor::ReplaceRange(int32_t para1, int32_t pos1, std::span<const uint8_t> text, int32_t para2,
                                      int32_t pos2) {
  SelectRange(para1, pos1, para2, pos2, true);
  return InsertText(text);
}

uint16_t THebTextEditor::ReplacePara(int32_t para, std::span<const uint8_t> text) {
  if (ReadOnly()) return kEditorOk;
  if (const void* zero = std::memchr(text.data(), 0, text.size())) {
    text = text.first(static_cast<size_t>(static_cast<const uint8_t*>(zero) - text.data()));
  }
  // The paragraph's bytes are exchanged as they are: a line-end byte inside
  // them stays a byte and does not split the paragraph.
  const uint16_t rc = ParaList().ReplaceText(this, static_cast<uint32_t>(para), text,
                                             static_cast<uint32_t>(ParaLength(para)), 1);
  if (rc != kEditorOk) return rc;
  UpdateVertBar();
  InvalidateChangedLines();
  MoveCaretToPara(para, static_cast<int32_t>(text.size()) + 1, false);
  return kEditorOk;
}

// ---- Reformat Paragraph ----

void THebTextEditor::ReformatParagraph() {
  if (ReadOnly()) return;
  // The run starts after the nearest earlier paragraph that ends with the
  // mark, and ends with the first one from there that does.
  int32_t first = 1;
  for (int32_t p = CaretPara() - 1; p >= 1; --p) {
    if (EndsWithMark(GetPara(p))) {
      first = p + 1;
      break;
    }
  }
  // A document kept in logical order is joined and broken as it reads, and
  // each new line is turned back on its own, so that every line reads in
  // order; a visual form is joined as stored.
  std::vector<uint8_t> joined;
  int32_t collected = 0;
  for (int32_t p = first; p <= ParaCount(); ++p) {
    const auto text = GetPara(p);
    const auto reading = ReadingPara(p).Text();
    std::vector<uint8_t> piece(reading.begin(), reading.end());
    ApplyBlankRule(piece);
    joined.insert(joined.end(), piece.begin(), piece.end());
    ++collected;
    if (EndsWithMark(text)) break;
  }

  TParaNode node;
  node.Create(joined, WordWrap() ? WrapColumn() : kNoWrapColumn, TabSize());
  {
    TUndoGroup group(ParaList().UndoBuffer());
    const auto lines = static_cast<int32_t>(node.LineCount());
    for (int32_t k = 1; k <= lines; ++k) {
      const auto bytes = node.GetLine(static_cast<uint32_t>(k));
      std::vector<uint8_t> line(bytes.begin(), bytes.end());
      ApplyBlankRule(line);
      if (logicalOrder_) LogicalToStorage(Engm(), line);
      const int32_t para = first + k - 1;
      if (k <= collected) {
        if (const uint16_t rc = ReplacePara(para, line); rc != kEditorOk) {
          DoOnError(rc);
          return;
        }
      } else {
        if (const uint16_t rc = ParaList().InsertParaAfter(this, static_cast<uint32_t>(para - 1), line);
            rc != kEditorOk) {
          DoOnError(rc);
          return;
        }
        MoveCaretToPara(para, 1, false);
      }
    }
    for (int32_t k = collected; k > lines; --k) ParaList().DeletePara(this, static_cast<uint32_t>(first + lines));
  }
  UpdateVertBar();
  Refresh(false);
  ExecKey(kCtrlQ);
  ExecKey(kCtrlD);
  ExecKey(kCtrlX);
  Host().InvalidateAll();
}

}  // namespace nuvel
