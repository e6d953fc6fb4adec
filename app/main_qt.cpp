// Program entry.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Nuvel Text Editor");
  QMainWindow window;
  window.setObjectName("MainForm");
  window.setWindowTitle("Nuvel Text Editor");
  window.resize(900, 640);
  window.show();
  return QApplication::exec();
}
