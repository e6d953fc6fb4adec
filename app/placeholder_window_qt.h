#pragma once
// The program's main window until the real one is built: the program's
// title, the controller every editor uses, and one editor to type in.
#include <QMainWindow>
#include <memory>

namespace nuvel {

class TNvcEditorWidget;

std::unique_ptr<QMainWindow> CreatePlaceholderMainWindow();

// The editor the window holds.
TNvcEditorWidget* PlaceholderEditor(QMainWindow& window);

}  // namespace nuvel
