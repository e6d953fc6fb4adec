#include "app/placeholder_window_qt.h"

namespace nuvel {

std::unique_ptr<QMainWindow> CreatePlaceholderMainWindow() {
  auto window = std::make_unique<QMainWindow>();
  window->setObjectName("MainForm");
  window->setWindowTitle("Nuvel Text Editor");
  window->resize(900, 640);
  return window;
}

}  // namespace nuvel
