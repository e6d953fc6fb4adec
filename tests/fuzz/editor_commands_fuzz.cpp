// Drives two views of one text through random commands, typing, pastes,
// selections, settings, mouse and scrolling, and checks after every step
// that each view's caret, selection and top line lie inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/custom_editor.h"

namespace {

using nuvel::TNvcCustomEditor;

class FuzzHost : public nuvel::TEditorHost {
 public:
  bool HasWindow() const override { return true; }
  int32_t ClientWidth() const override { return width; }
  int32_t ClientHeight() const override { return height; }
  int32_t width = 200;
  int32_t height = 150;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckView(TNvcCustomEditor& e) {
  const int32_t lines = e.LineCount();
  const int32_t paras = e.ParaCount();
  Check(lines >= 1 && paras >= 1 && paras <= lines);
  Check(e.CaretLine() >= 1 && e.CaretLine() <= lines);
  Check(e.CaretPara() >= 1 && e.CaretPara() <= paras);
  Check(e.CaretCol() >= 1);
  Check(e.TopLine() >= 1 && e.TopLine() <= lines);
  for (const auto* p : {&e.SelBegin(), &e.SelEnd()}) {
    Check(p->Para >= 1 && p->Para <= paras);
    Check(p->Pos >= 1 && p->Pos <= e.ParaLength(p->Para) + 1);
  }
  Check(!(e.SelEnd() < e.SelBegin()));
  std::string text = e.Text();
  Check(static_cast<int64_t>(text.size()) == e.TextLength());
}

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool More() const { return at < size; }
  uint8_t Next() { return at < size ? data[at++] : 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHost hostA, hostB;
  TNvcCustomEditor a, b;
  a.SetHost(&hostA);
  b.SetHost(&hostB);
  a.WindowCreated();
  b.WindowCreated();
  a.OnError = [](TNvcCustomEditor&, uint16_t&) {};
  b.OnError = [](TNvcCustomEditor&, uint16_t&) {};
  a.LoadString("alpha beta  gamma\r\n\tdelta, epsilon\r\n\r\nzeta");
  b.Attach(&a);
  Reader in{data, size};
  int steps = 0;
  while (in.More() && ++steps < 400) {
    TNvcCustomEditor& e = (in.Next() & 1) != 0 ? a : b;
    FuzzHost& host = &e == &a ? hostA : hostB;
    const uint8_t op = in.Next();
    switch (op % 12) {
      case 0:
      case 1: {
        const uint8_t c = in.Next();
        e.DoCommand(static_cast<nuvel::TNvcCommand>(c % 76), in.Next());
        break;
      }
      case 2: e.DoCommand(nuvel::ccChar, static_cast<uint8_t>(32 + in.Next() % 95)); break;
      case 3: {
        std::string s;
        for (int n = in.Next() % 12; n > 0; --n) {
          const uint8_t c = in.Next();
          s.push_back(c % 5 == 0 ? '\n' : c % 7 == 0 ? '\r' : static_cast<char>(32 + c % 95));
        }
        e.InsertString(s);
        break;
      }
      case 4:
        e.SetSelection(in.Next() % 8, in.Next() % 30, in.Next() % 8, in.Next() % 30, (in.Next() & 1) != 0);
        break;
      case 5:
        switch (in.Next() % 9) {
          case 0: e.SetWordWrap(!e.WordWrap()); break;
          case 1: e.SetWrapColumn(1 + in.Next() % 20); break;
          case 2: e.SetScrollPastEnd(!e.ScrollPastEnd()); break;
          case 3: e.SetTabType(static_cast<nuvel::TTabType>(in.Next() % 3)); break;
          case 4: e.SetAutoIndent(!e.AutoIndent()); break;
          case 5: e.SetTabSize(static_cast<uint8_t>(1 + in.Next() % 9)); break;
          case 6: e.SetParaLengthLimit(5 + in.Next() % 60); break;
          case 7: e.SetReadOnly(!e.ReadOnly()); break;
          case 8: e.SetWrapAtLeft(!e.WrapAtLeft()); break;
        }
        break;
      case 6: {
        const int32_t x = in.Next() * 2 - 40;
        const int32_t y = in.Next() * 2 - 60;
        if (e.MouseDown(x, y, (in.Next() & 1) != 0)) {
          e.MouseDragPass(in.Next() * 2 - 40, in.Next() * 2 - 60);
          e.MouseUp();
        }
        break;
      }
      case 7: e.MouseDoubleClick(in.Next() * 2 - 40, in.Next() * 2 - 60, (in.Next() & 1) != 0); break;
      case 8: e.MouseWheel({}, (in.Next() - 128) * 4, 0, 0); break;
      case 9: ((in.Next() & 1) != 0) ? e.Undo() : e.Redo(); break;
      case 10:
        host.width = 20 + in.Next();
        host.height = 10 + in.Next();
        e.Resized();
        break;
      case 11: e.VertScrollTo(in.Next() % 40); break;
    }
    CheckView(a);
    CheckView(b);
    Check(a.Text() == b.Text());
  }
  b.SetHost(nullptr);
  a.SetHost(nullptr);
  return 0;
}
