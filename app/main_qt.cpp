// Program entry.
#include <QApplication>

#include "app/message_sink_qt.h"
#include "app/program_qt.h"
#include "app/single_instance_qt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Nuvel Text Editor");
  nuvel::QtMessageSink message_sink;

  nuvel::Program program;
  if (!program.Start(QApplication::arguments(), nuvel::SingleInstanceGuard::ForThisProgram())) return program.ExitCode();
  return QApplication::exec();
}
