#include "app/placeholder_window_qt.h"

#include "core/controller_qt.h"
#include "editor/editor_widget_qt.h"

namespace nuvel {

std::unique_ptr<QMainWindow> CreatePlaceholderMainWindow() {
  auto window = std::make_unique<QMainWindow>();
  window->setObjectName("MainForm");
  window->setWindowTitle("Nuvel Text Editor");
  window->resize(900, 640);
  auto* controller = new TNvcController(window.get());
  controller->setObjectName("MainController");
  auto* editor = new TNvcEditorWidget(window.get());
  editor->setObjectName("Editor1");
  editor->SetController(controller);
  window->setCentralWidget(editor);
  editor->setFocus();
  return window;
}

TNvcEditorWidget* PlaceholderEditor(QMainWindow& window) {
  return window.findChild<TNvcEditorWidget*>("Editor1");
}

}  // namespace nuvel
