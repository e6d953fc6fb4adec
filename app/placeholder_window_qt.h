#pragma once
// The program's main window until the real one is built: an empty window
// with the program's title.
#include <QMainWindow>
#include <memory>

namespace nuvel {

std::unique_ptr<QMainWindow> CreatePlaceholderMainWindow();

}  // namespace nuvel
