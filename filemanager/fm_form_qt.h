#pragma once
// A file manager window: the directory tree on the left, the file list on
// the right, a tool row (sort buttons, report/list view, the file filter,
// the default disk format, another folder) and two status lines. It opens
// files in the editor, shows them in the file viewer, copies, moves,
// renames, deletes, compresses and expands them, changes their attributes
// and makes folders. Every operation works on the real names the list
// keeps. What the window needs of the rest of the program comes through
// FileManagerHost; every question goes through the message sink or
// FileManagerPrompts, so tests answer them.
#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "filemanager/fm_settings.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QToolButton;

namespace nuvel {

class TDirTree;
class TFileListView;

struct FileManagerHost {
  // True when the file is in a document window, which then comes forward.
  std::function<bool(const std::string& path)> activateIfOpen;
  // Opens the file in a document window with the disk format (255: decide
  // from the file).
  std::function<void(const std::string& path, int diskFormat)> openFile;
  // Shows the file in the file viewer; unset while there is none (View is
  // then disabled).
  std::function<void(const std::string& path)> viewFile;
  // A format button was pressed: the active document decides its format
  // from the preference again.
  std::function<void()> formatChosen;
  // True while the edit configuration fixes the format (the format buttons
  // are then disabled).
  std::function<bool()> formatLocked;
  // "New FM": another window.
  std::function<void()> newWindow;
};

class FileManagerPrompts {
 public:
  virtual ~FileManagerPrompts() = default;
  // The operation dialog; the To name, or nullopt when cancelled.
  virtual std::optional<std::string> Change(const QString& operation, const std::string& folder,
                                            const std::string& from) = 0;
  // The attribute dialog; the new attributes, or nullopt when cancelled.
  virtual std::optional<uint32_t> Attributes(const std::string& name, const std::string& folder,
                                             const std::string& modified, uint32_t attributes) = 0;
  // A line of text (a folder name, a filter), UTF-8; nullopt when cancelled.
  virtual std::optional<std::string> Line(const std::string& caption, const std::string& prompt,
                                          const std::string& value) = 0;
  // Another folder to show; nullopt when cancelled.
  virtual std::optional<std::string> Folder(const std::string& start) = 0;
};

// The dialogs on the screen.
std::unique_ptr<FileManagerPrompts> ScreenFileManagerPrompts(QWidget* parent);

class TFMForm : public QMainWindow {
  Q_OBJECT
 public:
  // Window `number` (1 for the first) of the program; `prompts` may be null
  // for the dialogs on the screen.
  TFMForm(int number, FileManagerHost host, std::shared_ptr<FileManagerPrompts> prompts = nullptr,
          QWidget* parent = nullptr);
  ~TFMForm() override;

  int Number() const { return number_; }
  std::string Suffix() const { return FileWindowSuffix(number_); }

  TDirTree* DirTree = nullptr;
  TFileListView* FileList = nullptr;
  QLineEdit* FileListEdit = nullptr;
  QLabel* DirectoryPanel = nullptr;
  QLabel* NameSize = nullptr;
  QLabel* LablDate = nullptr;
  QMenu* PopupMenu1 = nullptr;

  std::string Filter() const { return filter_; }
  void SetFilter(const std::string& filter);
  // Lists the tree's folder again (after every folder change, activation,
  // filter change and file operation).
  void RefreshFileList();
  // Shows the folder (and lists it); false when the tree cannot reach it.
  bool ShowFolder(const std::string& path);
  std::string Folder() const;

  // The menu item, tool button or other component of that name; null when none.
  QAction* Action(const QString& name) const;
  QAbstractButton* ToolButton(const QString& name) const;

  // The commands, as their menu items run them.
  void Open1Click(int diskFormat = 255);
  void View2Click();
  void FileChange(const QString& operation);
  void Delete1Click();
  void Properties1Click();
  void MakeDir1Click();
  void SelectAll1Click();
  void ChgBtnClick();
  void SpeedButton5Click();
  void SetListView(bool list);
  void SortButtonClick(int column);
  void ConvBtnClick(int format);

  // Writes WindowPosition, Columns, SortCol and SortDrct.
  void SaveWindowSettings();
  // Called when the window closes; the owner decides what follows.
  std::function<void(TFMForm&)> OnClosed;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void EnsureLoaded();
  void BuildMenus();
  void BuildToolRow();
  void UpdateStatus();
  void UpdateEnabled();
  void FormActivate();
  std::string PathOfRow(int row) const;
  // One file of a Copy/Move/Compress/DeCompress batch; false ends the batch.
  bool ConfirmChange(const QString& operation, const std::string& source, const std::string& to, bool& all,
                     bool batch);

  int number_;
  FileManagerHost host_;
  std::shared_ptr<FileManagerPrompts> prompts_;
  std::string filter_ = "*.*";
  int selIndex_ = -1;
  std::string selName_;
  std::string startFolder_;
  bool loaded_ = false;
  bool sortKnown_ = false;
  std::map<QString, QAction*> actions_;
  std::map<QString, QAbstractButton*> buttons_;
  QSplitter* splitter_ = nullptr;
};

}  // namespace nuvel
