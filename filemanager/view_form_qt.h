#pragma once
// The file view window: a file shown read-only in the large-file viewer, as
// text or as a hex dump, with a status header, find, go to line, copy, tab
// settings, the Hebrew/English switch of the find text, and a command that
// closes the view and opens the file in the editor. Closing the window frees
// it, with its file and cache.
#include <QLabel>
#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "filemanager/file_viewer_widget_qt.h"

class QAction;

namespace nuvel {

class TNvcAbstractStore;
class TNvcFormState;

// What the window takes from the program around it.
struct TViewFormHost {
  TNvcController* controller = nullptr;
  // The store that keeps the window's placement (none: not kept).
  TNvcAbstractStore* store = nullptr;
  // The last search text the program shares among its finds.
  std::function<std::string()> searchText;
  std::function<void(const std::string&)> setSearchText;
  // Opens a file in the editor (activating its window when open).
  std::function<void(const std::string&)> openInEditor;
  // Whether the main window's keyboard is the nikud layer.
  std::function<bool()> nikudKeyboard;
  // A file chosen to open (none: cancelled).
  std::function<std::optional<std::string>()> chooseFile;
  // The window is shown or gone (the Window menu lists it while shown).
  std::function<void(bool shown)> shownChanged;
};

class TViewForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TViewForm(TViewFormHost host, QWidget* parent = nullptr);
  ~TViewForm() override;

  TNvcFileViewerWidget* Viewer() const { return viewer_; }
  THebFileViewer& Model() const { return viewer_->Viewer(); }
  QAction* Item(const QString& name) const;
  // The status header's section i (0..4).
  QLabel* HeaderSection(int i) const { return header_[static_cast<size_t>(i)]; }

  // Opens the file, names the window after it and counts its lines. Raises
  // the viewer's error; the window stays.
  void Open(const std::string& fileName);
  // Sets the find text's language (checks the Hebrew item when not English).
  void SetEnglishFile(bool english);
  // The Hebrew texts of the window.
  void SetHebCaps();

  // The menu commands.
  void Open1Click();
  void Edit1Click();
  void Find1Click();
  void GotoLine1Click();
  void TabSize1Click();
  void HexMode1Click();
  void TabExpansion1Click();
  void HebrewClick();
  void CopyClick();
  void SelectAllClick();

  // Refreshes the header and the items' states (after each caret move).
  void ShowStatus();

  // Runs `f`, showing what it throws as an error message.
  template <class F>
  void Guarded(F&& f) {
    viewer_->Guarded(std::forward<F>(f));
  }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QString& hint = {});
  void UpdateItems();

  TViewFormHost host_;
  TNvcFileViewerWidget* viewer_ = nullptr;
  std::array<QLabel*, 5> header_{};
  std::array<std::string, 3> headerLabels_{"Total:", "Top:", "Bytes:"};
  std::map<QString, QAction*> items_;
  TNvcFormState* formState_ = nullptr;
  uint16_t searchOptions_ = 0;
};

// The window's caption text ("File View").
std::string ViewFormCaption();

}  // namespace nuvel
