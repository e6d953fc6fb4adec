#pragma once
// The program started inside a benchmark, as a user's copy runs it, for
// timing commands through the main window's menu items (MainCommands) with
// their dialogs answered: a private copy of the built program folder with
// an English interface and the given preferences, a settings folder, a home,
// a runtime and a temporary folder, all inside the benchmark's scratch
// folder. The session makes the application object (on the offscreen
// platform) once its folders are set. Messages the program shows are
// printed and counted, never waited on.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "editor/editor_widget_qt.h"
#include "app/program_qt.h"
#include "bench/process_run.h"
#include "bench/scratch_folder.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "platform/message_sink.h"
#include "platform/program_path.h"

namespace nuvel::bench {

// Prints every message instead of showing it, and answers it as nobody
// there would: Cancel, else No, else OK.
class PrintingMessageSink : public platform::MessageSink {
 public:
  PrintingMessageSink() : previous_(platform::SetMessageSink(this)) {}
  ~PrintingMessageSink() override { platform::SetMessageSink(previous_); }
  PrintingMessageSink(const PrintingMessageSink&) = delete;
  PrintingMessageSink& operator=(const PrintingMessageSink&) = delete;
  platform::ModalResult Show(const platform::MessageRequest& request) override {
    std::printf("  (the program said: %s)\n", request.text.c_str());
    ++count;
    return platform::DefaultAnswer(request.buttons);
  }
  int count = 0;

 private:
  platform::MessageSink* previous_;
};

class ProgramSession {
 public:
  // `preferences` are lines of the program folder's INI after the English
  // interface's, e.g. "[GENPREFS]\r\nConversion=2\r\n".
  ProgramSession(const ScratchFolder& scratch, const std::string& preferences) {
    namespace fs = std::filesystem;
    const fs::path built = fs::path(platform::ProgramFile()).parent_path().parent_path() / "program";
    if (!fs::exists(built / "NuvStr.DLL")) throw std::runtime_error("no built program folder at " + built.string());
    const fs::path root = scratch / "program-session";
    program_ = root / "program";
    fs::create_directories(root);
    fs::copy(built, program_, fs::copy_options::recursive);
    fs::remove(program_ / "nuvel");  // the program runs in this process
    WriteFile(program_ / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n" + preferences);
    for (const char* d : {"config", "home", "runtime", "tmp"}) fs::create_directories(root / d);
    fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
    setenv("TMPDIR", (root / "tmp").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "nuvel";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
    platform::SetProgramFolderOverride(program_.string());
    platform::SetUserConfigFolderOverride((root / "config").string());
    ProgPath = program_.string() + "/";
    program = std::make_unique<Program>();
    if (!program->Start({"nuvel"}, nullptr)) throw std::runtime_error("the program did not start");
    form = program->MainForm();
    docs = program->Documents();
    form->resize(1000, 700);
    form->show();
    QApplication::processEvents();
  }
  ~ProgramSession() {
    if (docs != nullptr)
      for (TMDIChild* c : docs->Children()) c->HebDoc().SetModified(false);
    if (form != nullptr) form->close();
    program.reset();
    platform::SetProgramFolderOverride({});
    platform::SetUserConfigFolderOverride({});
    application_.reset();
  }
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  // Opens a file in a maximised document window, as the Open command does.
  TMDIChild& Open(const std::filesystem::path& path) {
    TMDIChild* c = docs->OpenFile(path.string(), 255, false);
    if (c == nullptr) throw std::runtime_error("the program did not open " + path.string());
    c->showMaximized();
    QApplication::processEvents();
    return *c;
  }
  // Closes every document window without asking.
  void CloseAll() {
    for (TMDIChild* c : docs->Children()) {
      c->HebDoc().SetModified(false);
      c->close();
    }
    QApplication::processEvents();
  }

  // Runs a main-window menu item as a click on it does, and answers the
  // seconds until it returned.
  double Run(const char* item) {
    QAction* a = form->Item(item);
    if (a == nullptr || !a->isEnabled()) throw std::runtime_error(std::string("menu item not enabled: ") + item);
    const int missedBefore = missed;
    const auto start = std::chrono::steady_clock::now();
    a->trigger();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (missed != missedBefore) throw std::runtime_error(std::string("no dialog showed for ") + item);
    return seconds;
  }

  // Runs `act` on the modal dialog of type D once it shows, then closes it
  // unless `act` did. A dialog that did not show is counted in `missed`.
  template <typename D>
  void WhenShown(std::function<void(D&)> act) {
    QTimer::singleShot(0, [this, act] {
      auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
      if (dlg == nullptr) {
        ++missed;
        return;
      }
      act(*dlg);
      if (dlg->isVisible()) dlg->reject();
    });
  }
  int missed = 0;

  // A key typed into the focused widget of the window.
  static void TypeKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
  }

  PrintingMessageSink messages;

 private:
  std::unique_ptr<QApplication> application_;

 public:
  std::unique_ptr<Program> program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;

 private:
  std::filesystem::path program_;
};

}  // namespace nuvel::bench
