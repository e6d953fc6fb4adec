#pragma once
// The document window: an MDI child holding the editor of one document, or
// two editors on one text in split view (a vertical splitter, the main
// editor below). Commands act on the editor that last had focus. Every
// editor's user commands (256 and up) end here.
#include <QMdiSubWindow>
#include <QPointer>
#include <QList>
#include <memory>
#include <string>
#include <string_view>

#include "app/editor_look_qt.h"
#include "core/command_numbers.h"

class QSplitter;

namespace nuvel {

class DocumentWindows;
class TDocFile;
class TNvcEditorWidget;
class TNvcCustomTextFileEditor;
class THebTextEditor;

class TMDIChild : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit TMDIChild(DocumentWindows& owner);
  ~TMDIChild() override;

  TNvcEditorWidget* Editor() const { return editor_; }
  // The main editor as the bilingual editor it is.
  THebTextEditor& HebDoc() const;
  TNvcEditorWidget* TopEditor() const { return topEditor_; }
  TNvcEditorWidget* CurrentEditor() const { return current_; }
  // The document's editor model (the main editor's).
  TNvcCustomTextFileEditor& Doc() const;
  TNvcCustomTextFileEditor& CurrentDoc() const;

  // The caption: the document's full file name, or "NEWDOC" and a number.
  std::string Caption() const;
  void SetCaption(std::string_view caption);

  bool SplitView() const { return topEditor_ != nullptr; }
  void ToggleSplit();

  // Copies the main window's options into both editors.
  void ApplyOptions();
  void ApplyEditorOptions(TNvcEditorWidget& editor);
  // The colours, control characters and Tab key of both editors.
  const EditorLook& Look() const { return look_; }
  void SetLook(const EditorLook& look);

  // A user command of one of the editors.
  void EditorUserCommand(TNvcCommand command);
  // Plays a key-macro text on the current editor.
  void PlayMacroText(std::string_view text);

  // The e-book the document was read from or last written to; null when
  // the document is no e-book.
  std::unique_ptr<TDocFile> DocFile;

  // Closes without asking (after the file commands asked already).
  bool closeQueried() const { return closeAccepted_; }

  // Held while a command works on the window and may wait on the user (a
  // question, a dialog, the name prompt). A close of the window meanwhile
  // closes the dialogs opened since, as if cancelled, and keeps the window
  // until the command is over; the command then ends as cancelled.
  class InUse {
   public:
    explicit InUse(TMDIChild& child);
    ~InUse();
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;
    // The window was closed while the command waited.
    bool Closed() const { return child_.closedInUse_; }

   private:
    TMDIChild& child_;
  };

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  TNvcEditorWidget* MakeEditor();
  bool FormKeyDown(QKeyEvent* key);
  void BlockCommand(TNvcCommand command);
  void MacroFindReplace(bool replace);

  DocumentWindows& owner_;
  QPointer<QObject> ownerAlive_;  // the owner may go first when the main window closes
  QSplitter* splitter_ = nullptr;
  TNvcEditorWidget* editor_ = nullptr;
  TNvcEditorWidget* topEditor_ = nullptr;
  TNvcEditorWidget* current_ = nullptr;
  int lastClientHeight_ = 0;
  bool closeAccepted_ = false;
  int uses_ = 0;                          // commands in progress, one within the other
  QList<QPointer<QWidget>> dialogsBefore_;  // the modal dialogs open when the outermost began
  bool closedInUse_ = false;
  EditorLook look_;
  std::string macroBuf_;
  std::string caption_;  // the document's full file name, or NEWDOC and a number  // the macro text being played, for find and replace
};

// Types one byte of a key macro on an editor as if it was pressed.
void TypeMacroByte(TNvcEditorWidget& editor, uint8_t byte);

}  // namespace nuvel
