#include "editor/block_transforms.h"

#include <algorithm>

#include "core/text_reversal.h"
#include "editor/heb_text_editor.h"
#include "editor/reading_para.h"
#include "editor/undo_buffer.h"

namespace nuvel {

namespace {
// Hebrew letters that have a precomposed form with dagesh at letter - 0x60.
constexpr uint8_t kDageshLetters[] = {0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE8, 0xE9, 0xEA, 0xEB,
                                      0xEC, 0xEE, 0xF0, 0xF1, 0xF4, 0xF6, 0xF7, 0xF9, 0xFA};

std::array<uint8_t, 256> BuildCaseFlipTable() {
  std::array<uint8_t, 256> t{};
  for (int b = 0; b < 256; ++b) t[static_cast<size_t>(b)] = static_cast<uint8_t>(b);
  for (int b = 'A'; b <= 'Z'; ++b) {
    t[static_cast<size_t>(b)] = static_cast<uint8_t>(b + 32);
    t[static_cast<size_t>(b + 32)] = static_cast<uint8_t>(b);
  }
  for (uint8_t letter : kDageshLetters) {
    const auto pointed = static_cast<uint8_t>(letter - 0x60);
    t[letter] = pointed;
    t[pointed] = letter;
  }
  return t;
}

// The direction in which a document that keeps its text in logical order
// reads; none for a visual form, whose tools work on the stored order.
std::optional<bool> ReadingFor(const THebTextEditor& editor) {
  return editor.LogicalOrder() ? std::optional<bool>(editor.Engm()) : std::nullopt;
}

// The selection as paragraph positions, first end first.
bool SelectionSpan(const THebTextEditor& editor, TEditorPosition& a, TEditorPosition& b) {
  if (!editor.HasSelection()) return false;
  a = std::min(editor.SelBegin(), editor.SelEnd());
  b = std::max(editor.SelBegin(), editor.SelEnd());
  return true;
}

// Bytes [from, to) of paragraph p of the selection a..b, 0-based and
// clamped to the paragraph.
void ParaRange(const TEditorPosition& a, const TEditorPosition& b, int32_t p, size_t length, size_t& from,
               size_t& to) {
  from = p == a.Para ? static_cast<size_t>(std::max(a.Pos - 1, 0)) : 0;
  to = p == b.Para ? static_cast<size_t>(std::max(b.Pos - 1, 0)) : length;
  from = std::min(from, length);
  to = std::clamp(to, from, length);
}

// Rewrites each changed paragraph of the selection through `change`, as one
// undo step.
template <typename Change>
void RewriteSelection(THebTextEditor& editor, Change change) {
  TEditorPosition a, b;
  if (!SelectionSpan(editor, a, b)) return;
  TUndoGroup group(editor.ParaList().UndoBuffer());
  editor.BeginUpdate();
  for (int32_t p = a.Para; p <= b.Para; ++p) {
    const auto text = editor.GetPara(p);
    if (text.empty()) continue;
    size_t from = 0, to = 0;
    ParaRange(a, b, p, text.size(), from, to);
    std::vector<uint8_t> out = change(text, from, to);
    if (!std::equal(out.begin(), out.end(), text.begin(), text.end())) {
      if (const uint16_t rc = editor.ReplacePara(p, out); rc != kEditorOk) {
        editor.EndUpdate();
        editor.DoOnError(rc);
        return;
      }
    }
  }
  editor.EndUpdate();
}
}  // namespace

const std::array<uint8_t, 256>& CaseFlipTable() {
  static const std::array<uint8_t, 256> table = BuildCaseFlipTable();
  return table;
}

TBlockTable MakeBlockTable(TBlockMode mode, uint8_t fill) {
  TBlockTable t;
  if (mode == TBlockMode::Fill) {
    t.Map.fill(fill);
    t.Map[10] = 10;
    t.Map[13] = 13;
    return t;
  }
  t.Map = CaseFlipTable();
  auto keep = [&t](int first, int last) {
    for (int b = first; b <= last; ++b) t.Map[static_cast<size_t>(b)] = static_cast<uint8_t>(b);
  };
  switch (mode) {
    case TBlockMode::UpperCase:
    case TBlockMode::Capitalise:
      keep('A', 'Z');
      keep(0x80, 0x9B);
      break;
    case TBlockMode::LowerCase:
      keep('a', 'z');
      keep(0xE0, 0xFB);
      for (int b = 0xC0; b <= 0xCB; ++b) t.Remove[static_cast<size_t>(b)] = true;
      break;
    default: break;
  }
  return t;
}

std::vector<uint8_t> TransformBytes(std::span<const uint8_t> text, std::size_t from, std::size_t to,
                                    const TBlockTable& table, TBlockMode mode, std::optional<bool> readingFor) {
  std::optional<TReadingPara> reading;
  if (mode == TBlockMode::Capitalise && readingFor) reading.emplace(text, readingFor);
  // A word starts at the paragraph's start or after a blank, as it reads.
  const auto wordStart = [&](size_t i) {
    if (!reading) return i == 0 || text[i - 1] == ' ';
    const size_t r = reading->ReadingOf(i);
    return r == 0 || reading->Text()[r - 1] == ' ';
  };
  std::vector<uint8_t> out;
  out.reserve(text.size());
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(from));
  for (size_t i = from; i < to; ++i) {
    const uint8_t b = text[i];
    if (table.Remove[b]) continue;
    out.push_back(mode == TBlockMode::Capitalise && !wordStart(i) ? b : table.Map[b]);
  }
  out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(to), text.end());
  return out;
}

void TransformBlock(THebTextEditor& editor, TBlockMode mode, uint8_t fill) {
  const TBlockTable table = MakeBlockTable(mode, fill);
  RewriteSelection(editor, [&](std::span<const uint8_t> text, size_t from, size_t to) {
    return TransformBytes(text, from, to, table, mode, ReadingFor(editor));
  });
}

void UpAndDownBlock(THebTextEditor& editor) {
  const TBlockTable lower = MakeBlockTable(TBlockMode::LowerCase, 0);
  const TBlockTable capitals = MakeBlockTable(TBlockMode::Capitalise, 0);
  RewriteSelection(editor, [&](std::span<const uint8_t> text, size_t from, size_t to) {
    const std::vector<uint8_t> once = TransformBytes(text, from, to, lower, TBlockMode::LowerCase);
    // The points that went shortened the block.
    const size_t end = to - (text.size() - once.size());
    return TransformBytes(once, from, end, capitals, TBlockMode::Capitalise, ReadingFor(editor));
  });
}

void ReverseBlock(THebTextEditor& editor) {
  RewriteSelection(editor, [](std::span<const uint8_t> text, size_t from, size_t to) {
    std::vector<uint8_t> out(text.begin(), text.end());
    if (to - from >= 2) ReverseBytes(std::span<uint8_t>(out).subspan(from, to - from));
    return out;
  });
}

std::vector<uint8_t> StripTags(std::span<const uint8_t> text, bool english) {
  const uint8_t open = english ? '<' : '>';
  const uint8_t close = english ? '>' : '<';
  std::vector<uint8_t> out;
  out.reserve(text.size());
  uint32_t depth = 0;
  bool skip = false;
  for (uint8_t b : text) {
    if (b == open) {
      ++depth;
    } else if (b == close && depth > 0) {
      --depth;
      skip = true;
    }
    if (depth == 0) {
      if (skip) {
        skip = false;  // the closing bracket itself
      } else {
        out.push_back(b);
      }
    }
  }
  return out;
}

}  // namespace nuvel
