// The bilingual editor's whole-text services: case flip of one
// character, bracket commands, counters, HTML tag removal, double blanks,
// reversal of the file and of brackets, duplicate paragraphs, merging lines
// into paragraphs, empty lines between paragraphs, and Shift+Delete.
#include <algorithm>
#include <cstring>

#include "editor/block_transforms.h"
#include "editor/counter_markers.h"
#include "editor/document_writers.h"
#include "editor/heb_text_editor.h"
#include "editor/undo_buffer.h"
#include "formats/bracket_commands.h"
#include "formats/disk_format.h"
#include "formats/load_document.h"
#include "formats/para_vector.h"
#include "platform/virtual_keys.h"

namespace nuvel {

namespace {
// The paragraphs of a rebuilt text as a load would read them, kept apart
// until they are known to fit the editor.
class TScratchTarget : public TLoadTarget {
 public:
  TScratchTarget(uint8_t diskConv, const ConvContext& conversion) : diskConv_(diskConv), conversion_(conversion) {}
  uint16_t AppendParaText(std::span<const uint8_t> text) override { return paras_.AppendParaText(text); }
  uint32_t ParaCount() const override { return paras_.ParaCount(); }
  std::span<const uint8_t> Para(uint32_t index) const override { return paras_.Para(index); }
  void ReplacePara(uint32_t index, std::span<const uint8_t> bytes) override { paras_.ReplacePara(index, bytes); }
  void SetModified(bool) override {}
  void ClearText() override { paras_.Paras().clear(); }
  uint8_t DiskConv() const override { return diskConv_; }
  bool SheimFiltered() const override { return false; }
  void LoadDone() override {}
  const ConvContext& Conversion() const override { return conversion_; }
  const TParagraphs& Paras() const { return paras_.Paras(); }

 private:
  TParaVector paras_;
  uint8_t diskConv_;
  ConvContext conversion_;
};

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}
}  // namespace

// ---- One character ----

void THebTextEditor::FlipCaseOfChar() {
  if (ReadOnly()) return;
  const int32_t para = CaretPara();
  const int32_t pos = CaretPos();
  const auto text = GetPara(para);
  if (pos >= 1 && pos <= static_cast<int32_t>(text.size())) {
    const uint8_t flipped[1] = {CaseFlipTable()[text[static_cast<size_t>(pos - 1)]]};
    const bool hadSelection = HasSelection();
    const TEditorPosition begin = SelBegin();
    const TEditorPosition end = SelEnd();
    const int32_t line = CaretLine();
    const int32_t col = CaretCol();
    if (const uint16_t rc = ParaList().ReplaceText(this, static_cast<uint32_t>(para), flipped, 1,
                                                   static_cast<uint32_t>(pos));
        rc != kEditorOk) {
      DoOnError(rc);
      return;
    }
    InvalidateChangedLines();
    if (hadSelection) {
      SelectRange(begin.Para, begin.Pos, end.Para, end.Pos, end.Para == para && end.Pos == pos);
      if (!(CaretPara() == para && CaretPos() == pos)) SelectRange(end.Para, end.Pos, begin.Para, begin.Pos, true);
    } else {
      SetCaretPosition(line, col);
    }
  }
  SetModified(true);
}

// ---- Bracket commands ----

void THebTextEditor::Shul_Cmds() {
  const uint8_t bracket = Engm() ? '<' : '>';
  int32_t col = 0;
  const int32_t line = GetCaretPosition(col);
  TBracketState& state = SharedBracketState();
  TUndoGroup group(ParaList().UndoBuffer());
  BeginUpdate();
  for (int32_t p = 1; p <= ParaCount(); ++p) {
    const auto text = GetPara(p);
    if (text.empty()) continue;
    std::string s(text.begin(), text.end());
    bool changed = false;
    bool stop = false;
    for (int32_t i = 1; i <= static_cast<int32_t>(s.size()); ++i) {
      if (static_cast<uint8_t>(s[static_cast<size_t>(i - 1)]) != bracket) continue;
      int32_t pos = i;
      ExecBracketCommand(state, pos, s, Engm(), 0, changed, stop);
      i = std::max(pos, i - 1);
    }
    if (changed) s += "} ";
    const auto now = GetPara(p);
    if (!std::equal(s.begin(), s.end(), now.begin(), now.end(),
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; })) {
      if (const uint16_t rc = ReplacePara(p, Bytes(s)); rc != kEditorOk) {
        EndUpdate();
        DoOnError(rc);
        return;
      }
    }
  }
  EndUpdate();
  SetCaretPosition(std::min(line, LineCount()), col);
}

// ---- Counters ----

void THebTextEditor::Number_Cmds(uint8_t mode) {
  int32_t col = 0;
  const int32_t line = GetCaretPosition(col);
  TUndoGroup group(ParaList().UndoBuffer());
  BeginUpdate();
  for (uint8_t digit = '1'; digit <= '9'; ++digit) {
    int32_t counter = 1;
    for (int32_t p = 1; p <= ParaCount(); ++p) {
      size_t from = 0;
      for (;;) {
        const auto text = GetPara(p);
        const auto marker = FindCounterMarker(text, from, digit, Engm());
        if (!marker) break;
        const std::string number = CounterText(counter, digit, marker->Hebrew, Engm(), mode);
        const auto start = static_cast<int32_t>(marker->Start) + 1;
        const uint16_t rc =
            ReplaceRange(p, start, Bytes(number), p, start + static_cast<int32_t>(marker->Length));
        if (rc != kEditorOk) {
          EndUpdate();
          DoOnError(rc);
          return;
        }
        ++counter;
        from = marker->Start + number.size();
      }
    }
  }
  EndUpdate();
  SetCaretPosition(std::min(line, LineCount()), col);
}

// ---- Rebuilt texts ----

void THebTextEditor::Strip_File_HTML() {
  TParagraphs lines;
  lines.reserve(static_cast<size_t>(ParaCount()));
  for (int32_t p = 1; p <= ParaCount(); ++p) lines.push_back(StripTags(GetPara(p), Engm()));
  // The paragraphs stay as they were, each without its tags: all but the
  // last are appended before the empty paragraph that clearing leaves,
  // which then takes the last one.
  Clear(true);
  uint16_t error = kEditorOk;
  BeginUpdate();
  for (size_t i = 0; i + 1 < lines.size() && error == kEditorOk; ++i) error = AppendPara(lines[i]);
  if (error == kEditorOk && !lines.empty() && !lines.back().empty()) {
    error = ParaList().ReplaceText(this, static_cast<uint32_t>(ParaCount()), lines.back(), 0, 1);
  }
  EndUpdate();
  ParaList().UndoBuffer().Clear();
  if (error != kEditorOk) DoOnError(error);
  SetModified(true);
  Refresh(true);
}

void THebTextEditor::MergeParagraphs() {
  int32_t col = 0;
  int32_t line = GetCaretPosition(col);
  int32_t top = TopLine();
  TParagraphs paras;
  paras.reserve(static_cast<size_t>(ParaCount()));
  for (int32_t p = 1; p <= ParaCount(); ++p) {
    const auto bytes = GetPara(p);
    paras.emplace_back(bytes.begin(), bytes.end());
  }
  // Written and read back as DOS text without conversion.
  TScratchTarget scratch(kDiskDosText, Conversion().WithMode(kConvNone));
  const std::vector<uint8_t> dos =
      WriteDosTextFormat(paras, TWrapSettings{ParaList().EffectiveWrapColumn(), TabSize()}, false);
  LoadDocumentBytes(scratch, LoadRuleFor(scratch, "TEM-MRG.$$"), dos);
  // Appended before the last, empty paragraph, as a load appends them.
  int64_t bytes = 0;
  for (const auto& p : scratch.Paras()) bytes += static_cast<int64_t>(p.size()) + 2;
  uint16_t limit = kEditorOk;
  if (scratch.Paras().size() + 1 > ParaLimit()) limit = kEditorTooManyParas;
  if (bytes > static_cast<int64_t>(ByteLimit())) limit = kEditorTextTooLarge;
  if (limit != kEditorOk) {
    DoOnError(limit);
    return;
  }
  Clear(true);
  for (const auto& p : scratch.Paras()) {
    if (const uint16_t rc = AppendPara(p); rc != kEditorOk) {
      DoOnError(rc);
      break;
    }
  }
  ParaList().UndoBuffer().Clear();
  Refresh(true);
  if (line > LineCount()) {
    line = LineCount();
    top = line < 5 ? 1 : line - 4;
  }
  SetTopLine(top);
  SetCaretPosition(line, col);
  SetModified(true);
  Host().InvalidateAll();
}

std::string THebTextEditor::StripTrailingDot(std::string_view s) {
  std::string out(s);
  if (out.size() > 1 && out.back() == '.') out.pop_back();
  return out;
}

// ---- Blanks ----

void THebTextEditor::RemoveDoubleSpaces() {
  if (ReadOnly()) return;
  int32_t col = 0;
  const int32_t line = GetCaretPosition(col);
  const bool selection = HasSelection();
  const TEditorPosition a = std::min(SelBegin(), SelEnd());
  const TEditorPosition b = std::max(SelBegin(), SelEnd());
  TUndoGroup group(ParaList().UndoBuffer());
  BeginUpdate();
  for (int32_t p = 1; p <= ParaCount(); ++p) {
    const auto text = GetPara(p);
    size_t from = 0, to = text.size();
    if (selection) {
      if (p < a.Para || p > b.Para) {
        from = to = 0;
      } else {
        if (p == a.Para) from = std::min(static_cast<size_t>(std::max(a.Pos - 1, 0)), text.size());
        if (p == b.Para) to = std::clamp(static_cast<size_t>(std::max(b.Pos - 1, 0)), from, text.size());
      }
    }
    std::vector<uint8_t> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      // The second of two blanks inside the range goes.
      if (text[i] == ' ' && i > from && i < to && text[i - 1] == ' ') continue;
      out.push_back(text[i]);
    }
    size_t lead = 0;
    while (lead < out.size() && out[lead] == ' ') ++lead;
    out.erase(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(lead));
    if (!std::equal(out.begin(), out.end(), text.begin(), text.end())) {
      if (const uint16_t rc = ReplacePara(p, out); rc != kEditorOk) {
        EndUpdate();
        DoOnError(rc);
        return;
      }
    }
  }
  EndUpdate();
  ParaList().RewrapAll();
  SetCaretPosition(std::min(line, LineCount()), col);
  Host().InvalidateAll();
}

// ---- Reversals ----

namespace {
// Rewrites every paragraph through `change` and clears the undo history,
// since these commands are not undoable. True when anything changed.
template <typename Change>
bool RewriteAllNotUndoable(THebTextEditor& e, Change change) {
  bool any = false;
  e.BeginUpdate();
  for (int32_t p = 1; p <= e.ParaCount(); ++p) {
    const auto text = e.GetPara(p);
    if (text.empty()) continue;
    std::vector<uint8_t> out(text.begin(), text.end());
    change(out);
    if (std::equal(out.begin(), out.end(), text.begin(), text.end())) continue;
    any = true;
    e.ParaList().ReplaceText(&e, static_cast<uint32_t>(p), out, static_cast<uint32_t>(text.size()), 1);
  }
  e.EndUpdate();
  if (any) {
    e.ParaList().UndoBuffer().Clear();
    e.SetModified(true);
  }
  return any;
}
}  // namespace

void THebTextEditor::ReverseFile() {
  int32_t col = 0;
  const int32_t line = GetCaretPosition(col);
  RewriteAllNotUndoable(*this, [](std::vector<uint8_t>& t) { std::reverse(t.begin(), t.end()); });
  ParaList().RewrapAll();
  SetCaretPosition(std::min(line, LineCount()), col);
  Host().InvalidateAll();
}

void THebTextEditor::ReverseParentheses() {
  int32_t col = 0;
  const int32_t line = GetCaretPosition(col);
  RewriteAllNotUndoable(*this, [](std::vector<uint8_t>& t) {
    for (uint8_t& b : t) {
      switch (b) {
        case '(': b = ')'; break;
        case ')': b = '('; break;
        case '[': b = ']'; break;
        case ']': b = '['; break;
        case '{': b = '}'; break;
        case '}': b = '{'; break;
        case '<': b = '>'; break;
        case '>': b = '<'; break;
        default: break;
      }
    }
  });
  SetCaretPosition(std::min(line, LineCount()), col);
  Host().InvalidateAll();
}

// ---- Paragraphs ----

void THebTextEditor::RemoveDuplicates() {
  if (ReadOnly()) return;
  bool any = false;
  {
    TUndoGroup group(ParaList().UndoBuffer());
    BeginUpdate();
    int32_t p = 2;
    while (p <= ParaCount()) {
      const auto prev = GetPara(p - 1);
      const auto cur = GetPara(p);
      if (std::equal(prev.begin(), prev.end(), cur.begin(), cur.end())) {
        ParaList().DeletePara(this, static_cast<uint32_t>(p));
        any = true;
      } else {
        ++p;
      }
    }
    EndUpdate();
  }
  if (any) SetModified(true);
  UpdateVertBar();
  Host().InvalidateAll();
}

void THebTextEditor::AddParagraphLines() {
  if (ReadOnly() || ParaCount() < 3) return;
  int32_t col = 0;
  int32_t line = GetCaretPosition(col);
  int32_t top = TopLine();
  bool any = false;
  {
    TUndoGroup group(ParaList().UndoBuffer());
    BeginUpdate();
    for (int32_t p = 1; p < ParaCount(); ++p) {
      if (GetPara(p).empty() || GetPara(p + 1).empty()) continue;
      if (const uint16_t rc = ParaList().InsertParaAfter(this, static_cast<uint32_t>(p), {}); rc != kEditorOk) {
        EndUpdate();
        DoOnError(rc);
        return;
      }
      any = true;
      ++p;
    }
    EndUpdate();
  }
  UpdateVertBar();
  if (line > LineCount()) {
    line = LineCount();
    top = line < 5 ? 1 : line - 4;
  }
  SetTopLine(top);
  SetCaretPosition(line, col);
  if (any) SetModified(true);
  Host().InvalidateAll();
}

bool THebTextEditor::ShiftDeleteKey(uint16_t virtualKey, const platform::TShiftState& shift) {
  platform::TShiftState only;
  only.Shift = true;
  if ((virtualKey & 0xFF) != platform::VK_DELETE || !(shift == only)) return false;
  CutToClipboard();
  return true;
}

}  // namespace nuvel
