// Drives a paragraph list with edits, undo and redo, wrap and limit changes
// taken from the input, and checks after each step that the links, totals,
// line tables and index agree, and that no node is lost.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "editor/para_list.h"

namespace {

class TReader {
 public:
  TReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint32_t Small(uint32_t limit) { return limit == 0 ? 0 : Byte() % limit; }
  std::vector<uint8_t> Text() {
    const uint32_t n = Small(24);
    std::vector<uint8_t> out;
    for (uint32_t i = 0; i < n; ++i) {
      uint8_t b = Byte();
      if (b == 0) b = ' ';
      out.push_back(b);
    }
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void Check(nuvel::TNvcParaList& list) {
  auto& nodes = list.Nodes();
  uint32_t count = 0;
  int64_t bytes = 0;
  uint64_t lines = 0;
  nuvel::TParaNodeHandle prev = 0;
  for (nuvel::TParaNodeHandle h = list.Head(); h != 0; h = nodes[h].Next) {
    if (!nodes.IsLive(h) || nodes[h].Prev != prev) std::abort();
    ++count;
    const nuvel::TParaNode& node = nodes[h];
    bytes += node.Length() + 2;
    lines += node.LineCount();
    nuvel::TParaNode fresh;
    fresh.Create(node.Bytes(), list.EffectiveWrapColumn(), list.TabSize());
    auto a = node.LineStarts(), b = fresh.LineStarts();
    if (a.size() != b.size() || !std::equal(a.begin(), a.end(), b.begin())) std::abort();
    if (list.GetParaNode(count) != &node) std::abort();
    prev = h;
  }
  if (prev != list.Tail() || count != list.ParaCount() || count == 0) std::abort();
  if (bytes - 2 != list.ByteCount() || lines != list.LineCount()) std::abort();
  if (nodes.LiveCount() < count) std::abort();
  std::span<const uint8_t> text;
  for (uint32_t line : {1u, list.LineCount() / 2 + 1, list.LineCount()}) {
    if (list.GetLineText(line, text) == nullptr) std::abort();
    uint32_t offset = 0;
    const uint32_t para = list.LineToPara(line, offset);
    if (para < 1 || para > list.ParaCount()) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TReader in(data, size);
  nuvel::TNvcParaList list(nullptr, true, 64 + in.Small(200) * 8);
  list.SetWrapColumn(1 + static_cast<int32_t>(in.Small(20)));
  bool groupWas = false;
  bool inGroup = false;
  while (in.More()) {
    const uint32_t op = in.Small(16);
    const uint32_t para = 1 + in.Small(list.ParaCount() + 1);
    const uint32_t pos = 1 + in.Small(40);
    const bool room = list.ParaCount() < 300 && list.ByteCount() < 20000;
    nuvel::TParaPos caret;
    switch (op) {
      case 0:
        if (room) list.InsertText(nullptr, para, in.Text(), pos);
        break;
      case 1: list.DeleteText(nullptr, para, pos, in.Small(30)); break;
      case 2:
        if (room) list.ReplaceText(nullptr, para, in.Text(), in.Small(10), pos);
        break;
      case 3:
        if (room) {
          uint32_t indent = in.Small(12);
          list.SplitPara(nullptr, para, in.Byte() & 1, indent, in.Small(9), pos);
        }
        break;
      case 4: list.JoinParas(nullptr, para, pos); break;
      case 5: list.DeletePara(nullptr, para); break;
      case 6:
        if (room) list.InsertParaBefore(nullptr, para, in.Text());
        break;
      case 7:
        if (room) list.InsertParaAfter(nullptr, para, in.Text());
        break;
      case 8:
        if (room) {
          std::vector<uint8_t> t = in.Text();
          for (auto& b : t) b = (b % 7 == 0) ? uint8_t{10} : (b % 11 == 0 ? uint8_t{13} : b);
          uint32_t p = para, q = pos;
          list.InsertLines(nullptr, p, t, q);
        }
        break;
      case 9: list.DeleteRange(nullptr, para, pos, 1 + in.Small(list.ParaCount() + 1), 1 + in.Small(40)); break;
      case 10: list.Undo(nullptr, caret); break;
      case 11: list.Redo(nullptr, caret); break;
      case 12:
        if (inGroup) {
          list.UndoBuffer().EndGroup(groupWas);
        } else {
          list.UndoBuffer().BeginGroup(groupWas);
        }
        inGroup = !inGroup;
        break;
      case 13:
        switch (in.Small(6)) {
          case 0: list.SetWrapColumn(static_cast<int32_t>(in.Small(30))); break;
          case 1: list.SetWordWrap(!list.WordWrap()); break;
          case 2: list.SetTabSize(in.Small(10)); break;
          case 3: list.SetParaLengthLimit(in.Small(60)); break;
          case 4: list.SetModified(false); break;
          default: list.SetUndoBufferSize(in.Small(100) * 16); break;
        }
        break;
      case 14:
        if (room) list.AppendPara(in.Text(), in.Byte() & 1);
        break;
      default: {
        int marker = static_cast<int>(in.Small(12));
        if (marker >= 10) marker += 90;
        list.SetMarkerRaw(marker, para, pos);
        break;
      }
    }
    Check(list);
  }
  if (inGroup) list.UndoBuffer().EndGroup(groupWas);
  while (list.CanUndo()) {
    nuvel::TParaPos caret;
    if (list.Undo(nullptr, caret) != 0) break;
    Check(list);
  }
  list.UndoBuffer().Clear();
  if (list.Nodes().LiveCount() != list.ParaCount()) std::abort();
  return 0;
}
