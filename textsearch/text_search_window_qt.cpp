#include "textsearch/text_search_window_qt.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <charconv>
#include <memory>

#include "core/form_state_qt.h"
#include "core/ini_location.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/heb_edit_win_qt.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "platform/ascii_case.h"
#include "textsearch/collection_walk.h"
#include "textsearch/meter_qt.h"
#include "textsearch/nvc_label_qt.h"
#include "textsearch/progress_window_qt.h"
#include "textsearch/spinner_qt.h"
#include "textsearch/text_about_box_qt.h"
#include "textsearch/text_hit.h"
#include "ui/interface_texts_qt.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

constexpr TColor clActiveCaption = SystemColor(2);
constexpr int kNodeRole = Qt::UserRole;
constexpr size_t kHistoryLimit = 50;

// The pictures of the state images: a dot for a text opened by a
// double-click, a filled square for a text open with a hit.
QIcon StateIcon(int state) {
  QPixmap pm(12, 12);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  if (state == 1) {
    p.setBrush(QColor(0, 0, 160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(3, 3, 6, 6));
  } else if (state == 2) {
    p.setBrush(QColor(0, 140, 0));
    p.setPen(QColor(0, 80, 0));
    p.drawRect(QRect(1, 1, 9, 9));
  }
  return QIcon(pm);
}

// While a search runs: the hourglass, the text area hidden and the
// progress window shown; all three undone on every way out.
class SearchRun {
 public:
  SearchRun(QWidget* owner, QWidget* filePanel) : filePanel_(filePanel) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    filePanel_->hide();
    progress_ = std::make_unique<TNuvPrgress>(owner);
    progress_->ShowCentred();
  }
  ~SearchRun() {
    progress_.reset();
    filePanel_->show();
    QApplication::restoreOverrideCursor();
  }
  TNuvPrgress& Progress() { return *progress_; }

 private:
  QWidget* filePanel_;
  std::unique_ptr<TNuvPrgress> progress_;
};

}  // namespace

TTextPanel::TTextPanel(QWidget* parent, int node) : QWidget(parent), node_(node) {
  setObjectName(QStringLiteral("TextPanel"));
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(1, 1, 1, 1);
  box->setSpacing(0);
  Label = new TNvcLabel(this);
  Label->setFixedHeight(35);
  Label->SetTransparent(false);
  Label->SetColor(clBtnFace);
  box->addWidget(Label);
}

TTextSearch::TTextSearch(const std::string& programFolder, Hooks hooks, QWidget* parent)
    : QMainWindow(parent),
      hooks_(std::move(hooks)),
      files_([&programFolder] {
        // The program folder's texts, then those the user keeps in the user's data folder.
        std::vector<std::filesystem::path> roots;
        for (const std::string& folder : TextCollectionFolders(programFolder)) roots.emplace_back(folder);
        return roots;
      }()) {
  setObjectName(QStringLiteral("TextSearch"));
  setWindowTitle(QStringLiteral("TextSearch"));
  resize(872, 481);
  BuildMenus();
  BuildToolbar();

  auto* split = new QSplitter(this);
  tree1_ = new QTreeWidget(split);
  tree1_->setObjectName(QStringLiteral("TreeView1"));
  tree1_->setHeaderHidden(true);
  tree1_->setIndentation(19);
  QFont bold = tree1_->font();
  bold.setBold(true);
  tree1_->setFont(bold);
  filePanel_ = new QScrollArea(split);
  filePanel_->setObjectName(QStringLiteral("FilePanel"));
  filePanel_->setToolTip(QStringLiteral("Close Current Text Window"));
  filePanel_->setWidgetResizable(true);
  panelBox_ = new QWidget(filePanel_);
  panelLayout_ = new QVBoxLayout(panelBox_);
  panelLayout_->setContentsMargins(0, 0, 0, 0);
  panelLayout_->setSpacing(0);
  panelLayout_->addStretch(1);
  filePanel_->setWidget(panelBox_);
  split->addWidget(tree1_);
  split->addWidget(filePanel_);
  split->setSizes({169, 872 - 169});
  split->setStretchFactor(1, 1);
  setCentralWidget(split);

  BuildTree(EngPrompts);
  connect(tree1_, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* item) {
    if (item) scopeLabel_->setText(item->text(0));
  });
  connect(tree1_, &QTreeWidget::itemDoubleClicked, this, [this] { TreeView1DblClick(); });

  LoadRegStrings("TextSrchList", history_);
  const std::string wid = ReadRegString("TextSrchPnl", "PnlWid");
  int v = 150;
  if (wid != "NotFound") {
    const auto [p, ec] = std::from_chars(wid.data(), wid.data() + wid.size(), v);
    if (ec != std::errc() || p != wid.data() + wid.size()) v = 150;
  }
  pnlWid_ = v;

  // The placement is restored when the window is first shown and saved
  // when it closes (the state component watches both).
  if (hooks_.store != nullptr) {
    formState_ = new TNvcFormState(this);
    formState_->SetStorage(hooks_.store);
    formState_->SetSection("TextSearch");
  }
}

TTextSearch::~TTextSearch() {
  // File | Exit destroys the window without closing it: where it stands now
  // is kept.
  if (formState_ == nullptr) return;
  if (isVisible())
    formState_->FormCloseQuery();
  else
    formState_->FormDestroying();
}

void TTextSearch::BuildMenus() {
  auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                    std::function<void()> run) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, [run] { run(); });
    return a;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->menuAction()->setObjectName(QStringLiteral("File1"));
  add(file, "Close1", QStringLiteral("Close"), QKeySequence(QStringLiteral("Ctrl+F4")), [this] { Close1Click(); });
  add(file, "CloseAll1", QStringLiteral("Close &All"), {}, [this] { CloseAll1Click(); });
  add(file, "ReturntoEditing1", QStringLiteral("Return to Editing"), QKeySequence(QStringLiteral("Ctrl+Alt+T")), [this] {
    if (hooks_.returnToEditing) hooks_.returnToEditing();
  });
  add(file, "Exit1", QStringLiteral("E&xit"), {}, [this] { deleteLater(); });

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->menuAction()->setObjectName(QStringLiteral("Edit1"));
  auto copy = [this] {
    if (THebTextEditorWidget* e = CurEditor()) e->HebEditor().CopyToClipboard();
  };
  add(edit, "Copy1", QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")), copy);
  add(edit, "Copy2", QStringLiteral("Copy2"), QKeySequence(QStringLiteral("Ctrl+Ins")), copy)->setVisible(false);
  addAction(Item("Copy2"));  // its shortcut works while hidden
  add(edit, "SelectAll1", QStringLiteral("&Select All"), QKeySequence(QStringLiteral("Ctrl+A")), [this] {
    if (THebTextEditorWidget* e = CurEditor()) e->HebEditor().SelectAll(true);
  });
  add(edit, "WordWrap1", QStringLiteral("&Word Wrap"), {}, [this] { WordWrap1Click(); })->setCheckable(true);
  QAction* choseir = add(edit, "CheckChoseir1", QStringLiteral("Chec&k Choseir Also"), {}, [this] { CheckChoseir1Click(); });
  choseir->setCheckable(true);
  choseir->setStatusTip(QStringLiteral("Search also for spellings of words without internal \"vav\" and \"yud\""));
  add(edit, "FindAgain1", QStringLiteral("Find &Again"), QKeySequence(QStringLiteral("Ctrl+L")), [this] { FindAgain1Click(); });
  add(edit, "ClearSearchText1", QStringLiteral("C&lear Search Text"), QKeySequence(QStringLiteral("Alt+C")), [this] { ClearTClick(); });
  add(edit, "SearchTanach1", QStringLiteral("Search Only &Tanach"), QKeySequence(QStringLiteral("Ctrl+T")), [this] { SearchTanach1Click(0); });
  add(edit, "SearchOnlyBavli1", QStringLiteral("Search Only &Bavli"), QKeySequence(QStringLiteral("Ctrl+B")), [this] { SearchTanach1Click(1); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->menuAction()->setObjectName(QStringLiteral("Help1"));
  add(help, "Help2", QStringLiteral("Help"), {}, [this] {
    if (hooks_.help) hooks_.help();
  });
  add(help, "About1", QStringLiteral("About"), {}, [this] { About1Click(); });
}

void TTextSearch::BuildToolbar() {
  QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto* staticText = new QLabel(QStringLiteral("Search In: "), bar);
  staticText->setObjectName(QStringLiteral("StaticText1"));
  bar->addWidget(staticText);
  scopeLabel_ = new TNvcLabel(bar);
  scopeLabel_->setObjectName(QStringLiteral("NvcLabel1"));
  scopeLabel_->setFixedWidth(113);
  scopeLabel_->setWordWrap(false);
  QFont f(QStringLiteral("Times New Roman"));
  f.setPointSize(22);
  scopeLabel_->setFont(f);
  scopeLabel_->Effects().SetAppearance(TNvcAppearance::apCustom);
  scopeLabel_->Effects().Settings().SetShadowDepth(0);
  scopeLabel_->Effects().Settings().SetHighlightDepth(0);
  scopeLabel_->setText(QStringLiteral("All Texts"));
  bar->addWidget(scopeLabel_);
  bar->addSeparator();
  spinner_ = new TNvcSpinner(bar);
  spinner_->setObjectName(QStringLiteral("NvcSpinner1"));
  spinner_->setFixedSize(16, 21);
  spinner_->setToolTip(QStringLiteral("Make text windows bigger/smaller"));
  spinner_->Press().DelayTime = 500;
  spinner_->Press().SetAcceleration(5);
  spinner_->OnClick = [this](TNvcSpinner&, TNvcSpinState state, double, bool) { NvcSpinner1Click(state); };
  spinner_->setEnabled(false);
  bar->addWidget(spinner_);

  auto button = [this, bar](const char* name, const QString& caption, const QString& hint, std::function<void()> run) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    connect(b, &QToolButton::clicked, this, [run] { run(); });
    bar->addWidget(b);
    return b;
  };
  button("CopyBtn", QStringLiteral("Copy"), QStringLiteral("Copy selected text to clipboard"), [this] {
    if (THebTextEditorWidget* e = CurEditor()) e->HebEditor().CopyToClipboard();
  });
  button("FNextBtn", QStringLiteral("Next"), QStringLiteral("Find Next Instance"), [this] { FindAgain1Click(); });
  bar->addSeparator();
  button("ClearT", QStringLiteral("&C"), QStringLiteral("Clear the search text"), [this] { ClearTClick(); });
  button("HistBtn", QStringLiteral("History"), QStringLiteral("Search History"), [this] { HistBtn1Click(); });

  auto* findPanel = new QWidget(bar);
  findPanel->setObjectName(QStringLiteral("FindPanel"));
  // Narrow enough for the whole toolbar to fit the window's first width.
  constexpr int kFindWidth = 250;
  findPanel->setFixedSize(kFindWidth, 23);
  searchEdit_ = new THebEditWin(findPanel);
  searchEdit_->setObjectName(QStringLiteral("SearchEdit"));
  searchEdit_->setGeometry(4, 0, kFindWidth - 8, 23);
  QFont ef = searchEdit_->font();
  ef.setPointSize(12);
  searchEdit_->setFont(ef);
  THebEditLine& line = searchEdit_->Line();
  line.MaxLength = 50;
  line.HebrewKeys = true;
  line.EnglishMode = false;
  line.OnHistoryKey = [this] { HistBtn1Click(); };
  searchEdit_->installEventFilter(this);
  bar->addWidget(findPanel);
  button("GoBtn", QStringLiteral("&Go!"), QStringLiteral("Do the search"), [this] { GoBtnClick(); });
  bar->addSeparator();
  const struct {
    const char* name;
    const char* caption;
    const char* hint;
  } toggles[] = {{"WrdEnd", "^X", "End of a word"}, {"WrdWhole", "^X^", "Whole words"}, {"WrdBeg", "X^", "Beginning of a word"}};
  for (const auto& t : toggles) {
    QToolButton* b = button(t.name, QString::fromLatin1(t.caption), QString::fromLatin1(t.hint), {});
    b->setCheckable(true);
    disconnect(b, &QToolButton::clicked, this, nullptr);
    const char* name = t.name;
    connect(b, &QToolButton::clicked, this, [this, name](bool down) { ToggleWordButton(name, down); });
  }
  button("CloseBtn", QStringLiteral("Close"), QStringLiteral("Close the current text"), [this] { Close1Click(); })
      ->setEnabled(false);
}

bool TTextSearch::eventFilter(QObject* watched, QEvent* e) {
  if (watched == searchEdit_ && e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      GoBtnClick();
      return true;
    }
  }
  if (auto* editor = qobject_cast<THebTextEditorWidget*>(watched)) {
    auto* panel = qobject_cast<TTextPanel*>(editor->parentWidget());
    if (panel && e->type() == QEvent::FocusIn) MakeCurrent(panel, false);
    if (panel && e->type() == QEvent::FocusOut && cur_) cur_->Label->SetColor(clBtnFace);
  }
  return QMainWindow::eventFilter(watched, e);
}

void TTextSearch::BuildTree(bool english) {
  tree_ = BuildCatalogueTree(english, [this](std::string_view p) { return files_.IsFile(p); });
  states_.assign(tree_.nodes.size(), -1);
  tree1_->clear();
  std::vector<QTreeWidgetItem*> items(tree_.nodes.size(), nullptr);
  for (int n : tree_.TreeOrder()) {
    const CatalogueNode& node = tree_.nodes[static_cast<size_t>(n)];
    auto* item = node.parent < 0 ? new QTreeWidgetItem(tree1_) : new QTreeWidgetItem(items[static_cast<size_t>(node.parent)]);
    item->setText(0, FromSystemText(node.caption));
    item->setData(0, kNodeRole, n);
    items[static_cast<size_t>(n)] = item;
  }
  if (!items.empty()) {
    tree1_->setCurrentItem(items[0]);
    items[0]->setExpanded(true);
  }
}

QTreeWidgetItem* TTextSearch::ItemOf(int node) const {
  for (QTreeWidgetItemIterator it(tree1_); *it; ++it)
    if ((*it)->data(0, kNodeRole).toInt() == node) return *it;
  return nullptr;
}

int TTextSearch::NodeState(int node) const {
  return node >= 0 && node < static_cast<int>(states_.size()) ? states_[static_cast<size_t>(node)] : -1;
}

void TTextSearch::SetNodeState(int node, int state) {
  if (node < 0 || node >= static_cast<int>(states_.size())) return;
  states_[static_cast<size_t>(node)] = state;
  if (QTreeWidgetItem* item = ItemOf(node)) item->setIcon(0, state < 0 ? QIcon() : StateIcon(state));
}

std::string TTextSearch::SearchText() const { return searchEdit_->Line().Text; }

void TTextSearch::SetSearchText(const std::string& bytes) {
  searchEdit_->Line().Text = bytes;
  searchEdit_->Line().CaretCol = static_cast<int32_t>(bytes.size()) + 1;
  searchEdit_->Line().RefreshText();
  searchEdit_->update();
}

THebTextEditorWidget* TTextSearch::CurEditor() const { return cur_ ? cur_->Editor : nullptr; }

QAction* TTextSearch::Item(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }
QToolButton* TTextSearch::Button(const char* name) const {
  return findChild<QToolButton*>(QString::fromLatin1(name));
}

void TTextSearch::SelectNode(int node) {
  if (QTreeWidgetItem* item = ItemOf(node)) tree1_->setCurrentItem(item);
}

uint16_t TTextSearch::SearchOptions() const {
  return TextSearchOptions(Button("WrdWhole")->isChecked(), Button("WrdBeg")->isChecked(),
                           Button("WrdEnd")->isChecked());
}

void TTextSearch::ToggleWordButton(const char* name, bool down) {
  QToolButton* whole = Button("WrdWhole");
  QToolButton* beg = Button("WrdBeg");
  QToolButton* end = Button("WrdEnd");
  const std::string_view n = name;
  if (n == "WrdWhole") {
    beg->setChecked(down);
    end->setChecked(down);
  } else {
    QToolButton* other = n == "WrdBeg" ? end : beg;
    if (down && other->isChecked()) whole->setChecked(true);
    if (!down) whole->setChecked(false);
  }
}

void TTextSearch::AddToHistory(const std::string& text) {
  for (const std::string& h : history_)
    if (platform::EqualsNoCase(h, text)) return;
  history_.insert(history_.begin(), text);
}

void TTextSearch::MakeCurrent(TTextPanel* panel, bool focus) {
  if (cur_ && cur_ != panel) cur_->Label->SetColor(clBtnFace);
  cur_ = panel;
  if (!panel) return;
  panel->Label->SetColor(clActiveCaption);
  if (focus) panel->Editor->setFocus(Qt::OtherFocusReason);
  filePanel_->ensureWidgetVisible(panel);
}

bool TTextSearch::OpenAndSearch(int node, const std::filesystem::path& file, const std::string& text) {
  if (!historyNoted_) {
    lastSearchText_ = text;
    AddToHistory(text);
    historyNoted_ = true;
  }
  auto editor = std::make_unique<THebTextEditorWidget>();
  editor->SetController(hooks_.controller);
  THebTextEditor& ed = editor->HebEditor();
  ed.SetEngm(false);
  ed.SetDisk_Conv(0);
  ed.SetWordWrap(true);
  ed.SetWrapToWindow(true);
  ed.SetFileName(file.string());
  ed.LoadFromFile(file.string());
  ed.SetReadOnly(true);
  if (!FindTextHit(ed, text, SearchOptions(), Item("CheckChoseir1")->isChecked())) return false;

  // A hit: the text gets a panel of its own above the ones opened before.
  auto* panel = new TTextPanel(panelBox_, node);
  const TCatalogueEntry* entry = tree_.nodes[static_cast<size_t>(node)].entry;
  panel->Label->setText(QString::fromStdString(entry->english));
  panel->Label->OnClick = [this, panel](TNvcLabel&) { MakeCurrent(panel, true); };
  panel->Editor = editor.release();
  panel->Editor->setParent(panel);
  panel->layout()->addWidget(panel->Editor);
  panel->Editor->installEventFilter(this);
  panel->setFixedHeight(pnlWid_);
  panelLayout_->insertWidget(0, panel);
  panels_.push_back(panel);
  panel->show();
  if (ed.VisibleColumns() > 0) ed.SetWrapColumn(ed.VisibleColumns());
  if (QAction* wrap = Item("WordWrap1")) wrap->setChecked(true);
  MakeCurrent(panel, false);
  spinner_->setEnabled(true);
  Button("CloseBtn")->setEnabled(true);
  SetNodeState(node, 2);
  return true;
}

void TTextSearch::GoBtnClick() {
  QTreeWidgetItem* item = tree1_->currentItem();
  if (!item) {
    MessageDlgById(38458, 41158, MsgDlgType::Information, platform::mbOK);
    return;
  }
  const std::string text = SearchText();
  if (text.empty()) {
    MessageDlgById(38459, 41159, MsgDlgType::Information, platform::mbOK);
    return;
  }
  CloseAll1Click();
  const int node = item->data(0, kNodeRole).toInt();
  historyNoted_ = false;
  CollectionWalkResult result;
  std::string error;
  {
    SearchRun run(this, filePanel_);
    TNuvPrgress& progress = run.Progress();
    CollectionWalkEvents ev;
    ev.outerProgress = [&progress](int percent) {
      progress.NvcMeter1->SetPercent(percent);
      progress.repaint();
    };
    ev.innerProgress = [&progress](int percent) {
      progress.NvcMeter2->show();
      progress.NvcMeter2->SetPercent(percent);
    };
    ev.innerDone = [&progress] { progress.NvcMeter2->hide(); };
    ev.searchText = [this, &text](int n, const std::filesystem::path& file) { return OpenAndSearch(n, file, text); };
    try {
      result = WalkCollection(tree_, node, files_, ev);
    } catch (const std::exception& e) {
      error = e.what();
    }
  }
  // Reported once the cursor, the progress window and the text area are back.
  if (!error.empty()) MessageDlg(error, MsgDlgType::Error, platform::mbOK);
  if (THebTextEditorWidget* e = CurEditor()) {
    e->setFocus(Qt::OtherFocusReason);
  } else if (error.empty() && result.searched > 0) {
    MessageDlg(FormatMessage(GetMessageText(38414, 41114), {text}), MsgDlgType::Information, platform::mbOK);
  }
}

void TTextSearch::TreeView1DblClick() {
  QTreeWidgetItem* item = tree1_->currentItem();
  if (!item) return;
  const int node = item->data(0, kNodeRole).toInt();
  const int state = NodeState(node);
  if (state == 2) {
    for (TTextPanel* p : panels_)
      if (p->Node() == node) MakeCurrent(p, true);
    return;
  }
  if (state != -1 || !tree_.nodes[static_cast<size_t>(node)].children.empty()) return;
  const std::string kept = SearchText();
  searchEdit_->Line().Text = "\xE0";  // alef
  GoBtnClick();
  searchEdit_->Line().Text = kept;
  if (CurEditor()) SetNodeState(node, 1);
}

void TTextSearch::ClosePanel(TTextPanel* panel) {
  panels_.erase(std::remove(panels_.begin(), panels_.end(), panel), panels_.end());
  if (cur_ == panel) cur_ = nullptr;
  delete panel;
}

void TTextSearch::Close1Click() {
  TTextPanel* panel = cur_;
  if (!panel) return;
  SetNodeState(panel->Node(), -1);
  spinner_->setEnabled(false);
  Button("CloseBtn")->setEnabled(false);
  if (panels_.size() == 1) {
    ClosePanel(panel);
    return;
  }
  const auto k = static_cast<size_t>(std::find(panels_.begin(), panels_.end(), panel) - panels_.begin());
  TTextPanel* neighbour = panels_.size() == 2 ? panels_[1 - k] : k == 0 ? panels_[1] : panels_[k - 1];
  spinner_->setEnabled(true);
  Button("CloseBtn")->setEnabled(true);
  ClosePanel(panel);
  MakeCurrent(neighbour, true);
}

void TTextSearch::CloseAll1Click() {
  while (!panels_.empty()) {
    TTextPanel* p = panels_.back();
    SetNodeState(p->Node(), -1);
    ClosePanel(p);
  }
  cur_ = nullptr;
  spinner_->setEnabled(false);
  Button("CloseBtn")->setEnabled(false);
}

void TTextSearch::FindAgain1Click() {
  THebTextEditorWidget* e = CurEditor();
  if (!e) return;
  if (!FindTextHit(e->HebEditor(), lastSearchText_, SearchOptions(), Item("CheckChoseir1")->isChecked()))
    MessageDlg(FormatMessage(GetMessageText(38414, 41114), {lastSearchText_}), MsgDlgType::Information,
               platform::mbOK);
  e->setFocus(Qt::OtherFocusReason);
}

void TTextSearch::HistBtn1Click() {
  if (history_.empty()) return;
  std::string text = SearchText();
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\0')) text.pop_back();
  size_t next = 0;
  for (size_t i = 0; i < history_.size(); ++i) {
    if (platform::EqualsNoCase(history_[i], text)) {
      next = (i + 1) % history_.size();
      break;
    }
  }
  SetSearchText(history_[next]);
  searchEdit_->RefreshText();
}

void TTextSearch::ClearTClick() {
  searchEdit_->Line().Text.clear();
  searchEdit_->Line().DisplayText.clear();
  searchEdit_->Line().CaretCol = 1;
  searchEdit_->RefreshText();
}

void TTextSearch::SearchTanach1Click(int collection) {
  scopeLabel_->setText(FromSystemText(CollectionName(collection, EngPrompts)));
  SelectNode(tree_.nodes[0].children[static_cast<size_t>(collection)]);
}

void TTextSearch::WordWrap1Click() {
  THebTextEditorWidget* w = CurEditor();
  if (!w) return;
  THebTextEditor& e = w->HebEditor();
  e.SetWrapToWindow(!e.WrapToWindow());
  e.SetWordWrap(!e.WordWrap());
  Item("WordWrap1")->setChecked(e.WrapToWindow());
  if (e.WrapToWindow() && e.VisibleColumns() > 0) e.SetWrapColumn(e.VisibleColumns());
}

void TTextSearch::CheckChoseir1Click() {
  if (Item("CheckChoseir1")->isChecked()) MessageDlgById(45362, 41162, MsgDlgType::Information, platform::mbOK);
}

void TTextSearch::ApplyPanelHeights() {
  for (TTextPanel* p : panels_) p->setFixedHeight(pnlWid_);
}

void TTextSearch::NvcSpinner1Click(int state) {
  if (state == ssDown) {
    if (filePanel_->height() - 40 > pnlWid_) pnlWid_ += 10;
  } else if (state == ssUp) {
    if (pnlWid_ > 15) pnlWid_ -= 10;
  } else {
    return;
  }
  ApplyPanelHeights();
}

void TTextSearch::About1Click() {
  TTextAboutBox box(this);
  if (!EngPrompts) SetHebCaps(&box, "SetHebCaps_TextAboutBox");
  if (hooks_.showAbout)
    hooks_.showAbout(box);
  else
    box.exec();
}

void TTextSearch::closeEvent(QCloseEvent* e) {
  while (history_.size() > kHistoryLimit) history_.pop_back();
  SaveRegStrings("TextSrchList", history_);
  WriteRegString("TextSrchPnl", "PnlWid", std::to_string(pnlWid_));
  if (hooks_.hidden) hooks_.hidden();
  e->accept();
}

void TTextSearch::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  searchEdit_->Line().RefreshText();
  searchEdit_->update();
}

}  // namespace nuvel
