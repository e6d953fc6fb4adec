#include "app/edit_commands_qt.h"

#include <string>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "core/command_numbers.h"
#include "editor/custom_editor.h"
#include "editor/editor_widget_qt.h"

namespace nuvel {

namespace {

// After a cut or copy in another window, the collecting window's current
// editor takes the text at its caret, followed by a new line.
void CollectInto(DocumentWindows& docs) {
  TMDIChild* target = docs.CollectTarget;
  if (!target || target == docs.ActiveChild()) return;
  TNvcCustomEditor& e = target->CurrentEditor()->Editor();
  e.PasteFromClipboard();
  e.DoCommand(ccNewLine, 0);
}

}  // namespace

void AttachEditCommands(MainCommands& on, DocumentWindows& docs) {
  // Runs `f` on the active window's current editor, when there is one.
  auto onEditor = [&on, &docs](const char* item, auto f) {
    on.On(item, [&docs, f] {
      if (TMDIChild* c = docs.ActiveChild()) f(c->CurrentEditor()->Editor());
    });
  };
  auto command = [&onEditor](const char* item, TNvcCommand cmd) {
    onEditor(item, [cmd](TNvcCustomEditor& e) { e.DoCommand(cmd, 0); });
  };
  for (const char* item : {"Undo1", "Undo2"}) onEditor(item, [](TNvcCustomEditor& e) { e.Undo(); });
  for (const char* item : {"Redo1", "Redo2"}) onEditor(item, [](TNvcCustomEditor& e) { e.Redo(); });
  for (const char* item : {"Cut1", "Cut2"}) {
    onEditor(item, [&docs](TNvcCustomEditor& e) {
      e.CutToClipboard();
      CollectInto(docs);
    });
  }
  for (const char* item : {"Copy1", "Copy2"}) {
    onEditor(item, [&docs](TNvcCustomEditor& e) {
      if (e.CopyToClipboard()) CollectInto(docs);
    });
  }
  for (const char* item : {"Paste1", "Paste2"}) onEditor(item, [](TNvcCustomEditor& e) { e.PasteFromClipboard(); });
  command("Delete1", ccDel);
  onEditor("SelectAll1", [](TNvcCustomEditor& e) {
    if (e.LineCount() > 0) e.SelectAll(true);
  });
  on.On("ReadOnly1", [&docs] {
    if (TMDIChild* c = docs.ActiveChild()) c->ApplyOptions();
  });

  // The WordStar command menu.
  command("DeleteWordCtrlY1", ccDelWord);
  command("DeleteLineCtrlY1", ccDelLine);
  command("DeletetoEndofLineCtrlQY1", ccDelEol);
  command("DeletetoBeginofLineCtrlQT1", ccDelBol);
  for (int n = 0; n < 10; ++n) {
    const std::string digit = std::to_string(n);
    const std::string set = "SetMark" + digit, go = "GoTo" + digit;
    on.On(QString::fromStdString(set), [&docs, n] {
      if (TMDIChild* c = docs.ActiveChild())
        c->CurrentEditor()->Editor().DoCommand(static_cast<TNvcCommand>(ccSetMarker0 + n), 0);
    });
    on.On(QString::fromStdString(go), [&docs, n] {
      if (TMDIChild* c = docs.ActiveChild())
        c->CurrentEditor()->Editor().DoCommand(static_cast<TNvcCommand>(ccGotoMarker0 + n), 0);
    });
  }
  const struct {
    const char* item;
    TNvcCommand user;
  } blocks[] = {{"PermanentBlockBegin1", 314},
                {"PermanentBlockEndCtrlKK1", 315},
                {"PermanentBlockCopyCtrlKP1", 316},
                {"PermanentBlockDelCtrlKY1", 317},
                {"PermanentBlockMoveCtrlKU1", 318}};
  for (const auto& b : blocks) {
    const TNvcCommand user = b.user;
    on.On(b.item, [&docs, user] {
      if (TMDIChild* c = docs.ActiveChild()) c->EditorUserCommand(user);
    });
  }
}

}  // namespace nuvel
