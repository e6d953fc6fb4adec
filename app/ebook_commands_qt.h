#pragma once
// The e-book commands of the main window and the document windows: Palm
// e-books open into document windows and are written back from them, their
// bookmarks show in the Palm menu and in the window's popup menu, and a
// document is handed to the Palm desktop for installation. The desktop is
// looked for once, when the commands are attached.
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/ebook_dialogs_qt.h"
#include "app/ebook_menu_model.h"

class QMenu;

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMDIChild;
class TSettings;

// Makes the e-book dialogs; tests put scripted ones in their place.
using EbookDialogsFactory = std::function<std::unique_ptr<EbookDialogs>(QWidget* parent)>;
EbookDialogsFactory SetEbookDialogsFactory(EbookDialogsFactory factory);

class EbookCommands : public QObject {
  Q_OBJECT
 public:
  // `palm` is the main window's Palm menu (null: no menu to keep bookmark items in).
  EbookCommands(MainCommands& commands, DocumentWindows& docs, QMenu* palm);
  ~EbookCommands() override;

  bool PalmEnabled() const { return palmEnabled_; }
  TSettings& Settings() const { return *settings_; }

  // The e-book road of opening: `name` into the window's editor.
  void LoadPdbDocument(TMDIChild& child, const std::string& name);
  // Writes the window's document as the e-book `name`; false, after saying
  // why, when it must not be written.
  bool SavePdbDocument(TMDIChild& child, const std::string& name);
  // Builds the Palm menu's bookmark items for the active window again.
  void RefreshBookmarkMenus();
  // Puts the active editor's caret on bookmark `index`.
  void JumpToBookmark(int index);
  // The popup menu's e-book items for `child`.
  void AddPopupItems(TMDIChild& child, QMenu& menu);

  // The commands.
  void AddPDBClick();
  void Update1Click();
  void Rename1Click();
  void Delete2Click();
  void MoreBookmarks1Click();
  void Properties2Click();
  void Settings1Click();
  void Install1Click();
  void InstallonPalm1Click();
  void CheckPalm1Click();

 private:
  void ProbeDesktop();
  EbookMenuState StateNow() const;
  TMDIChild* EbookChild() const;
  std::optional<int> ChooseBookmark(uint32_t engId);
  std::optional<std::string> AskBookmarkName(uint32_t promptEng);
  void MarkChanged(TMDIChild& child);
  // Hands `file` to the desktop: at once for its only user, else for the
  // user chosen.
  void InstallDialog(const std::string& file);
  EbookDialogs& Dialogs();

  MainCommands& commands_;
  DocumentWindows& docs_;
  QPointer<QMenu> palm_;
  bool palmEnabled_ = false;
  bool peanutNoteShown_ = false;
  std::unique_ptr<TSettings> settings_;
  std::unique_ptr<EbookDialogs> dialogs_;
};

// Attaches the e-book commands to the main window's commands and document
// windows; owned by `docs`.
EbookCommands* AttachEbookCommands(MainCommands& commands, DocumentWindows& docs, QMenu* palm);

}  // namespace nuvel
