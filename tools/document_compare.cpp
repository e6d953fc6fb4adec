#include "tools/document_compare.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/shared_state.h"
#include "editor/custom_editor.h"
#include "editor/heb_text_editor.h"
#include "platform/message_sink.h"

namespace nuvel {

namespace {
// One stream of a text: the byte at (para, pos), the mark after each
// paragraph, then the end.
class TStream {
 public:
  explicit TStream(const TCompareText& t) : t_(t), para_(t.StartPara), pos_(t.StartPos) {}

  // Reads the character at the start; false when there is none.
  bool Start() {
    if (para_ < 1 || para_ > t_.ParaCount) return false;
    text_ = t_.Para(para_);
    return pos_ >= 1 && pos_ <= static_cast<int32_t>(text_.size()) + 1;
  }
  // Steps to the next character; false (and ended) after the last mark.
  bool Next() {
    if (pos_ <= static_cast<int32_t>(text_.size())) {
      ++pos_;
      return true;
    }
    if (para_ >= t_.ParaCount) {
      ended_ = true;
      return false;
    }
    ++para_;
    pos_ = 1;
    text_ = t_.Para(para_);
    return true;
  }
  bool Ended() const { return ended_; }
  uint8_t Char() const { return pos_ <= static_cast<int32_t>(text_.size()) ? text_[static_cast<size_t>(pos_ - 1)] : 0; }
  TCompareSide Side() const { return {ended_, para_, pos_}; }

 private:
  const TCompareText& t_;
  std::span<const uint8_t> text_;
  int32_t para_;
  int32_t pos_;
  bool ended_ = false;
};

bool Equal(const TStream& a, const TStream& b) {
  if (a.Ended()) return b.Ended();
  if (b.Ended()) return false;
  return a.Char() == b.Char();
}

// A document that keeps its text in logical order is compared as it reads
// (English inside Hebrew is stored reversed); a visual form as stored.
const THebTextEditor* ReadingEditor(const TNvcCustomEditor& e) {
  const auto* heb = dynamic_cast<const THebTextEditor*>(&e);
  return heb && heb->LogicalOrder() ? heb : nullptr;
}

// A text is read from its caret, or from after its selection: a difference
// shown last is selected, and the next comparison goes on past it.
TCompareText TextOf(TNvcCustomEditor& e) {
  TCompareText t;
  t.ParaCount = e.ParaCount();
  const THebTextEditor* heb = ReadingEditor(e);
  if (heb) {
    // The reading text of the paragraph the stream is in, kept until it
    // asks for the next.
    auto held = std::make_shared<std::vector<uint8_t>>();
    t.Para = [heb, held](int32_t p) {
      const auto text = heb->ReadingPara(p).Text();
      held->assign(text.begin(), text.end());
      return std::span<const uint8_t>(*held);
    };
  } else {
    t.Para = [&e](int32_t p) { return e.GetPara(p); };
  }
  if (e.HasSelection()) {
    const TEditorPosition& begin = std::min(e.SelBegin(), e.SelEnd());
    const TEditorPosition& end = std::max(e.SelBegin(), e.SelEnd());
    t.StartPara = end.Para;
    t.StartPos = end.Pos;
    if (heb && end.Pos >= 1 && end.Pos <= e.ParaLength(end.Para)) {
      // On after the last byte of the selected cells as they read.
      const size_t from = begin.Para == end.Para ? static_cast<size_t>(std::max(begin.Pos - 1, 0)) : 0;
      t.StartPos = static_cast<int32_t>(heb->ReadingPara(end.Para).ReadingStretch(from, end.Pos - 1).second) + 1;
    }
  } else {
    t.StartPara = e.CaretPara();
    t.StartPos = heb ? heb->ReadingPos(t.StartPara, e.CaretPos()) : e.CaretPos();
  }
  return t;
}

void ShowSide(TNvcCustomEditor& e, const TCompareSide& side) {
  if (side.Ended) {
    const int32_t last = e.LineCount();
    e.SetCaretPosition(last, e.LineLength(last) + 1);
    return;
  }
  // The paragraph end is selected as the line break after it; the last
  // paragraph's end has none, and the caret stands there.
  if (side.Pos > e.ParaLength(side.Para)) {
    if (side.Para < e.ParaCount()) {
      e.SelectRange(side.Para, side.Pos, side.Para + 1, 1, false);
    } else {
      e.MoveCaretToPara(side.Para, side.Pos, false);
    }
    return;
  }
  // The cell that holds the differing character as it reads.
  int32_t cell = side.Pos;
  if (const THebTextEditor* heb = ReadingEditor(e)) {
    cell = static_cast<int32_t>(heb->ReadingPara(side.Para).StoredOf(static_cast<size_t>(side.Pos - 1))) + 1;
  }
  e.SelectRange(side.Para, cell, side.Para, cell + 1, false);
}

void Inform(std::string text) {
  platform::MessageRequest r;
  r.text = std::move(text);
  r.type = platform::MsgDlgType::Information;
  r.buttons = platform::mbOK;
  platform::ShowMessageRequest(r);
}
}  // namespace

TCompareResult CompareTexts(const TCompareText& a, const TCompareText& b) {
  TCompareResult r;
  TStream sa(a);
  TStream sb(b);
  if (!sa.Start() || !sb.Start()) return r;
  bool same = Equal(sa, sb);
  while (same && !sa.Ended() && !sb.Ended()) {
    sa.Next();
    sb.Next();
    same = Equal(sa, sb);
  }
  r.Outcome = same ? TCompareOutcome::Same : TCompareOutcome::Differ;
  r.A = sa.Side();
  r.B = sb.Side();
  return r;
}

TCompareOutcome CompareFromCaret(TNvcCustomEditor& a, TNvcCustomEditor& b) {
  const bool goingOn = a.HasSelection() || b.HasSelection();
  const TCompareResult r = CompareTexts(TextOf(a), TextOf(b));
  switch (r.Outcome) {
    case TCompareOutcome::NoStart: break;
    case TCompareOutcome::Same:
      if (goingOn) {
        // "אין עוד הבדלים עד סוף הקבצים"
        Inform(EngPrompts ? "No more differences to the end of the files"
                          : "\xE0\xE9\xEF \xF2\xE5\xE3 \xE4\xE1\xE3\xEC\xE9\xED \xF2\xE3 \xF1\xE5\xF3 "
                            "\xE4\xF7\xE1\xF6\xE9\xED");
      } else {
        // "!הקבצים זהים מהסמן עד הסוף"
        Inform(EngPrompts ? "File compare OK! (from cursor positions)"
                          : "!\xE4\xF7\xE1\xF6\xE9\xED \xE6\xE4\xE9\xED \xEE\xE4\xF1\xEE\xEF \xF2\xE3 \xE4\xF1\xE5\xF3");
      }
      break;
    case TCompareOutcome::Differ:
      ShowSide(a, r.A);
      ShowSide(b, r.B);
      Inform(EngPrompts ? "Here is a difference" : "\xE4\xF0\xE4 \xF9\xE5\xF0\xE9");  // "הנה שוני"
      break;
  }
  return r.Outcome;
}

}  // namespace nuvel
