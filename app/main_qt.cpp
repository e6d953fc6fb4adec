// Program entry.
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/input_script_qt.h"
#include "app/message_sink_qt.h"
#include "app/program_qt.h"
#include "app/single_instance_qt.h"

namespace {

// The input script named by NUVEL_INPUT_SCRIPT, read whole; the program ends
// with code 2 on a script it cannot read, before anything is shown.
bool ReadInputScript(nuvel::InputScript& script) {
  const char* path = std::getenv("NUVEL_INPUT_SCRIPT");
  if (path == nullptr || *path == '\0') return true;
  QFile file(QFile::decodeName(path));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "nuvel: cannot read the input script %s\n", path);
    return false;
  }
  script = nuvel::ParseInputScript(file.readAll().toStdString());
  if (!script.error.empty()) {
    std::fprintf(stderr, "nuvel: input script %s, %s\n", path, script.error.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Nuvel Text Editor");
  nuvel::QtMessageSink message_sink;

  nuvel::InputScript script;
  if (!ReadInputScript(script)) return 2;
  message_sink.EchoToStandardError = !script.steps.empty();

  // The arguments as the system gave them (the library has taken its own
  // out): a file name is bytes, which need not be UTF-8.
  const std::vector<std::string> arguments(argv, argv + argc);
  nuvel::Program program;
  if (!program.Start(arguments, nuvel::SingleInstanceGuard::ForThisProgram())) return program.ExitCode();
  program.ReportStartUpProblems();
  std::unique_ptr<nuvel::InputScriptPlayer> player;
  if (!script.steps.empty()) {
    player = std::make_unique<nuvel::InputScriptPlayer>(std::move(script), *program.MainForm());
    player->Start();
  }
  return QApplication::exec();
}
