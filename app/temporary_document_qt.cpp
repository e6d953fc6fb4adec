#include "app/temporary_document_qt.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <memory>

#include "app/main_form_qt.h"
#include "editor/heb_text_editor_widget_qt.h"

namespace nuvel {

namespace {
// The keyboard type of the document's editor, as the Languages menu reaches it.
class TEditorKeyboard : public KeyboardDocument {
 public:
  explicit TEditorKeyboard(THebTextEditorWidget* editor) : editor_(editor) {}
  bool Alive() const { return !editor_.isNull(); }
  TKeytype KeyType() const override { return editor_->HebEditor().KeyType(); }
  void SetKeyType(TKeytype type) override { editor_->HebEditor().SetKeyType(type); }

 private:
  QPointer<THebTextEditorWidget> editor_;
};
}  // namespace

TNvcEditorWidget* OpenTemporaryDocument(TMainForm& form) {
  auto* editor = new THebTextEditorWidget;
  editor->setObjectName("Editor1");
  editor->SetController(form.MainController);
  QMdiSubWindow* window = form.ClientArea->addSubWindow(editor);
  window->setObjectName("MDIChild1");
  window->setWindowTitle("NEWDOC1");
  window->showMaximized();
  editor->setFocus();
  form.HasDocument = [&form] { return !form.ClientArea->subWindowList().isEmpty(); };

  // The Languages menu works on this document: the file's direction, the
  // keyboard type and its layers, and the second language.
  auto keyboard = std::make_shared<TEditorKeyboard>(editor);
  QPointer<THebTextEditorWidget> target(editor);
  form.ActiveKeyboard = [keyboard]() -> KeyboardDocument* { return keyboard->Alive() ? keyboard.get() : nullptr; };
  form.ApplyOptionsToActive = [&form, target] {
    if (target.isNull()) return;
    THebTextEditor& ed = target->HebEditor();
    const KeyboardLanguageModel& kb = form.Keyboard();
    ed.SetEngm(kb.EnglishFile);
    ed.SetOV(kb.Checked == TKeytype::Nikud);
    ed.SetPhKy(kb.Checked == TKeytype::Phonetic);
    ed.SetSEng(kb.SecondLanguage);
  };
  // The menu shows the document as it is: an English file, English keyboard.
  form.Keyboard().EnglishFile = editor->HebEditor().Engm();
  form.CheckKeyboardItem(KeytypeLetter(editor->HebEditor().KeyType()));
  return editor;
}

TNvcEditorWidget* TemporaryDocumentEditor(TMainForm& form) {
  return form.ClientArea->findChild<TNvcEditorWidget*>("Editor1");
}

}  // namespace nuvel
