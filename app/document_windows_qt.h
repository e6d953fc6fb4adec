#pragma once
// The document windows of the main window and the file commands on them:
// New, Open, Save, Save As, Close, Close All, Collect All, the reopen list,
// dropped files; the tab bar kept in step with the windows (each tab holds
// its window); the status-bar panels and the enabled buttons; the
// one-second timer; the window arrangement commands.
//
// It works on the parts of a main window handed to it in a DocumentFrame,
// so that it does not depend on how that window is built.
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QObject>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_rules.h"
#include "app/main_commands_qt.h"
#include "app/file_prompts.h"
#include "app/main_options.h"
#include "app/main_timer.h"
#include "app/new_doc_numbers.h"
#include "platform/file_facts.h"

class QAbstractButton;
class QMenu;
class QToolBar;

namespace nuvel {

class TMDIChild;
class THebTextEditor;
class TNvcController;

inline constexpr char kPanelWidthProperty[] = "nuvelPanelWidth";

struct DocumentFrame {
  QMainWindow* window = nullptr;
  QMdiArea* area = nullptr;
  TNvcController* controller = nullptr;
  // The main window's menu item and toolbar button of a component name; null when absent.
  std::function<QAction*(const QString&)> item;
  std::function<QAbstractButton*(const QString&)> button;
  // Panel2 .. Panel8 of the status bar (may be empty). A panel that carries
  // its own width in the property kPanelWidthProperty grows past it for a
  // text that needs more.
  std::vector<QLabel*> panels;
  // The main window's options; null: the document windows keep their own.
  MainOptions* options = nullptr;
  // The main window's command routing; null: the document windows route
  // the frame's items and buttons themselves.
  MainCommands* commands = nullptr;
};

class DocumentWindows : public QObject {
  Q_OBJECT
  // Declared first: Options refers to it when the frame brings no options.
  std::unique_ptr<MainOptions> ownOptions_;

 public:
  explicit DocumentWindows(DocumentFrame frame, QObject* parent = nullptr);
  ~DocumentWindows() override;

  // The main window's options (the frame's, else a copy of their defaults
  // of this object's own).
  MainOptions& Options;
  std::string SaveChangesFmt = "Save changes to %s?";
  std::string CloseCollectFmt = "%s is collecting text. Close it?";
  NewDocNumberSet NewDocNumbers;
  // The folder the last file was opened from (the open dialog's second choice).
  std::string LastOpenFolder;
  // The last search string, which Find Next searches for again.
  std::string SearchString;
  QPointer<TMDIChild> CollectTarget;
  // Plays a recorded-macro file (empty: ask for one); unset until the player exists.
  std::function<void(const std::string&)> PlayMacroFileHandler;
  // The main window follows the activated window's editor (its language checks).
  std::function<void(TMDIChild&)> OnChildActivated;
  // Copies the main window's language options into a bilingual editor.
  std::function<void(THebTextEditor&)> ApplyLanguageOptions;
  // An opened file chose its window's direction by its content: the main
  // window takes the direction before the window takes its options
  // (`active` false), and sets the keyboard by it once the window is active.
  std::function<void(TMDIChild&, bool active)> OnDirectionFromFile;
  // The reopen menu takes a name (set by the menu lists).
  std::function<void(const std::string&)> OnReopenAdd;
  // Runs a built-in filter over the active document; unset until the filters exist.
  std::function<void(int kind)> BuiltInFilterHandler;
  // A file was opened into a new window (OpenFile); the filters protect it.
  std::function<void(TMDIChild&)> OnFileOpened;
  // Palm e-books (.pdb, .prc) are read into a window and written from it
  // by the e-book commands; unset, they go the way of every other file.
  std::function<void(TMDIChild&, const std::string&)> LoadEbook;
  std::function<bool(TMDIChild&, const std::string&)> SaveEbook;
  // The e-book commands add their items to a document window's popup menu.
  std::function<void(TMDIChild&, QMenu&)> OnChildPopup;
  // Reads `name` into the window's document: an e-book by LoadEbook, any
  // other file by the editor's own load. Throws when it cannot be read.
  void LoadChildFile(TMDIChild& child, const std::string& name);

  // The file dialogs and the file-name prompt; the Qt dialogs unless
  // replaced (tests answer them).
  void SetPrompts(FilePrompts* prompts) { prompts_ = prompts; }
  FilePrompts& Prompts() const { return *prompts_; }

  QTabBar* TabCtrl() const { return tabs_; }
  QToolBar* TabBar() const { return tabBar_; }
  QMdiArea* Area() const { return frame_.area; }
  TNvcController* Controller() const { return frame_.controller; }
  QAction* Item(const QString& name) const { return frame_.item ? frame_.item(name) : nullptr; }
  // The command routing; null once the main window is going.
  MainCommands* Commands() const { return commands_; }
  // What the command rules look at, from the active window.
  CommandState CommandStateNow() const;
  bool Checked(const char* name) const;
  // Triggers the main window's menu item of that name, when it has one.
  void RunItem(const QString& name);
  void PlayMacroFile(const std::string& name);
  void RunBuiltInFilter(int kind);

  std::vector<TMDIChild*> Children() const;
  TMDIChild* ActiveChild() const;
  // The window whose caption is exactly `name`, or null.
  TMDIChild* FindChild(const std::string& name) const;

  // ---- File commands ----
  // With `conversionMode`, the document converts by that mode instead of
  // the program's.
  TMDIChild* CreateMDIChild(const std::string& name, bool noLoad, uint8_t diskFormat,
                            std::optional<int> conversionMode = std::nullopt);
  // Nothing when all 255 untitled numbers are in use (after saying so).
  TMDIChild* New1Click();
  bool ActivateIfOpen(const std::string& name);
  TMDIChild* OpenFile(const std::string& name, uint8_t diskFormat, bool addToReopen);
  bool OpenListEntry(const std::string& name);
  void UpdateReopenList(const std::string& name);
  void OpenWithDialog(const std::string& title);
  // The names chosen in the open dialog, starting in `folder`.
  std::vector<std::string> PromptOpenNames(const std::string& title, const std::string& folder);
  // The format buttons and Toggle Type: the preference DISK_FMT.
  void ConvBtnClick(int format);
  void ToggleType1Click();
  // Open: the program's own file-name prompt when NuvelDlg is set (its
  // history the file-name history), else the open dialog.
  void Open1Click();
  // Open with a forced disk format (0 Windows, 1 DOS, 2 DOS text): every
  // chosen file not open yet, whether it exists or not.
  void OpenSpecial(int format);
  void Save1Click();
  bool SaveAs1Click(bool fromTimer = false);
  void Close1Click();
  void CloseAll1Click();
  void CollectAll1Click();
  // Files dropped on the main window: an open one is activated, others opened;
  // one file goes into the reopen list, several do not.
  void DropFiles(const std::vector<std::string>& names);

  // ---- Used by the document windows ----
  bool SaveChild(TMDIChild& child);
  bool SaveChildAs(TMDIChild& child, bool fromTimer);
  void StopCollecting();
  std::string SaveChangesText(const std::string& caption) const;
  std::string CloseCollectText(const std::string& caption) const;
  void ChildClosing(TMDIChild* child);
  void ChildDestroyed(TMDIChild* child);
  void RenameChild(TMDIChild& child, const std::string& caption);

  // ---- Tabs, status and buttons ----
  std::string TabCaptionOf(const std::string& name) const;
  void UpdateStatusBar();
  void UpdateButtons();
  void Timer1Timer();
  QTimer* Timer1() const { return timer_; }

  // ---- Window commands ----
  void Cascade1Click();
  void TileH1Click();
  void TileVertical1Click();
  void MinimizeAll1Click();
  void RestoreAll1Click();
  void NextWindow1Click();
  // Every window that is neither minimized nor maximized and does not fit
  // the window area is made to: as much of it as fits, moved inside. Runs
  // whenever the area changes size.
  void FitWindowsInArea();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectItems();
  void SubWindowActivated(QMdiSubWindow* w);
  void TabCtrlChange(int index);
  int TabOf(const TMDIChild* child) const;
  void PressFormatButton(int diskFormat);
  void PlaceCascaded(TMDIChild& child, int index);
  void ShowFileNotFound(const std::string& name);
  // False, after saying why, when `name` is a folder, a device or a pipe.
  bool RefuseNonDocument(const std::string& name);

 public:
  // ---- The files behind the documents (document_files_qt.cpp) ----
  // Writes the document under `name`; a failure is shown, and a read-only
  // file offers Save As. True when the file now holds the document.
  bool SaveChildTo(TMDIChild& child, const std::string& name);
  // True when the document may be written over `name`: the file is as it
  // was when read or written here, or the user says to replace another
  // program's changes. `quiet` (autosave) asks only about a change not
  // answered before.
  bool MayReplaceFile(TMDIChild& child, const std::string& name, bool quiet);
  // Offers to load the document's file again when another program changed
  // it while it is open and unmodified here (once for each change).
  void OfferReload(TMDIChild& child);
  // Checks the active document's file (the program has come forward).
  void CheckActiveFile();
  // Before `name` is opened: when a save into it was cut off (the program
  // was killed while it wrote the file in place), says which copy holds its
  // text from before that save and offers to put that text back. Either
  // answer ends the matter: the copy goes unless it is the backup file.
  void OfferUnfinishedSaves(const std::string& name);

 private:
  // The file's stamp a question about it was last answered for, by window.
  std::map<const TMDIChild*, platform::FileStamp> answeredStamps_;

  DocumentFrame frame_;
  QPointer<QTabBar> tabs_;
  QToolBar* tabBar_ = nullptr;
  QTimer* timer_ = nullptr;
  std::unique_ptr<FilePrompts> ownPrompts_;
  QPointer<MainCommands> commands_;
  bool clipboardHasText_ = false;
  FilePrompts* prompts_ = nullptr;
  bool syncingTabs_ = false;
};

}  // namespace nuvel
