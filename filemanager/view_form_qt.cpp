#include "filemanager/view_form_qt.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "core/form_state_qt.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "filemanager/view_status.h"
#include "platform/input_box.h"
#include "tools/search_dlgs_qt.h"
#include "platform/string_library.h"
#include "ui/interface_texts_qt.h"
#include "ui/message_format.h"

namespace nuvel {

std::string ViewFormCaption() { return GetMessageText(38549, 41765); }

TViewForm::TViewForm(TViewFormHost host, QWidget* parent) : QMainWindow(parent), host_(std::move(host)) {
  setObjectName(QStringLiteral("ViewForm"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(640, 480);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  viewer_ = new TNvcFileViewerWidget(central);
  viewer_->setObjectName(QStringLiteral("Viewer"));
  if (host_.controller != nullptr) viewer_->SetController(host_.controller);
  layout->addWidget(viewer_, 1);
  auto* header = new QWidget(central);
  header->setObjectName(QStringLiteral("Header1"));
  auto* row = new QHBoxLayout(header);
  row->setContentsMargins(2, 1, 2, 1);
  const int stretch[] = {12, 46, 36, 50, 11};
  for (size_t i = 0; i < header_.size(); ++i) {
    header_[i] = new QLabel(header);
    header_[i]->setObjectName(QStringLiteral("Header1_%1").arg(i));
    header_[i]->setFrameShape(QFrame::Panel);
    header_[i]->setFrameShadow(QFrame::Sunken);
    row->addWidget(header_[i], stretch[i]);
  }
  header_[1]->setText(QStringLiteral("Total:"));
  header_[2]->setText(QStringLiteral("Top:"));
  header_[3]->setText(QStringLiteral("Bytes:"));
  layout->addWidget(header);
  setCentralWidget(central);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->menuAction()->setObjectName(QStringLiteral("File1"));
  AddItem(file, "Open1", QStringLiteral("&Open..."));
  AddItem(file, "Edit1", QStringLiteral("&Edit"), QStringLiteral("Edit in Nuvel"));
  AddItem(file, "Exit1", QStringLiteral("E&xit"))->setShortcut(Qt::Key_Escape);
  QMenu* clip = menuBar()->addMenu(QStringLiteral("&Clipboard"));
  clip->menuAction()->setObjectName(QStringLiteral("Clipboard1"));
  AddItem(clip, "Copy1", QStringLiteral("&Copy"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
  AddItem(clip, "SelectAll1", QStringLiteral("&Select all"));
  QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
  search->menuAction()->setObjectName(QStringLiteral("Search1"));
  AddItem(search, "Find1", QStringLiteral("&Find..."));
  AddItem(search, "FindNext1", QStringLiteral("Find &next"))->setShortcut(Qt::Key_F3);
  AddItem(search, "GotoLine1", QStringLiteral("&Go to line..."))->setShortcut(Qt::Key_F4);
  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->menuAction()->setObjectName(QStringLiteral("Options1"));
  QAction* hex = AddItem(options, "HexMode1", QStringLiteral("&Hex Mode"),
                         QStringLiteral("Display Hex values of each character"));
  hex->setShortcut(Qt::Key_F8);
  hex->setCheckable(true);
  QAction* tabs = AddItem(options, "TabExpansion1", QStringLiteral("&Tab expansion"),
                          QStringLiteral("Display tabs in file as spaces"));
  tabs->setCheckable(true);
  tabs->setChecked(true);
  AddItem(options, "WordStarCommands1", QStringLiteral("WordStar &commands"))->setVisible(false);
  AddItem(options, "TabSize1", QStringLiteral("Tab si&ze..."));
  AddItem(options, "Font1", QString())->setVisible(false);
  QAction* hebrew = menuBar()->addAction(FromSystemText(GetMessageText(38452, 41152)));
  hebrew->setObjectName(QStringLiteral("Hebrew"));
  hebrew->setCheckable(true);
  items_[hebrew->objectName()] = hebrew;

  connect(Item("Open1"), &QAction::triggered, this, [this] { Open1Click(); });
  connect(Item("Edit1"), &QAction::triggered, this, [this] { Edit1Click(); });
  connect(Item("Exit1"), &QAction::triggered, this, [this] { close(); });
  connect(Item("Copy1"), &QAction::triggered, this, [this] { CopyClick(); });
  connect(Item("SelectAll1"), &QAction::triggered, this, [this] { SelectAllClick(); });
  connect(Item("Find1"), &QAction::triggered, this, [this] { Find1Click(); });
  connect(Item("GotoLine1"), &QAction::triggered, this, [this] { GotoLine1Click(); });
  connect(Item("TabSize1"), &QAction::triggered, this, [this] { TabSize1Click(); });
  connect(hex, &QAction::triggered, this, [this] { HexMode1Click(); });
  connect(tabs, &QAction::triggered, this, [this] { TabExpansion1Click(); });
  connect(hebrew, &QAction::triggered, this, [this] { HebrewClick(); });
  // Find Next has no action in this window.
  Item("FindNext1")->setEnabled(false);
  for (QMenu* m : {clip, search}) connect(m, &QMenu::aboutToShow, this, [this] { UpdateItems(); });

  Model().SetExpandTabs(true);
  viewer_->OnShowStatus = [this](int64_t, int32_t) { ShowStatus(); };
  setWindowTitle(FromSystemText(ViewFormCaption()));

  if (host_.store != nullptr) {
    formState_ = new TNvcFormState(this);
    formState_->SetStorage(host_.store);
    formState_->SetSection("3.55\\FViewer");
  } else {
    move(screen() != nullptr ? screen()->availableGeometry().center() - rect().center() : QPoint());
  }
  UpdateItems();
}

TViewForm::~TViewForm() {
  if (formState_ != nullptr) formState_->FormDestroying();
}

QAction* TViewForm::AddItem(QMenu* menu, const char* name, const QString& caption, const QString& hint) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) {
    a->setStatusTip(hint);
    a->setToolTip(hint);
  }
  // Shortcuts act while the viewer has the focus too.
  a->setShortcutContext(Qt::WindowShortcut);
  items_[a->objectName()] = a;
  return a;
}

QAction* TViewForm::Item(const QString& name) const {
  auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

void TViewForm::Open(const std::string& fileName) {
  THebFileViewer& v = Model();
  v.SetFileName(fileName);
  try {
    v.Open();
  } catch (...) {
    UpdateItems();
    ShowStatus();
    throw;
  }
  setWindowTitle(FromSystemText(fileName) + QStringLiteral(" - ") + FromSystemText(ViewFormCaption()));
  // One scan now, so the line count is known.
  v.CheckLine(kUnknownLineCount);
  UpdateItems();
  ShowStatus();
  viewer_->viewport()->update();
}

void TViewForm::UpdateItems() {
  THebFileViewer& v = Model();
  bool lines = false;
  Guarded([&] { lines = v.IsOpen() && v.HasLines(); });
  Item("Copy1")->setEnabled(v.HasSelection());
  Item("SelectAll1")->setEnabled(lines);
  Item("Find1")->setEnabled(lines);
  Item("GotoLine1")->setEnabled(lines);
}

void TViewForm::ShowStatus() {
  Guarded([&] {
    THebFileViewer& v = Model();
    TViewStatus s;
    if (v.IsOpen() && v.HasLines()) {
      const TViewerPos caret = v.CaretPos();
      s.caretLine = caret.line;
      s.caretCol = v.CaretDisplayPos().col;
      const auto line = v.GetLine(caret.line);
      if (!line.empty()) s.charAtCaret = static_cast<size_t>(caret.col) < line.size() ? line[static_cast<size_t>(caret.col)] : 0;
    }
    s.lineCount = v.LineCount();
    s.topLine = v.TopLine();
    s.fileSize = v.FileSize();
    const TViewStatusTexts t = ViewStatusTexts(s, headerLabels_[0], headerLabels_[1], headerLabels_[2]);
    header_[0]->setText(FromSystemText(t.caret));
    header_[1]->setText(FromSystemText(t.total));
    header_[2]->setText(FromSystemText(t.top));
    header_[3]->setText(FromSystemText(t.bytes));
  });
  UpdateItems();
}

void TViewForm::SetEnglishFile(bool english) {
  QAction* hebrew = Item("Hebrew");
  hebrew->setChecked(!english);
  Model().EnglishFile = english;
  hebrew->setText(FromSystemText(english ? GetMessageText(38452, 41152) : GetMessageText(38451, 41151)));
}

void TViewForm::SetHebCaps() {
  if (!nuvel::SetHebCaps(this, "SetHebCaps_ViewForm")) return;
  // The header's captions, kept for the status texts.
  const uint16_t ids[] = {41766, 41767, 41768};
  for (size_t i = 0; i < 3; ++i) {
    const std::string text = platform::LoadLibraryString(ids[i]);
    if (!text.empty()) headerLabels_[i] = text;
  }
  setWindowTitle(FromSystemText(Model().IsOpen() ? Model().FileName() + " - " + ViewFormCaption() : ViewFormCaption()));
  ShowStatus();
}

// ---- Commands ----

void TViewForm::Open1Click() {
  if (!host_.chooseFile) return;
  const auto name = host_.chooseFile();
  if (!name) return;
  Guarded([&] { Open(*name); });
}

void TViewForm::Edit1Click() {
  const std::string name = Model().FileName();
  close();
  if (host_.openInEditor && !name.empty()) host_.openInEditor(name);
}

namespace {
// The file viewer as the find dialog's target.
class ViewerSearchTarget : public TSearchTarget {
 public:
  explicit ViewerSearchTarget(THebFileViewer& viewer) : viewer_(viewer) {}
  bool FindText(std::string_view text, uint16_t options) override {
    return viewer_.FindText({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, options);
  }

 private:
  THebFileViewer& viewer_;
};

// The dialog's text as the shared search text: without the trailing line
// break, NUL or Esc the input may hold.
std::string AsSearchText(std::string text) {
  while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r' || text.back() == 27))
    text.pop_back();
  return text;
}
}  // namespace

void TViewForm::Find1Click() {
  Guarded([&] {
    if (!Model().HasLines()) return;
    THebFindDlg dlg(this);
    dlg.Mode = 1;
    if (!EngPrompts) nuvel::SetHebCaps(&dlg, "SetHebCaps_HebFindDlg");
    TSearchDialogSetup setup;
    // The shared search text is offered as it is.
    setup.text = host_.searchText ? host_.searchText() : std::string();
    const bool nikud = host_.nikudKeyboard && host_.nikudKeyboard();
    setup.layer = Model().EnglishFile ? TKbdLayer::English : nikud ? TKbdLayer::Nikud : TKbdLayer::Hebrew;
    setup.englishDocument = Model().EnglishFile;
    dlg.Setup(setup);
    auto target = std::make_shared<ViewerSearchTarget>(Model());
    dlg.SetTarget([target]() -> TSearchTarget* { return target.get(); });
    dlg.SetOptions(&searchOptions_);
    dlg.exec();
    if (host_.setSearchText) host_.setSearchText(AsSearchText(dlg.FindEdit()->Line().Text));
  });
  ShowStatus();
}

void TViewForm::GotoLine1Click() {
  Guarded([&] {
    THebFileViewer& v = Model();
    if (!v.HasLines()) return;
    const int64_t count = v.LineCount();
    const std::string total = count == kUnknownLineCount ? std::string("?") : std::to_string(count);
    const auto answer = platform::AskInputBox({"Go to Line Number", "Enter Line Number (1 to " + total + ")", ""});
    if (!answer) return;
    // Anything but a number does nothing.
    if (const auto line = ParseWholeNumber(*answer)) v.GotoPosition(*line - 1);
    ShowStatus();
  });
}

void TViewForm::TabSize1Click() {
  Guarded([&] {
    THebFileViewer& v = Model();
    const auto answer = platform::AskInputBox({"Tab Size", "Enter Tab Size", std::to_string(v.TabSize())});
    if (!answer) return;
    // Anything but a number is ignored; the viewer refuses 0 itself.
    if (const auto size = ParseWholeNumber(*answer); size && *size <= 1000) v.SetTabSize(static_cast<int>(*size));
  });
}

void TViewForm::HexMode1Click() {
  Guarded([&] { Model().SetInHexMode(Item("HexMode1")->isChecked()); });
  ShowStatus();
}

void TViewForm::TabExpansion1Click() {
  Guarded([&] { Model().SetExpandTabs(Item("TabExpansion1")->isChecked()); });
  ShowStatus();
}

void TViewForm::HebrewClick() { SetEnglishFile(!Item("Hebrew")->isChecked()); }

void TViewForm::CopyClick() {
  Guarded([&] { Model().CopyToClipboard(); });
}

void TViewForm::SelectAllClick() {
  Guarded([&] { Model().SelectAll(); });
  ShowStatus();
}

void TViewForm::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (formState_ != nullptr && !formState_->Restored()) formState_->FormCreated();
  if (host_.shownChanged) host_.shownChanged(true);
}

void TViewForm::closeEvent(QCloseEvent* e) {
  if (formState_ != nullptr) formState_->FormCloseQuery();
  // The window goes with its viewer: the file and the cache are freed now.
  Guarded([&] { Model().Close(); });
  if (host_.shownChanged) host_.shownChanged(false);
  QMainWindow::closeEvent(e);
}

}  // namespace nuvel
