#include "filemanager/fm_form_qt.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTreeView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <sys/stat.h>

#include <utility>

#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "filemanager/bounded_call.h"
#include "filemanager/change_form_qt.h"
#include "filemanager/dir_tree_qt.h"
#include "filemanager/file_list_status.h"
#include "filemanager/file_list_view_qt.h"
#include "filemanager/file_utils.h"
#include "filemanager/fm_messages.h"
#include "filemanager/folder_listing.h"
#include "formats/lzh_file.h"

namespace nuvel {

namespace {

using platform::mbAll;
using platform::mbNo;
using platform::mbOK;
using platform::mbYes;
using platform::mrAll;
using platform::mrYes;

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A busy cursor for the life of the object.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

class ScreenPrompts : public FileManagerPrompts {
 public:
  explicit ScreenPrompts(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> Change(const QString& operation, const std::string& folder,
                                    const std::string& from) override {
    TChangeForm dialog(operation, folder, from, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.To();
  }
  std::optional<uint32_t> Attributes(const std::string& name, const std::string& folder, const std::string& modified,
                                     uint32_t attributes) override {
    TFileAttrForm dialog(name, folder, modified, attributes, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Attributes();
  }
  std::optional<std::string> Line(const std::string& caption, const std::string& prompt,
                                  const std::string& value) override {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, FromSystemText(caption), FromSystemText(prompt),
                                               QLineEdit::Normal, FromFileName(value), &ok);
    if (!ok) return std::nullopt;
    return ToFileName(text);
  }
  std::optional<std::string> Folder(const std::string& start) override {
    const QString name = QFileDialog::getExistingDirectory(parent_, QString(), FromFileName(start));
    if (name.isEmpty()) return std::nullopt;
    return ToFileName(name);
  }

 private:
  QWidget* parent_;
};

}  // namespace

std::unique_ptr<FileManagerPrompts> ScreenFileManagerPrompts(QWidget* parent) {
  return std::make_unique<ScreenPrompts>(parent);
}

TFMForm::TFMForm(int number, FileManagerHost host, std::shared_ptr<FileManagerPrompts> prompts, QWidget* parent)
    : QMainWindow(parent), number_(number), host_(std::move(host)), prompts_(std::move(prompts)) {
  if (!prompts_) prompts_ = ScreenFileManagerPrompts(this);
  setObjectName(QStringLiteral("FMForm") + QString::fromStdString(Suffix()));
  setWindowTitle(FromSystemText(FmMessageFormat(FmMessage::Caption)) + QString::fromStdString(FileWindowCaptionEnd(number_)));
  setAttribute(Qt::WA_DeleteOnClose, false);

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  BuildToolRow();
  column->addWidget(findChild<QWidget*>(QStringLiteral("Panel1")));

  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setObjectName(QStringLiteral("Splitter1"));
  DirTree = new TDirTree(splitter_);
  FileList = new TFileListView(splitter_);
  splitter_->addWidget(DirTree);
  splitter_->addWidget(FileList);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({160, 340});
  column->addWidget(splitter_, 1);

  auto* status = new QWidget(central);
  status->setObjectName(QStringLiteral("StatusBar"));
  status->setFixedHeight(41);
  auto* statusRow = new QHBoxLayout(status);
  statusRow->setContentsMargins(4, 2, 4, 2);
  DirectoryPanel = new QLabel(status);
  DirectoryPanel->setObjectName(QStringLiteral("DirectoryPanel"));
  DirectoryPanel->setFixedWidth(163);
  statusRow->addWidget(DirectoryPanel);
  auto* filePanel = new QWidget(status);
  filePanel->setObjectName(QStringLiteral("FilePanel"));
  auto* lines = new QVBoxLayout(filePanel);
  lines->setContentsMargins(0, 0, 0, 0);
  lines->setSpacing(0);
  NameSize = new QLabel(filePanel);
  NameSize->setObjectName(QStringLiteral("NameSize"));
  LablDate = new QLabel(filePanel);
  LablDate->setObjectName(QStringLiteral("LablDate"));
  lines->addWidget(NameSize);
  lines->addWidget(LablDate);
  statusRow->addWidget(filePanel, 1);
  column->addWidget(status);
  setCentralWidget(central);

  BuildMenus();

  // The settings of this window's number.
  const FileWindowSettings s = ReadFileWindowSettings(Suffix());
  resize(s.width, s.height);
  if (s.left && s.top) move(*s.left, *s.top);
  if (s.columns) FileList->SetColumnWidths(*s.columns);
  SortOrder order;  // with no stored column the list keeps its own order
  if (s.sortColumn) {
    order.column = *s.sortColumn;
    order.forward = s.forward;
    sortKnown_ = true;
  }
  FileList->SetOrder(order);
  // The button pressed is the one of the order the list is in.
  if (auto* b = ToolButton(QStringLiteral("SpeedButton%1").arg(FileList->Order().column + 1))) b->setChecked(true);
  filter_ = s.filter;
  FileListEdit->setText(FromFileName(filter_));

  connect(DirTree, &TDirTree::DirectoryChanged, this, [this] {
    selIndex_ = -1;
    RefreshFileList();
  });
  connect(DirTree, &TDirTree::FolderNoAnswer, this, [this](const QString& path) {
    DirectoryPanel->setText(FromSystemText(FmMessageText(FmMessage::NoAnswer, {FileNameInMessage(path.toStdString())})));
  });
  connect(FileList, &TFileListView::SelectionChanged, this, [this] {
    UpdateStatus();
    UpdateEnabled();
  });
  connect(FileList, &TFileListView::OpenRequested, this, [this] { Open1Click(255); });
  connect(FileList, &TFileListView::HeaderClicked, this, [this](int column) {
    sortKnown_ = true;
    if (auto* b = ToolButton(QStringLiteral("SpeedButton%1").arg(column + 1))) b->setChecked(true);
  });
  for (QWidget* w : {static_cast<QWidget*>(FileList->ReportView()), static_cast<QWidget*>(FileList->ListView()),
                     static_cast<QWidget*>(status)}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint& p) {
      UpdateEnabled();
      PopupMenu1->popup(w->mapToGlobal(p));
    });
  }

  // The tree is read when the window is first shown or used: a window kept
  // hidden costs the start-up nothing.
  startFolder_ = QDir::currentPath().toStdString();
  UpdateEnabled();
}

void TFMForm::EnsureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  // The roots of the mount table, at the folder the program started in.
  const char* home = std::getenv("HOME");
  DirTree->SetRoots(TreeRoots(platform::ReadMountTable(), home ? home : "/"));
  DirTree->SetDirectory(startFolder_);
  RefreshFileList();
}

TFMForm::~TFMForm() = default;

QAction* TFMForm::Action(const QString& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

QAbstractButton* TFMForm::ToolButton(const QString& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

void TFMForm::BuildToolRow() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(2);
  const auto button = [&](const char* name, const QString& text, const QString& hint, bool checkable) {
    auto* b = new QToolButton(panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    row->addWidget(b);
    buttons_[b->objectName()] = b;
    return b;
  };
  auto* sortGroup = new QButtonGroup(panel);
  const char* sortNames[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};
  const char* sortTexts[] = {"N", "S", "T", "D"};
  const char* sortHints[] = {"Sort by name", "Sort by size", "Sort by type", "Sort by date"};
  for (int c = 0; c < 4; ++c) {
    auto* b = button(sortNames[c], QString::fromLatin1(sortTexts[c]), QString::fromLatin1(sortHints[c]), true);
    sortGroup->addButton(b, c);
    connect(b, &QToolButton::clicked, this, [this, c] { SortButtonClick(c); });
  }
  auto* view = button("SpeedButton6", QStringLiteral("L"), QStringLiteral("Report view / list view"), true);
  connect(view, &QToolButton::toggled, this, [this](bool down) { SetListView(down); });
  auto* chg = new QPushButton(QStringLiteral("Change>>>"), panel);
  chg->setObjectName(QStringLiteral("ChgBtn"));
  chg->setContextMenuPolicy(Qt::CustomContextMenu);
  buttons_[chg->objectName()] = chg;
  row->addWidget(chg);
  connect(chg, &QPushButton::clicked, this, [this] { ChgBtnClick(); });
  FileListEdit = new QLineEdit(QStringLiteral("*.*"), panel);
  FileListEdit->setObjectName(QStringLiteral("FileListEdit"));
  FileListEdit->setMaximumWidth(120);
  row->addWidget(FileListEdit);
  connect(FileListEdit, &QLineEdit::textEdited, this, [this](const QString& text) { filter_ = ToFileName(text); });
  connect(FileListEdit, &QLineEdit::editingFinished, this, [this] {
    if (FileListEdit->text().trimmed().isEmpty()) FileListEdit->setText(QStringLiteral("*.*"));
    SetFilter(ToFileName(FileListEdit->text().trimmed()));
  });
  // The default disk format: at most one down, all up allowed.
  const struct {
    const char* name;
    const char* text;
    const char* hint;
    int format;
  } formats[] = {{"NuvDosBtn", "NVS", "Nuvel DOS format", 1},
                 {"NuvWinBtn", "NVW", "Nuvel Windows format", 0},
                 {"DosTextBtn", "DOS", "DOS text Format", 2}};
  for (const auto& f : formats) {
    auto* b = button(f.name, QString::fromLatin1(f.text), QString::fromLatin1(f.hint), true);
    connect(b, &QToolButton::clicked, this, [this, b, format = f.format](bool down) {
      for (const char* other : {"NuvDosBtn", "NuvWinBtn", "DosTextBtn"}) {
        auto* o = ToolButton(QString::fromLatin1(other));
        if (o != b) o->setChecked(false);
      }
      if (down) ConvBtnClick(format);
    });
  }
  auto* folder = button("SpeedButton5", QStringLiteral("..."), QStringLiteral("New directory"), false);
  connect(folder, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
  row->addStretch(1);
}

void TFMForm::BuildMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  actions_[QStringLiteral("File1")] = file->menuAction();
  connect(file, &QMenu::aboutToShow, this, [this] { UpdateEnabled(); });

  struct Item {
    const char* main;
    const char* popup;
    const char* caption;
    QKeySequence key;
    std::function<void()> run;
  };
  const std::vector<Item> items = {
      {"Open1", "Open2", "&Open", {}, [this] { Open1Click(255); }},
      {"View1", "View2", "&View", QKeySequence(Qt::Key_F3), [this] { View2Click(); }},
      {"OpenSpecial1", "OpenSpecial2", "Open Specia&l", {}, nullptr},
      {"Move1", "Move2", "Mo&ve...", QKeySequence(Qt::Key_F7), [this] { FileChange(QStringLiteral("Move")); }},
      {"Copy1", "Copy2", "&Copy...", QKeySequence(Qt::Key_F8), [this] { FileChange(QStringLiteral("Copy")); }},
      {"Delete1", "Delete2", "&Delete...", QKeySequence(Qt::Key_Delete), [this] { Delete1Click(); }},
      {"Rename1", "Rename2", "&Rename...", {}, [this] { FileChange(QStringLiteral("Rename")); }},
      {"Properties1", "Properties2", "&Properties...", QKeySequence(Qt::ALT | Qt::Key_Return), [this] { Properties1Click(); }},
      {"Compress1", "Compress2", "Co&mpress...", {}, [this] { FileChange(QStringLiteral("Compress")); }},
      {"Decompress1", "Decompress2", "Decompre&ss...", {}, [this] { FileChange(QStringLiteral("DeCompress")); }},
      {"MakeDir2", "MakeDir1", "Ma&ke Dir...", {}, [this] { MakeDir1Click(); }},
      {"SelectAll2", "SelectAll1", "Se&lect All", {}, [this] { SelectAll1Click(); }},
      {"Exit1", "Exit2", "C&lose", {}, [this] { close(); }},
  };
  for (const Item& item : items) {
    if (!item.run) {
      // Open Special: the three forced formats.
      QMenu* sub = file->addMenu(QString::fromLatin1(item.caption));
      sub->setObjectName(QString::fromLatin1(item.main));
      actions_[sub->objectName()] = sub->menuAction();
      QMenu* popSub = PopupMenu1->addMenu(QString::fromLatin1(item.caption));
      popSub->setObjectName(QString::fromLatin1(item.popup));
      actions_[popSub->objectName()] = popSub->menuAction();
      const struct {
        const char* main;
        const char* popup;
        const char* caption;
        int format;
      } special[] = {{"OpenNuvelWin1", "OpenNuvelWin2", "Open Nuvel &Win...", 0},
                     {"OpenNuvelDos1", "OpenNuvelDos2", "Open Nuvel &Dos...", 1},
                     {"OpenDosText1", "OpenDosText2", "Open Dos &Text...", 2}};
      for (const auto& s : special) {
        for (auto [menu, name] : {std::pair{sub, s.main}, std::pair{popSub, s.popup}}) {
          QAction* a = menu->addAction(QString::fromLatin1(s.caption));
          a->setObjectName(QString::fromLatin1(name));
          actions_[a->objectName()] = a;
          connect(a, &QAction::triggered, this, [this, f = s.format] { Open1Click(f); });
        }
      }
      continue;
    }
    QAction* a = file->addAction(QString::fromLatin1(item.caption));
    a->setObjectName(QString::fromLatin1(item.main));
    if (!item.key.isEmpty()) {
      a->setShortcut(item.key);
      a->setShortcutContext(Qt::WindowShortcut);
    }
    actions_[a->objectName()] = a;
    connect(a, &QAction::triggered, this, item.run);
    QAction* p = PopupMenu1->addAction(QString::fromLatin1(item.caption));
    p->setObjectName(QString::fromLatin1(item.popup));
    actions_[p->objectName()] = p;
    connect(p, &QAction::triggered, this, item.run);
  }
  QAction* newWin = menuBar()->addAction(QStringLiteral("&New FM"));
  newWin->setObjectName(QStringLiteral("NewWin"));
  newWin->setStatusTip(QStringLiteral("Open a new File window"));
  actions_[newWin->objectName()] = newWin;
  connect(newWin, &QAction::triggered, this, [this] {
    if (host_.newWindow) host_.newWindow();
  });
  PopupMenu1->setContextMenuPolicy(Qt::PreventContextMenu);
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { UpdateEnabled(); });
  if (auto* chg = ToolButton(QStringLiteral("ChgBtn"))) {
    connect(chg, &QWidget::customContextMenuRequested, this,
            [this, chg](const QPoint& p) { PopupMenu1->popup(chg->mapToGlobal(p)); });
  }
}

void TFMForm::UpdateEnabled() {
  const bool any = !FileList->SelectedRows().empty();
  for (const char* base : {"Open", "View", "Move", "Copy", "Delete", "Rename", "Properties", "Compress", "Decompress",
                           "OpenSpecial"}) {
    for (const char* n : {"1", "2"}) {
      if (QAction* a = Action(QString::fromLatin1(base) + QString::fromLatin1(n))) a->setEnabled(any);
    }
  }
  // Without a file viewer there is nothing to view in.
  for (const char* n : {"View1", "View2"}) {
    if (QAction* a = Action(QString::fromLatin1(n))) a->setEnabled(any && host_.viewFile != nullptr);
  }
  const bool locked = host_.formatLocked && host_.formatLocked();
  for (const char* n : {"NuvDosBtn", "NuvWinBtn", "DosTextBtn"}) {
    if (auto* b = ToolButton(QString::fromLatin1(n))) b->setEnabled(!locked);
  }
}

std::string TFMForm::Folder() const { return DirTree->Directory(); }

bool TFMForm::ShowFolder(const std::string& path) {
  EnsureLoaded();
  const bool reached = DirTree->SetDirectory(path);
  RefreshFileList();
  return reached;
}

void TFMForm::SetFilter(const std::string& filter) {
  filter_ = filter.empty() ? "*.*" : filter;
  FileListEdit->setText(FromFileName(filter_));
  WriteFileWindowFilter(Suffix(), filter_);
  selIndex_ = -1;
  RefreshFileList();
}

void TFMForm::RefreshFileList() {
  if (!FileList || !DirTree) return;
  const std::string folder = Folder();
  if (folder == "?") {
    FileList->SetFiles({});
    DirectoryPanel->clear();
    UpdateStatus();
    return;
  }
  BusyCursor busy;
  DirectoryPanel->setText(FromFileName(folder));
  DirectoryPanel->setToolTip(FromFileName(folder));
  FolderListing listing;
  const std::string mask = filter_;
  if (DirTree->OnRemoteRoot(folder)) {
    auto got = CallWithin<FolderListing>([folder, mask] { return ListFiles(folder, mask); }, DirTree->RemoteLimit);
    if (!got) {
      DirectoryPanel->setText(FromSystemText(FmMessageText(FmMessage::NoAnswer, {FileNameInMessage(folder)})));
      listing.error = ETIMEDOUT;
    } else {
      listing = std::move(*got);
    }
  } else {
    listing = ListFiles(folder, mask);
  }
  FileList->SetFiles(std::move(listing.files));
  UpdateStatus();
  // The file selected before comes back by its name; else its place.
  const std::string name = std::exchange(selName_, std::string());
  if (name.empty() || !FileList->SelectName(name)) {
    if (selIndex_ >= FileList->Count()) selIndex_ = FileList->Count() - 1;
    if (selIndex_ >= 0) FileList->SelectRow(selIndex_);
  }
  UpdateEnabled();
}

void TFMForm::UpdateStatus() {
  StatusWords words;
  words.totalFiles = FmMessageFormat(FmMessage::TotalFiles);
  words.totalSelected = FmMessageFormat(FmMessage::TotalSelected);
  words.bytesInFiles = FmMessageFormat(FmMessage::BytesInFiles);
  const FileListStatus s = StatusOfFiles(FileList->Files(), FileList->SelectedRows(), FileList->IsListView(), words);
  NameSize->setText(FromSystemText(s.nameSize));
  if (FileList->IsListView() && FileList->SelectedRows().size() == 1) NameSize->setText(FromFileName(s.nameSize));
  LablDate->setText(FromSystemText(s.lablDate));
}

std::string TFMForm::PathOfRow(int row) const { return Join(Folder(), FileList->Entry(row).name); }

void TFMForm::Open1Click(int diskFormat) {
  // Every selected file opens whole, blanks and all, in the editor; a
  // program file is opened as text, never run.
  for (int row : FileList->SelectedRows()) {
    const std::string path = PathOfRow(row);
    if (host_.activateIfOpen && host_.activateIfOpen(path)) continue;
    if (host_.openFile) host_.openFile(path, diskFormat);
  }
  update();
}

void TFMForm::View2Click() {
  const int row = FileList->FocusedRow();
  if (row < 0 || !host_.viewFile) return;
  const std::string path = PathOfRow(row);
  if (host_.activateIfOpen && host_.activateIfOpen(path)) {
    MessageDlg(FmMessageText(FmMessage::OpenInEditor, {FileNameInMessage(path)}), MsgDlgType::Information, mbOK);
    return;
  }
  host_.viewFile(path);
}

bool TFMForm::ConfirmChange(const QString& operation, const std::string& source, const std::string& to, bool& all,
                            bool batch) {
  const std::string target = OperationTarget(source, to, Folder());
  if (SameFile(source, target)) {
    MessageDlg(FmMessageText(FmMessage::OntoItself, {FileNameInMessage(source)}), MsgDlgType::Error, mbOK);
    return true;
  }
  const FmMessage ask = operation == QLatin1String("Copy")       ? FmMessage::AskCopy
                        : operation == QLatin1String("Move")     ? FmMessage::AskMove
                        : operation == QLatin1String("Compress") ? FmMessage::AskCompress
                                                                 : FmMessage::AskDecompress;
  if (!all) {
    const auto answer = MessageDlg(FmMessageText(ask, {FileNameInMessage(source), FileNameInMessage(target)}),
                                   MsgDlgType::Confirmation, batch ? (mbYes | mbNo | mbAll) : (mbYes | mbNo));
    if (answer == mrAll) all = true;
    if (answer != mrYes && answer != mrAll) return true;
  }
  struct stat st;
  const bool exists = ::lstat(target.c_str(), &st) == 0;
  if (exists && MessageDlg(FmMessageText(FmMessage::AskReplace, {FileNameInMessage(target)}),
                           MsgDlgType::Confirmation, mbYes | mbNo) != mrYes)
    return true;
  try {
    CopyOptions options;
    options.replace = exists;
    if (operation == QLatin1String("Copy")) {
      CopyFile(source, target, options);
    } else if (operation == QLatin1String("Move")) {
      MoveFile(source, target, options);
    } else if (operation == QLatin1String("Compress")) {
      Compress(source, target);
    } else {
      DeCompress(source, target);
    }
  } catch (const FileOpError& e) {
    MessageDlg(FileOpErrorText(e), MsgDlgType::Error, mbOK);
    return false;
  } catch (const ECompressError& e) {
    MessageDlg(FmMessageText(FmMessage::CannotCompress, {FileNameInMessage(source), e.what()}), MsgDlgType::Error, mbOK);
    return false;
  }
  return true;
}

void TFMForm::FileChange(const QString& operation) {
  const int focused = FileList->FocusedRow();
  if (focused < 0) return;
  const std::string folder = Folder();
  const std::string from = FileList->Entry(focused).name;
  const auto to = prompts_->Change(operation, folder, from);
  if (!to || to->empty()) return;
  if (operation == QLatin1String("Rename")) {
    const std::string source = Join(folder, from);
    const std::string target = OperationTarget(source, *to, folder);
    if (MessageDlg(FmMessageText(FmMessage::AskRename, {FileNameInMessage(from), FileNameInMessage(*to)}),
                   MsgDlgType::Confirmation, mbYes | mbNo) != mrYes)
      return;
    struct stat st;
    const bool exists = ::lstat(target.c_str(), &st) == 0 && !SameFile(source, target);
    if (exists && MessageDlg(FmMessageText(FmMessage::AskReplace, {FileNameInMessage(target)}),
                             MsgDlgType::Confirmation, mbYes | mbNo) != mrYes)
      return;
    try {
      RenameFile(source, target, exists);
    } catch (const FileOpError& e) {
      MessageDlg(FileOpErrorText(e), MsgDlgType::Error, mbOK);
    }
    RefreshFileList();
    FileList->SelectName(NameOf(target));
    return;
  }
  selIndex_ = focused;
  selName_ = from;
  const std::vector<int> rows = FileList->SelectedRows();
  // The names first: the list is not touched while the batch runs.
  std::vector<std::string> sources;
  if (rows.size() <= 1) {
    sources.push_back(Join(folder, from));
  } else {
    for (int r : rows) sources.push_back(PathOfRow(r));
  }
  {
    BusyCursor busy;
    bool all = false;
    for (const std::string& source : sources) {
      if (!ConfirmChange(operation, source, *to, all, sources.size() > 1)) break;
    }
  }
  RefreshFileList();
}

void TFMForm::Delete1Click() {
  const std::vector<int> rows = FileList->SelectedRows();
  if (rows.empty()) return;
  std::vector<std::string> paths;
  if (rows.size() == 1) {
    paths.push_back(PathOfRow(FileList->FocusedRow()));
  } else {
    for (int r : rows) paths.push_back(PathOfRow(r));
  }
  selIndex_ = FileList->FocusedRow();
  bool all = false;
  for (const std::string& path : paths) {
    if (!all) {
      const auto answer = MessageDlg(FmMessageText(FmMessage::AskDelete, {FileNameInMessage(path)}),
                                     MsgDlgType::Confirmation, paths.size() > 1 ? (mbYes | mbNo | mbAll) : (mbYes | mbNo));
      if (answer == mrAll) all = true;
      if (answer != mrYes && answer != mrAll) continue;
    }
    // A read-only file is asked about on its own, even after All.
    if (HasAttr(path, faReadOnly) &&
        MessageDlg(FmMessageText(FmMessage::AskDeleteReadOnly, {FileNameInMessage(path)}), MsgDlgType::Warning,
                   mbYes | mbNo) != mrYes)
      continue;
    try {
      DeleteFile(path);
    } catch (const FileOpError& e) {
      MessageDlg(FileOpErrorText(e), MsgDlgType::Error, mbOK);
    }
  }
  RefreshFileList();
}

void TFMForm::Properties1Click() {
  const int row = FileList->FocusedRow();
  if (row < 0) return;
  const FileEntry entry = FileList->Entry(row);
  const std::string path = PathOfRow(row);
  const auto chosen = prompts_->Attributes(entry.name, Folder(), ModifiedText(entry.modifiedNs), entry.Attributes());
  if (!chosen || *chosen == entry.Attributes()) return;
  std::string now = path;
  try {
    now = SetFileAttributes(path, *chosen);
  } catch (const FileOpError& e) {
    MessageDlg(FileOpErrorText(e), MsgDlgType::Error, mbOK);
  }
  selIndex_ = -1;
  RefreshFileList();
  FileList->SelectName(NameOf(now));
}

void TFMForm::MakeDir1Click() {
  const auto name = prompts_->Line(FmMessageFormat(FmMessage::Caption), FmMessageFormat(FmMessage::AskFolder), "");
  if (!name || name->empty()) return;
  const std::string path = (*name)[0] == '/' ? *name : Join(Folder(), *name);
  const bool made = MakeFolder(path);
  MessageDlg(FmMessageText(made ? FmMessage::FolderMade : FmMessage::FolderNotMade, {FileNameInMessage(*name)}),
             MsgDlgType::Confirmation, mbOK);
  if (made) {
    // The tree shows the new folder under the listed one.
    const std::string keep = Folder();
    DirTree->Reload();
    DirTree->SetDirectory(keep);
  }
}

void TFMForm::SelectAll1Click() {
  FileList->SelectAll();
  UpdateStatus();
}

void TFMForm::ChgBtnClick() {
  const auto answer = prompts_->Line(FmMessageFormat(FmMessage::Caption), FmMessageFormat(FmMessage::AskFilter), filter_);
  if (!answer) return;
  SetFilter(*answer);
}

void TFMForm::SpeedButton5Click() {
  const auto folder = prompts_->Folder(Folder() == "?" ? std::string("/") : Folder());
  if (!folder) return;
  DirTree->SetRootOf(*folder);
  ShowFolder(*folder);
}

void TFMForm::SetListView(bool list) {
  if (auto* b = ToolButton(QStringLiteral("SpeedButton6")); b && b->isChecked() != list) {
    const QSignalBlocker block(b);
    b->setChecked(list);
  }
  FileList->SetListView(list);
  UpdateStatus();
}

void TFMForm::SortButtonClick(int column) {
  sortKnown_ = true;
  FileList->ColumnClick(column);
  if (auto* b = ToolButton(QStringLiteral("SpeedButton%1").arg(column + 1))) b->setChecked(true);
}

void TFMForm::ConvBtnClick(int format) {
  WriteIniString("GENPREFS", "DISK_FMT", std::to_string(format));
  if (host_.formatChosen) host_.formatChosen();
}

void TFMForm::FormActivate() {
  RefreshFileList();
  const std::string fmt = ReadIniString("GENPREFS", "DISK_FMT");
  const char* down = fmt == "1" ? "NuvDosBtn" : fmt == "2" ? "DosTextBtn" : "NuvWinBtn";
  for (const char* n : {"NuvDosBtn", "NuvWinBtn", "DosTextBtn"}) {
    if (auto* b = ToolButton(QString::fromLatin1(n))) b->setChecked(std::string_view(n) == down);
  }
  UpdateEnabled();
}

void TFMForm::SaveWindowSettings() {
  FileWindowSettings s;
  const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
  s.height = r.height();
  s.width = r.width();
  s.left = pos().x();
  s.top = pos().y();
  s.columns = FileList->ColumnWidths();
  if (sortKnown_) s.sortColumn = std::min(FileList->Order().column, 3);
  s.forward = FileList->Order().forward;
  WriteFileWindowSettings(Suffix(), s);
}

void TFMForm::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  EnsureLoaded();
  if (number_ == 1) WriteIniString("FileManager", "Showing", "1");
}

void TFMForm::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    FormActivate();
  } else {
    const auto rows = FileList->SelectedRows();
    selIndex_ = rows.empty() ? -1 : FileList->FocusedRow();
  }
}

void TFMForm::closeEvent(QCloseEvent* e) {
  SaveWindowSettings();
  if (number_ == 1) WriteIniString("FileManager", "Showing", "0");
  QMainWindow::closeEvent(e);
  if (OnClosed) OnClosed(*this);
}

}  // namespace nuvel
