#include "app/temporary_document_qt.h"

#include <QMdiSubWindow>

#include "app/main_form_qt.h"
#include "editor/editor_widget_qt.h"

namespace nuvel {

TNvcEditorWidget* OpenTemporaryDocument(TMainForm& form) {
  auto* editor = new TNvcEditorWidget;
  editor->setObjectName("Editor1");
  editor->SetController(form.MainController);
  QMdiSubWindow* window = form.ClientArea->addSubWindow(editor);
  window->setObjectName("MDIChild1");
  window->setWindowTitle("NEWDOC1");
  window->showMaximized();
  editor->setFocus();
  form.HasDocument = [&form] { return !form.ClientArea->subWindowList().isEmpty(); };
  return editor;
}

TNvcEditorWidget* TemporaryDocumentEditor(TMainForm& form) {
  return form.ClientArea->findChild<TNvcEditorWidget*>("Editor1");
}

}  // namespace nuvel
