#pragma once
// The text-collection search window: the catalogue as a tree, a search
// line with its history and word options, and a panel with a read-only
// editor for every text where the search found the word, the first hit
// selected. The walk over the catalogue is engine code; this window opens
// and searches each text and keeps the ones with a hit.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "textsearch/catalogue_files.h"
#include "textsearch/catalogue_tree.h"

class QAction;
class QScrollArea;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace nuvel {

class TNvcAbstractStore;
class TNvcController;
class TNvcFormState;
class TNvcLabel;
class TNvcSpinner;
class THebEditWin;
class THebTextEditorWidget;
class TTextAboutBox;

// One text with a hit: its caption label above its editor.
class TTextPanel : public QWidget {
  Q_OBJECT
 public:
  TTextPanel(QWidget* parent, int node);
  int Node() const { return node_; }
  TNvcLabel* Label = nullptr;
  THebTextEditorWidget* Editor = nullptr;

 private:
  int node_;
};

class TTextSearch : public QMainWindow {
  Q_OBJECT
 public:
  struct Hooks {
    TNvcController* controller = nullptr;
    std::function<void()> returnToEditing;
    // The window was closed (hidden): the main window hides its menu item.
    std::function<void()> hidden;
    std::function<void()> help;
    // Shows the about box modally; tests answer it.
    std::function<void(TTextAboutBox&)> showAbout;
    // Where the window keeps its placement between runs (section
    // "TextSearch"); none: it is not kept.
    TNvcAbstractStore* store = nullptr;
  };

  // `programFolder` holds the folder Texts, and the user's data folder may
  // hold one too; the tree is built from what is there, in the interface
  // language of the moment.
  TTextSearch(const std::string& programFolder, Hooks hooks, QWidget* parent = nullptr);
  ~TTextSearch() override;

  // ---- the state the window's parts show ----
  const CatalogueTree& Tree() const { return tree_; }
  QTreeWidget* TreeView1() const { return tree1_; }
  QTreeWidgetItem* ItemOf(int node) const;
  // The state image of a node: -1 none, 1 opened by a double-click, 2 open
  // with a hit.
  int NodeState(int node) const;
  THebEditWin* SearchEdit() const { return searchEdit_; }
  // The search text (system bytes).
  std::string SearchText() const;
  void SetSearchText(const std::string& bytes);
  // The text panels in the order they were opened.
  const std::vector<TTextPanel*>& Panels() const { return panels_; }
  TTextPanel* CurPanel() const { return cur_; }
  THebTextEditorWidget* CurEditor() const;
  int PnlWid() const { return pnlWid_; }
  const std::vector<std::string>& History() const { return history_; }
  const std::string& LastSearchText() const { return lastSearchText_; }
  QScrollArea* FilePanel() const { return filePanel_; }

  // ---- commands ----
  void SelectNode(int node);
  void GoBtnClick();
  void TreeView1DblClick();
  void Close1Click();
  void CloseAll1Click();
  void FindAgain1Click();
  void HistBtn1Click();
  void ClearTClick();
  void SearchTanach1Click(int collection);
  void WordWrap1Click();
  void CheckChoseir1Click();
  // The panels grow (lower arrow) or shrink (upper arrow) by 10 pixels.
  void NvcSpinner1Click(int state);
  void About1Click();
  // The option word of the toggle buttons.
  uint16_t SearchOptions() const;

  QAction* Item(const char* name) const;
  QToolButton* Button(const char* name) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void BuildMenus();
  void BuildToolbar();
  void BuildTree(bool english);
  bool OpenAndSearch(int node, const std::filesystem::path& file, const std::string& text);
  void MakeCurrent(TTextPanel* panel, bool focus);
  void SetNodeState(int node, int state);
  void ClosePanel(TTextPanel* panel);
  void ToggleWordButton(const char* name, bool down);
  void AddToHistory(const std::string& text);
  void ApplyPanelHeights();

  Hooks hooks_;
  TNvcFormState* formState_ = nullptr;
  CatalogueFiles files_;
  CatalogueTree tree_;
  QTreeWidget* tree1_ = nullptr;
  QScrollArea* filePanel_ = nullptr;
  QWidget* panelBox_ = nullptr;
  QVBoxLayout* panelLayout_ = nullptr;
  THebEditWin* searchEdit_ = nullptr;
  TNvcLabel* scopeLabel_ = nullptr;
  TNvcSpinner* spinner_ = nullptr;
  std::vector<TTextPanel*> panels_;
  QPointer<TTextPanel> cur_;
  std::vector<int> states_;
  std::vector<std::string> history_;
  std::string lastSearchText_;
  int pnlWid_ = 150;
  bool historyNoted_ = false;
};

}  // namespace nuvel
