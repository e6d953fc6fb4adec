#pragma once
// The program's start-up, in order: the single-instance guard (a later
// start hands its file to the running copy and ends), the shared state and
// the settings, the conversion mode, the splash window, the main window with
// its document windows, the file manager windows, and the message loop.
#include <QStringList>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/single_instance_qt.h"

namespace nuvel {

class DocumentWindows;
class FileManagers;
class TFMForm;
class TMainForm;

class Program {
 public:
  Program();
  ~Program();

  // Runs start-up up to the message loop. False when this start must end
  // at once: another copy runs (it was handed the file) or the program
  // folder is unknown. `guard` may be null to start without one.
  // `arguments` are the command line's bytes, the program's name first.
  bool Start(const std::vector<std::string>& arguments, std::unique_ptr<SingleInstanceGuard> guard);

  // Data files missing or damaged, or a settings folder that cannot be
  // written: told in one message once the main window is up; the program
  // runs on. Called by the program's entry after Start.
  void ReportStartUpProblems();

  // The exit code when Start gave false.
  int ExitCode() const { return exitCode_; }

  TMainForm* MainForm() const { return form_.get(); }
  DocumentWindows* Documents() const { return docs_; }
  FileManagers* FileWindows() const { return fileManagers_; }
  // The first file manager window, and the second when there is one.
  TFMForm* FileForm1() const;
  TFMForm* FileForm2() const;

 private:
  int exitCode_ = 0;
  std::unique_ptr<SingleInstanceGuard> guard_;
  std::unique_ptr<QWidget> splash_;
  std::unique_ptr<TMainForm> form_;
  DocumentWindows* docs_ = nullptr;
  FileManagers* fileManagers_ = nullptr;  // owned by the main window
};

// The splash window shown while the program starts.
std::unique_ptr<QWidget> CreateSplashForm();

}  // namespace nuvel
