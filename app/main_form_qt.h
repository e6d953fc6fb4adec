#pragma once
// The main window: the MDI frame with the menus, the toolbar panel, the status
// bar panels, the one controller every editor uses, the option state the
// document windows copy, the interface language and the keyboard-language
// commands, and the application-wide key filter.
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QRect>
#include <QTranslator>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form_settings.h"
#include "app/main_options.h"
#include "core/controller_qt.h"
#include "ui/keyboard_language.h"
#include "ui/main_message_formats.h"

namespace nuvel {

class MainCommands;
class TMacroMagic;

// A toolbar glyph from the program folder's icons/ (copied there from the
// icon theme by the build); null when the program folder has none.
QIcon ToolbarIcon(const QString& name);

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // Builds the window and runs its creation steps (FormCreate).
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Components by their names.
  TNvcController* MainController = nullptr;
  // The routing of the menu items' and toolbar buttons' commands.
  MainCommands* Commands = nullptr;
  TMacroMagic* MacroMagic = nullptr;  // the keystroke recorder and player
  QMdiArea* ClientArea = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QWidget* SpeedPanel = nullptr;
  QWidget* Panel1 = nullptr;
  QLabel* Panel1Hint = nullptr;        // the hint text that Panel1 shows
  std::vector<QLabel*> Panels;         // Panel2 .. Panel8
  QLabel* Panel8 = nullptr;            // the clock

  // The menu item (or the action of a submenu) of that component name; null when there is none.
  QAction* Item(const QString& name) const;
  // True once the first activation opened the command line's file.
  bool FirstActivationDone() const { return !firstActivation_; }
  QMenu* Menu(const QString& name) const;
  QToolButton* Button(const QString& name) const;

  // The options; the document windows and the tools read this one copy.
  MainOptions Options;
  // FileInfoFmt, SaveChangesFmt, CloseCollectFmt and the other formats.
  MainMessageFormats Formats;

  KeyboardLanguageModel& Keyboard() { return keyboard_; }

  // What the document windows give the main window; unset while there are none.
  std::function<KeyboardDocument*()> ActiveKeyboard;       // the active document's editor keyboard
  std::function<void(uint16_t command)> ActiveUserCommand;  // a user command for the active document
  std::function<bool()> HasDocument;                        // some document window is open
  std::function<void()> ApplyOptionsToActive;
  // The user's choice of the active document's direction (see
  // THebTextEditor::ChooseDirection), before the options follow it.
  std::function<void(bool english)> ChooseDirection;
  std::function<void(const std::string& name, int diskFormat, bool addToReopen)> OpenFile;
  std::function<void()> OpenCommand;                        // File|Open
  std::function<std::optional<int>()> ActiveChildStateDigit;
  // Writes the settings of the windows beside the main window (the file
  // managers) when the main window's close writes its own.
  std::function<void()> SaveToolWindows;

  // The two shortcut sets of the main menu.
  void SetWordStarShortcuts();
  void SetWindowsShortcuts();
  // The Hebrew texts of the main window and its right-to-left menus.
  void SetHebCaps_MainForm();
  // The English message formats.
  void LoadEngPrompts();

  // Shows the window in the state the settings asked for.
  void ShowByState();
  // The first activation's work (run once): the command-line file and the
  // Window menu's tool items.
  void FormActivate();
  // Writes the window's state (run by closing).
  void FormClose();
  // Closes the program without writing any setting (after the settings
  // were restored); the documents' close queries still run.
  void CloseWithoutSaving();
  // The status bar's hint handling.
  void AppHint(const QString& hint);
  // Files dropped on the window or the application.
  void DropFiles(const std::vector<std::string>& names);
  // Another start of the program asked this one to come forward, naming the
  // file of its command line (empty: none); an open file's window is activated.
  void SecondInstance(const std::string& fileName);
  // The command-line argument of a start: a switch ("/p") is ignored, a file
  // whose window is open is activated, an existing file opened (name and case
  // as given, made absolute), a missing one reported.
  void OpenCommandLineFile(const std::string& argument);
  // The command-line argument (the system's bytes) opened when the window
  // is first activated; empty: none.
  void SetCommandLineArgument(std::string argument) { commandLineArgument_ = std::move(argument); }

  // Keyboard-language handlers.
  void Engm1Click();
  void Kbd_LangClick();
  void SecondLanguage1Click();
  void HebrewKeyboard1Click();
  void EnglishKeyboard1Click();
  void NikudKeyboard1Click();
  void PhoneticKbdClick();
  void NikudCursor1Click();
  void Languages1Click();
  void HebrewMenus1Click();
  void SetKeyboardByDirection();
  void CheckKeyboardItem(char letter);
  void UpdateKbdLangCaption();
  void ShowKbdLangCaption(char letter);
  void Exit1Click();
  void DateConversion1Click();

  // The application-wide filter: digit macro keys and Ctrl+K with no document.
  bool eventFilter(QObject* watched, QEvent* event) override;

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void BuildMenus();
  // Moves the normal window so that its whole frame is on the screen.
  void KeepFrameOnScreen();
  void BuildSpeedPanel();
  void BuildStatusBar();
  void FormCreate();
  void LoadFontResources(const MainFormSettings& s);
  void SetItemShortcut(const QString& name, const QKeySequence& keys);
  void SyncKeyboardItems();
  void PressFormatButton(int diskFmt);
  void AddWindowToolItems();
  bool AppMessageKey(QKeyEvent* key);
  bool ActivateOpenWindow(const std::string& name);

  std::map<QString, QAction*> items_;
  std::map<QString, QMenu*> menus_;
  std::map<QString, QAction*> keyProxies_;  // shortcuts of hidden items
  KeyboardLanguageModel keyboard_;
  MainFormSettings settings_;
  bool firstActivation_ = true;
  std::string commandLineArgument_;
  QRect normalFrame_;
  bool keepSettings_ = false;  // closing writes no setting
  QTranslator* qtHebrew_ = nullptr;  // Qt's Hebrew texts while the interface is Hebrew  // the frame position and client size while last normal
};

}  // namespace nuvel
