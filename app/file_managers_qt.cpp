#include "app/file_managers_qt.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "app/document_windows_qt.h"
#include "app/file_manager_count.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "filemanager/file_viewers_qt.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

FileManagers::FileManagers(FileManagerHost host, std::shared_ptr<FileManagerPrompts> prompts, QObject* parent)
    : QObject(parent), host_(std::move(host)), prompts_(std::move(prompts)) {
  host_.newWindow = [this] { NewWindow(); };
}

FileManagers::~FileManagers() {
  for (auto& w : windows_) w->OnClosed = nullptr;
  windows_.clear();
}

void FileManagers::SaveAll() {
  WriteIniString("FileManager", "Number", std::to_string(std::max<size_t>(windows_.size(), 1)));
  if (TFMForm* first = First()) {
    const char state = first->isMinimized() ? '1' : first->isMaximized() ? '2' : '0';
    WriteIniString("FileManager", "WindowState", std::string(1, state));
  }
  for (auto& w : windows_) w->SaveWindowSettings();
}

TFMForm* FileManagers::Make() {
  const auto number = numbers_.Take();
  if (!number) return nullptr;
  auto window = std::make_unique<TFMForm>(*number, host_, prompts_);
  window->OnClosed = [this](TFMForm& w) { Closed(w); };
  if (!EngPrompts) SetHebCaps(window.get(), "SetHebCaps_FMForm");
  windows_.push_back(std::move(window));
  UpdateWindowMenu();
  return windows_.back().get();
}

void FileManagers::StartUp() {
  TFMForm* first = Make();
  if (first && ReadIniString("FileManager", "Showing") == "1") first->show();
  if (FileManagerWindowCount(ReadIniString("FileManager", "Number")) > 1) {
    if (TFMForm* second = Make()) second->show();
  }
}

TFMForm* FileManagers::NewWindow() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TFMForm* w = Make();
  QApplication::restoreOverrideCursor();
  if (w) w->show();
  return w;
}

void FileManagers::ShowFirst() {
  TFMForm* first = First();
  if (!first) first = Make();
  if (!first) return;
  if (first->isMinimized()) first->showNormal();
  first->show();
  first->raise();
  first->activateWindow();
}

TFMForm* FileManagers::First() const {
  for (const auto& w : windows_) {
    if (w->Number() == 1) return w.get();
  }
  return nullptr;
}

TFMForm* FileManagers::Second() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->Number() != 1) return it->get();
  }
  return nullptr;
}

std::vector<TFMForm*> FileManagers::Windows() const {
  std::vector<TFMForm*> out;
  for (const auto& w : windows_) out.push_back(w.get());
  return out;
}

void FileManagers::Closed(TFMForm& window) {
  if (window.Number() == 1) {
    // The first window stays, hidden; the others go with it.
    for (TFMForm* w : Windows()) {
      if (w != &window) Remove(w);
    }
    return;
  }
  Remove(&window);
}

void FileManagers::Remove(TFMForm* window) {
  window->OnClosed = nullptr;
  window->hide();
  window->SaveWindowSettings();
  numbers_.Release(window->Number());
  // Freed once the event that closed it is done with it.
  for (auto it = windows_.begin(); it != windows_.end(); ++it) {
    if (it->get() == window) {
      it->release()->deleteLater();
      windows_.erase(it);
      break;
    }
  }
  UpdateWindowMenu();
}

void FileManagers::AttachWindowMenu(TMainForm& form) {
  QMenu* menu = form.Menu(QStringLiteral("Window1"));
  if (!menu) return;
  itemCaption_ = EngPrompts ? QStringLiteral("File Manager ")
                            : FromSystemText(GetMessageText(41669, 41669)) + QLatin1Char(' ');
  menu->addSeparator();
  firstItem_ = menu->addAction(itemCaption_);
  firstItem_->setObjectName(QStringLiteral("FileForm1"));
  connect(firstItem_, &QAction::triggered, this, [this] { ShowFirst(); });
  secondItem_ = menu->addAction(itemCaption_ + QStringLiteral(":2"));
  secondItem_->setObjectName(QStringLiteral("FileForm2"));
  connect(secondItem_, &QAction::triggered, this, [this] {
    if (TFMForm* w = Second()) {
      w->show();
      w->raise();
      w->activateWindow();
    }
  });
  UpdateWindowMenu();
}

void FileManagers::UpdateWindowMenu() {
  if (!firstItem_) return;
  TFMForm* second = Second();
  firstItem_->setText(second ? itemCaption_ + QStringLiteral(":1") : itemCaption_);
  secondItem_->setVisible(second != nullptr);
  if (second) secondItem_->setText(itemCaption_ + QString::fromStdString(FileWindowCaptionEnd(second->Number())));
}

FileManagers* AttachFileManagers(TMainForm& form, DocumentWindows& docs, std::shared_ptr<FileManagerPrompts> prompts) {
  FileManagerHost host;
  host.activateIfOpen = [&docs](const std::string& path) { return docs.ActivateIfOpen(path); };
  host.openFile = [&docs](const std::string& path, int format) {
    docs.OpenFile(path, static_cast<uint8_t>(format), true);
  };
  // View shows the file in a file view window of its own.
  if (ProgramFileViewers() != nullptr) {
    host.viewFile = [](const std::string& path) {
      if (TFileViewers* viewers = ProgramFileViewers()) viewers->View(path);
    };
  }
  host.formatChosen = [&docs] {
    if (TMDIChild* child = docs.ActiveChild()) child->HebDoc().SetDisk_Conv(255);
  };
  MainCommands* commands = form.Commands;
  host.formatLocked = [commands] { return commands && commands->State ? commands->State().formatLocked : false; };
  auto* managers = new FileManagers(std::move(host), std::move(prompts), &form);
  if (commands) {
    commands->On("FileManager1", [managers] { managers->ShowFirst(); });
    // There is no shell search to hand over to: the file manager is where files are found.
    commands->On("FindaFile1", [managers] { managers->ShowFirst(); });
  }
  managers->AttachWindowMenu(form);
  form.SaveToolWindows = [managers] { managers->SaveAll(); };
  return managers;
}

}  // namespace nuvel
