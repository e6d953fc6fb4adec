#pragma once
// The program's file manager windows: the first one made at start-up
// (shown when it was showing at the last end), a second one shown at
// start-up when [FileManager] Number asks for more than one, more with
// "New FM" up to ten, each with a number of its own. Closing the first
// window closes the others; a later window goes when closed. At the end
// [FileManager] Number keeps how many windows there were, and each window
// its settings. The File Manager menu item, Search | Find a File and its
// toolbar button show the first window; the Window menu lists the first
// and second.
#include <QObject>
#include <memory>
#include <vector>

#include "filemanager/fm_form_qt.h"

class QAction;

namespace nuvel {

class DocumentWindows;
class TMainForm;

class FileManagers : public QObject {
  Q_OBJECT
 public:
  FileManagers(FileManagerHost host, std::shared_ptr<FileManagerPrompts> prompts, QObject* parent = nullptr);
  ~FileManagers() override;

  // Start-up: the first window, and a second one when the settings ask.
  void StartUp();
  // A new window, shown; null when ten are open.
  TFMForm* NewWindow();
  void ShowFirst();

  TFMForm* First() const;
  // The latest window after the first (the Window menu's second entry); null when none.
  TFMForm* Second() const;
  std::vector<TFMForm*> Windows() const;

  // Writes Number, the first window's state and every window's settings.
  void SaveAll();

  // The Window menu's entries for the first and second window.
  void AttachWindowMenu(TMainForm& form);

 private:
  TFMForm* Make();
  void Closed(TFMForm& window);
  void Remove(TFMForm* window);
  void UpdateWindowMenu();

  FileManagerHost host_;
  std::shared_ptr<FileManagerPrompts> prompts_;
  FileWindowNumbers numbers_;
  std::vector<std::unique_ptr<TFMForm>> windows_;
  QAction* firstItem_ = nullptr;
  QAction* secondItem_ = nullptr;
  QString itemCaption_;
};

// The file manager windows of the program, with their commands on the main
// window's menu; owned by `form`.
FileManagers* AttachFileManagers(TMainForm& form, DocumentWindows& docs,
                                 std::shared_ptr<FileManagerPrompts> prompts = nullptr);

}  // namespace nuvel
