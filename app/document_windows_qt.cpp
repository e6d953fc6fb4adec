#include "app/document_windows_qt.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTime>
#include <QToolBar>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <system_error>

#include "core/qstring_bytes_qt.h"
#include "app/collect_mark.h"
#include "app/main_commands_qt.h"
#include "app/document_io.h"
#include "app/disk_format_pref.h"
#include "app/file_name_parts.h"
#include "app/file_prompts_qt.h"
#include "app/main_form_flags.h"
#include "app/mdi_child_qt.h"
#include "app/reopen_list.h"
#include "app/save_as_rules.h"
#include "app/status_texts.h"
#include "app/window_placement.h"
#include "core/charset.h"
#include "core/exceptions.h"
#include "core/file_messages.h"
#include "core/fixed_font_names.h"
#include "core/guarded_call.h"
#include "core/ini_location.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "platform/file_facts.h"
#include "core/shared_state.h"
#include "editor/editor_widget_qt.h"
#include "editor/para_list.h"
#include "ui/message_format.h"
#include "editor/heb_text_editor.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "editor/text_file_editor.h"
#include "formats/ebook_names.h"
#include "tools/rule_file_choice.h"
#include "tools/text_histories.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {
namespace {


// The prompt's text is bytes of the system's set; file names are bytes of
// the file system's encoding.
std::string NameOfPromptText(const std::string& text) { return QFile::encodeName(FromSystemText(text)).toStdString(); }
std::string PromptTextOfName(const std::string& name) {
  const QString wide = QFile::decodeName(name.c_str());
  std::string text(static_cast<size_t>(wide.size()), '\0');
  WideToHebBuffer(std::u16string_view(reinterpret_cast<const char16_t*>(wide.utf16()), static_cast<size_t>(wide.size())),
                  std::span(reinterpret_cast<uint8_t*>(text.data()), text.size()));
  // Characters the system's set lacks have no byte.
  std::erase(text, '\0');
  return text;
}

bool FileExists(const std::string& name) {
  std::error_code ec;
  return std::filesystem::is_regular_file(name, ec);
}

}  // namespace

DocumentWindows::DocumentWindows(DocumentFrame frame, QObject* parent)
    : QObject(parent),
      Options(frame.options ? *frame.options : *(ownOptions_ = std::make_unique<MainOptions>())),
      frame_(std::move(frame)) {
  ownPrompts_ = std::make_unique<QtFilePrompts>(frame_.window);
  prompts_ = ownPrompts_.get();

  tabBar_ = new QToolBar(frame_.window);
  tabBar_->setObjectName(QStringLiteral("TabBar"));
  tabBar_->setMovable(false);
  tabs_ = new QTabBar(tabBar_);
  tabs_->setObjectName(QStringLiteral("TabCtrl"));
  tabs_->setExpanding(false);
  tabs_->setDocumentMode(true);
  tabBar_->addWidget(tabs_);
  if (frame_.window) {
    frame_.window->addToolBarBreak(Qt::TopToolBarArea);
    frame_.window->addToolBar(Qt::TopToolBarArea, tabBar_);
  }
  connect(tabs_, &QTabBar::currentChanged, this, &DocumentWindows::TabCtrlChange);
  connect(frame_.area, &QMdiArea::subWindowActivated, this, &DocumentWindows::SubWindowActivated);
  // A window that still cannot fit (its smallest size is larger than the
  // area) can be scrolled to.
  frame_.area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  frame_.area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  frame_.area->viewport()->installEventFilter(this);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, &DocumentWindows::Timer1Timer);
  timer_->start();

  Options.ReopenList = ReadReopenSection();
  // Coming back to the program, the active document's file is looked at.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) QTimer::singleShot(0, this, [this] { CheckActiveFile(); });
  });
  ConnectItems();
  UpdateButtons();
}

DocumentWindows::~DocumentWindows() = default;

void DocumentWindows::ConnectItems() {
  if (frame_.commands) {
    commands_ = frame_.commands;
  } else {
    CommandSurface surface;
    surface.item = frame_.item;
    surface.button = frame_.button;
    commands_ = new MainCommands(surface, this);
  }
  commands_->State = [this] { return CommandStateNow(); };
  // The clipboard is asked once when it changes, not on every refresh.
  auto clipboardChanged = [this] {
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    clipboardHasText_ = clip && clip->hasText();
    if (commands_) commands_->Refresh();
  };
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this, clipboardChanged);
  clipboardChanged();

  MainCommands& on = *commands_;
  on.On("New1", [this] { New1Click(); });
  on.On("Save1", [this] { Save1Click(); });
  on.On("SaveAs1", [this] { SaveAs1Click(false); });
  on.On("Close1", [this] { Close1Click(); });
  on.On("CloseAll1", [this] { CloseAll1Click(); });
  on.On("CollectAll1", [this] { CollectAll1Click(); });
  on.On("Cascade1", [this] { Cascade1Click(); });
  on.On("TileH1", [this] { TileH1Click(); });
  on.On("TileVertical1", [this] { TileVertical1Click(); });
  on.On("ArrangeIcons1", [this] { frame_.area->tileSubWindows(); });
  on.On("MinimizeAll1", [this] { MinimizeAll1Click(); });
  on.On("RestoreAll1", [this] { RestoreAll1Click(); });
  on.On("NextWindow1", [this] { NextWindow1Click(); });
  on.On("ToggleType1", [this] { ToggleType1Click(); });
  on.On("OpenNuvelWin1", [this] { OpenSpecial(0); });
  on.On("OpenNuvelWin2", [this] { OpenSpecial(0); });
  on.On("OpenNuvelDos1", [this] { OpenSpecial(1); });
  on.On("OpenNuvelDos2", [this] { OpenSpecial(1); });
  on.On("OpenDosText1", [this] { OpenSpecial(2); });
  on.On("OpenDosText2", [this] { OpenSpecial(2); });
  on.On("Split1", [this] {
    if (TMDIChild* c = ActiveChild()) c->ToggleSplit();
  });
  on.OnButton(QStringLiteral("NuvWinBtn"), [this] { ConvBtnClick(0); });
  on.OnButton(QStringLiteral("NuvDosBtn"), [this] { ConvBtnClick(1); });
  on.OnButton(QStringLiteral("DosTextBtn"), [this] { ConvBtnClick(2); });
}

CommandState DocumentWindows::CommandStateNow() const {
  CommandState s;
  const std::vector<TMDIChild*> children = Children();
  s.windowCount = static_cast<int>(children.size());
  for (const TMDIChild* c : children)
    if (!c->isMinimized()) ++s.shownWindowCount;
  s.clipboardHasText = clipboardHasText_;
  s.nuvDosOrTagConfig = NuvDosConfig || TagConfig;
  s.formatLocked = NuvDosConfig || NoConversion || TagConfig || ForceCP1255;
  s.searchStringSet = !SearchString.empty();
  if (TMDIChild* c = ActiveChild()) {
    s.activeWindow = true;
    const TNvcCustomEditor& main = c->Editor()->Editor();
    s.mainHasText = main.ParaCount() > 1 || main.ParaLength(1) > 0;
    TNvcCustomEditor& e = c->CurrentEditor()->Editor();
    s.hasSelection = e.HasSelection();
    s.canUndo = e.CanUndo();
    s.canRedo = e.CanRedo();
    s.paragraphCount = e.ParaCount();
    s.blockMarked = e.ParaList().Marker(TNvcParaList::kBlockBeginMarker).Para > 0 &&
                    e.ParaList().Marker(TNvcParaList::kBlockEndMarker).Para > 0;
  }
  return s;
}

bool DocumentWindows::Checked(const char* name) const {
  QAction* a = Item(QString::fromLatin1(name));
  return a && a->isChecked();
}

void DocumentWindows::RunItem(const QString& name) {
  if (commands_) commands_->Run(name);
}

void DocumentWindows::PlayMacroFile(const std::string& name) {
  if (PlayMacroFileHandler) PlayMacroFileHandler(name);
}

void DocumentWindows::RunBuiltInFilter(int kind) {
  if (BuiltInFilterHandler) BuiltInFilterHandler(kind);
}

std::vector<TMDIChild*> DocumentWindows::Children() const {
  std::vector<TMDIChild*> out;
  for (QMdiSubWindow* w : frame_.area->subWindowList(QMdiArea::CreationOrder))
    if (auto* c = qobject_cast<TMDIChild*>(w)) out.push_back(c);
  return out;
}

TMDIChild* DocumentWindows::ActiveChild() const {
  return qobject_cast<TMDIChild*>(frame_.area->activeSubWindow());
}

TMDIChild* DocumentWindows::FindChild(const std::string& name) const {
  for (TMDIChild* c : Children())
    if (c->Caption() == name) return c;
  return nullptr;
}

// ---- File commands ----

TMDIChild* DocumentWindows::CreateMDIChild(const std::string& name, bool noLoad, uint8_t diskFormat,
                                           std::optional<int> conversionMode) {
  // A new window joins a maximized one maximized, as a tab of the same view.
  const TMDIChild* before = ActiveChild();
  const bool joinMaximized = before && before->isMaximized();
  auto* child = new TMDIChild(*this);
  child->SetCaption(name);
  frame_.area->addSubWindow(child);
  {
    syncingTabs_ = true;
    int index = tabs_->addTab(FromUtf8(TabCaptionOf(name)));
    tabs_->setTabData(index, QVariant::fromValue(static_cast<QObject*>(child)));
    tabs_->setCurrentIndex(index);
    syncingTabs_ = false;
  }
  THebTextEditor& doc = child->HebDoc();
  doc.SetDisk_Conv(diskFormat);
  if (conversionMode) doc.SetConversion(doc.Conversion().WithMode(*conversionMode));
  doc.SetFileName(name);
  const bool directionBefore = doc.Engm();
  doc.SetDirectionFromContent(true);
  if (!noLoad) {
    // The load's error is shown once the window is settled: a message box
    // runs the event loop, in which anything may happen to the window.
    std::string loadError;
    if (!GuardedWith([&] { LoadChildFile(*child, name); }, [&](std::string text) { loadError = std::move(text); })) {
      // A window whose file exists but could not be read would save its
      // empty text over that file: it goes. A name with no file behind it
      // keeps its window, as a new document of that name.
      const bool fileThere = platform::KindOfFile(name) != platform::FileKind::Missing;
      if (fileThere) delete child;
      QPointer<TMDIChild> kept(fileThere ? nullptr : child);
      ShowGuardedError(loadError);
      UpdateButtons();
      if (!kept) return nullptr;
      kept->HebDoc().SetCaretPosition(1, 1);
    }
  } else {
    doc.SetCaretPosition(1, 1);
  }
  // Files of the text collection are read-only.
  if (InTextCollection(name, ProgPath)) {
    doc.SetReadOnly(true);
    if (QAction* ro = Item(QStringLiteral("ReadOnly1"))) ro->setChecked(true);
  }
  if (Options.ChildState == 2 || joinMaximized) {
    child->showMaximized();
  } else if (Options.ChildState == 1) {
    child->showMinimized();
  } else {
    // A normal window opens large enough to write in, cascaded below the
    // ones before it.
    child->show();
    PlaceCascaded(*child, static_cast<int>(Children().size()) - 1);
  }
  const bool directionChosen = doc.Engm() != directionBefore;
  if (directionChosen && OnDirectionFromFile) OnDirectionFromFile(*child, false);
  child->ApplyOptions();
  frame_.area->setActiveSubWindow(child);
  if (directionChosen && OnDirectionFromFile) OnDirectionFromFile(*child, true);
  child->Editor()->setFocus();
  UpdateButtons();
  // A file read only in part says so once its window stands.
  if (const std::string notice = doc.TakeLoadNotice(); !notice.empty()) {
    QPointer<TMDIChild> alive(child);
    MessageDlg(notice, MsgDlgType::Warning, platform::mbOK);
    if (!alive) return nullptr;
  }
  return child;
}

void DocumentWindows::LoadChildFile(TMDIChild& child, const std::string& name) {
  // Memory the system cannot give while the file is read is told as a
  // reason the file could not be read, naming it, in the one message.
  try {
    if (LoadEbook && IsPdbFileName(name))
      LoadEbook(child, name);
    else
      LoadDocumentFile(child.HebDoc(), name);
  } catch (const std::bad_alloc&) {
    throw EInOutError(FileMessageText(FileMessage::CannotRead, {FileNameInMessage(name), FileErrorReason(ENOMEM)}));
  } catch (const std::system_error& e) {
    throw EInOutError(
        FileMessageText(FileMessage::CannotRead, {FileNameInMessage(name), FileErrorReason(e.code().value())}));
  }
}

TMDIChild* DocumentWindows::New1Click() {
  std::optional<int> n = NewDocNumbers.Take();
  if (!n) {
    MessageDlg(Options.EnglishUI ? "All 255 untitled documents are open; close one first."
                         : "\xEB\xEC 255 \xE4\xEE\xF1\xEE\xEB\xE9\xED \xEC\xEC\xE0 \xF9\xED \xF4\xFA\xE5\xE7\xE9\xED",
               MsgDlgType::Information, platform::mbOK);
    return nullptr;
  }
  return CreateMDIChild(NewDocName(*n), true, 255);
}

bool DocumentWindows::ActivateIfOpen(const std::string& name) {
  bool found = false;
  for (TMDIChild* c : Children()) {
    if (c->Caption() == name) {
      if (c->isMinimized()) c->showNormal();
      frame_.area->setActiveSubWindow(c);
      c->Editor()->setFocus();
      found = true;
    }
  }
  return found;
}

TMDIChild* DocumentWindows::OpenFile(const std::string& rawName, uint8_t diskFormat, bool addToReopen) {
  std::string name = WithoutFirstDoubledSeparator(rawName);
  // Only regular files are documents: reading a pipe or a device would
  // hang or take what is not a text, and saving would replace it.
  if (!RefuseNonDocument(name)) return nullptr;
  OfferUnfinishedSaves(name);
  TMDIChild* child = CreateMDIChild(name, false, diskFormat);
  if (!child) return nullptr;
  if (addToReopen) UpdateReopenList(name);
  PressFormatButton(diskFormat);
  if (child && OnFileOpened) OnFileOpened(*child);
  return child;
}

bool DocumentWindows::OpenListEntry(const std::string& name) {
  if (ActivateIfOpen(name)) return true;
  if (!FileExists(name)) {
    ShowFileNotFound(name);
    return false;
  }
  OpenFile(name, 255, true);
  return true;
}

void DocumentWindows::UpdateReopenList(const std::string& name) {
  UpdateReopenEntries(Options.ReopenList, name);
  if (OnReopenAdd) OnReopenAdd(name);
  WriteReopenSection(Options.ReopenList);
  if (auto pattern = ReopenPattern(name)) Options.OpenDialogFilter = FilterWithPattern(*pattern, Options.StoredFilter);
  UpdateFileHistory(HistoryFile, name);
}

void DocumentWindows::OpenWithDialog(const std::string& title) {
  for (const std::string& name : PromptOpenNames(title, {})) {
    if (ActivateIfOpen(name)) continue;
    if (FileExists(name))
      OpenFile(name, 255, true);
    else
      CreateMDIChild(name, true, 255);
  }
}

void DocumentWindows::Open1Click() {
  if (!NuvelDlg) {
    OpenWithDialog("Open");
    return;
  }
  TFileStrRequest ask;
  ask.Caption = "Enter Filename";
  ask.Label = "Filename: ";
  for (const std::string& name : HistoryFile) ask.History.push_back(PromptTextOfName(name));
  ask.EnglishMode = true;
  ask.HebScreenFont = IsHebScreenFont(kHebrewScreenFont1);
  const TFileStrAnswer answer = prompts_->AskFileStr(ask);
  switch (answer.Result) {
    case TFileStrResult::Ok: {
      std::string name = NameOfPromptText(TrimPromptText(answer.Text));
      // A name typed relative to the current folder is kept as a full name,
      // as the window's caption and the reopen list hold names.
      if (!name.empty()) name = ExpandFileName(name);
      if (ActivateIfOpen(name)) return;
      if (FileExists(name))
        OpenFile(name, 255, true);
      else
        ShowFileNotFound(name);
      break;
    }
    case TFileStrResult::Retry: OpenWithDialog("Open"); break;
    case TFileStrResult::Cancel: break;
  }
}

std::vector<std::string> DocumentWindows::PromptOpenNames(const std::string& title, const std::string& folder) {
  std::string start = folder;
  if (start.empty()) {
    const TMDIChild* c = ActiveChild();
    const std::string active = c ? c->Caption() : std::string();
    const char* home = std::getenv("HOME");
    start = OpenDialogFolder(active, c && !IsUntitledName(active), LastOpenFolder, home ? home : "",
                             [](const std::string& f) {
                               std::error_code ec;
                               return std::filesystem::is_directory(f, ec);
                             });
  }
  std::vector<std::string> out;
  for (const std::string& chosen : prompts_->OpenFileNames(title, WithAllFilesFirst(Options.OpenDialogFilter), start))
    out.push_back(ExpandFileName(chosen));
  if (!out.empty()) LastOpenFolder = std::string(FolderOf(out.front()));
  return out;
}

void DocumentWindows::OpenSpecial(int format) {
  for (const std::string& name : PromptOpenNames("Open", {})) {
    if (ActivateIfOpen(name)) continue;
    OpenFile(name, static_cast<uint8_t>(format), true);
  }
}

void DocumentWindows::ConvBtnClick(int format) {
  if (format < 0 || format > 2) return;
  WriteIniString("GENPREFS", "DISK_FMT", std::string(1, static_cast<char>('0' + format)));
  PressFormatButton(format);
  // The next save of the active document follows the preference.
  if (TMDIChild* c = ActiveChild()) {
    if (auto* heb = dynamic_cast<THebTextEditor*>(&c->CurrentEditor()->Editor())) heb->SetDisk_Conv(255);
  }
}

void DocumentWindows::ToggleType1Click() {
  std::string next = NextDiskFormatPref(ReadIniString("GENPREFS", "DISK_FMT"));
  PressFormatButton(DiskFormatButtonOf(next));
  WriteIniString("GENPREFS", "DISK_FMT", next);
}

void DocumentWindows::Save1Click() {
  if (TMDIChild* c = ActiveChild()) SaveChild(*c);
}

bool DocumentWindows::SaveChild(TMDIChild& child) {
  const TMDIChild::InUse saving(child);
  TNvcCustomTextFileEditor& doc = child.Doc();
  if (IsUntitledName(doc.FileName()) || IsNewRuleName(doc.FileName())) return SaveChildAs(child, false);
  if (!MayReplaceFile(child, doc.FileName(), false) || saving.Closed()) return false;
  const bool saved = SaveChildTo(child, doc.FileName());
  UpdateButtons();
  return saved;
}

bool DocumentWindows::SaveAs1Click(bool fromTimer) {
  TMDIChild* c = ActiveChild();
  return c ? SaveChildAs(*c, fromTimer) : false;
}

bool DocumentWindows::SaveChildAs(TMDIChild& child, bool fromTimer) {
  struct Busy {
    Busy() { TimerBusy = true; }
    ~Busy() { TimerBusy = false; }
  } busy;
  const TMDIChild::InUse saving(child);
  TNvcCustomTextFileEditor& doc = child.Doc();
  const std::string oldName = doc.FileName();
  std::string filter = Options.OpenDialogFilter;
  const std::string defaultExt = DefaultExtOf(filter);
  if (IsNewRuleName(oldName)) filter = "SuperFind Rule files(*.RLE)|*.RLE" + Options.StoredFilter;
  std::optional<int> number = NewDocNumberOf(oldName);
  std::string suggested = SuggestedSaveName(oldName);
  if (IsNewRuleName(oldName)) {
    // A new rule file is the user's own: it is offered a name in the user's data folder.
    std::error_code ec;
    std::filesystem::create_directories(tools::UserRuleFolder(), ec);
    suggested = tools::UserRuleFolder() + suggested;
  }
  std::optional<std::string> chosen = prompts_->SaveFileName(SaveAsTitle(oldName, fromTimer, EngPrompts), filter, suggested);
  if (!chosen || chosen->empty() || saving.Closed()) return false;
  std::string name = AdjustedSaveName(*chosen, defaultExt, ForceCP1255);
  if (name == oldName && !MayReplaceFile(child, name, false)) return false;
  if (saving.Closed()) return false;
  if (!SaveChildTo(child, name)) return false;
  doc.SetFileName(name);
  std::string caption = name;
  if (CollectTarget == &child) caption = WithCollectMark(caption);
  RenameChild(child, caption);
  UpdateReopenList(name);
  if (number && !IsUntitledName(name)) NewDocNumbers.Free(*number);
  UpdateButtons();
  return true;
}

void DocumentWindows::RenameChild(TMDIChild& child, const std::string& caption) {
  child.SetCaption(caption);
  int index = TabOf(&child);
  if (index >= 0) tabs_->setTabText(index, FromUtf8(TabCaptionOf(caption)));
}

void DocumentWindows::Close1Click() {
  if (TMDIChild* c = ActiveChild()) c->close();
}

void DocumentWindows::CloseAll1Click() {
  std::vector<TMDIChild*> all = Children();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if (!(*it)->close()) break;  // the user kept this one; stop asking
  }
}

void DocumentWindows::CollectAll1Click() {
  QAction* check = Item(QStringLiteral("CollectAll1"));
  if (!CollectTarget) {
    TMDIChild* c = ActiveChild();
    if (!c) {
      if (check) check->setChecked(false);
      return;
    }
    CollectTarget = c;
    RenameChild(*c, WithCollectMark(c->Caption()));
    if (check) check->setChecked(true);
  } else {
    StopCollecting();
  }
}

void DocumentWindows::StopCollecting() {
  if (TMDIChild* c = CollectTarget) RenameChild(*c, std::string(WithoutCollectMark(c->Caption())));
  CollectTarget = nullptr;
  if (QAction* check = Item(QStringLiteral("CollectAll1"))) check->setChecked(false);
}

std::string DocumentWindows::SaveChangesText(const std::string& caption) const {
  return FormatMessage(SaveChangesFmt, {FileNameInMessage(caption)});
}

std::string DocumentWindows::CloseCollectText(const std::string& caption) const {
  return FormatMessage(CloseCollectFmt, {FileNameInMessage(caption)});
}

void DocumentWindows::DropFiles(const std::vector<std::string>& names) {
  bool addToReopen = names.size() == 1;
  for (const std::string& name : names) {
    if (ActivateIfOpen(name)) continue;
    OpenFile(name, 255, addToReopen);
  }
  if (frame_.window) {
    if (frame_.window->isMinimized()) frame_.window->showNormal();
    frame_.window->raise();
    frame_.window->activateWindow();
  }
}

bool DocumentWindows::RefuseNonDocument(const std::string& name) {
  switch (platform::KindOfFile(name)) {
    case platform::FileKind::Folder:
      MessageDlg(FileMessageText(FileMessage::IsFolder, {FileNameInMessage(name)}), MsgDlgType::Information,
                 platform::mbOK);
      return false;
    case platform::FileKind::Other:
      MessageDlg(FileMessageText(FileMessage::NotRegularFile, {FileNameInMessage(name)}), MsgDlgType::Information,
                 platform::mbOK);
      return false;
    default:
      return true;
  }
}

void DocumentWindows::ShowFileNotFound(const std::string& name) {
  std::string text = GetMessageText(38413, 41113);
  if (text.empty()) text = "File not found: %s";
  MessageDlg(FormatMessage(text, {FileNameInMessage(name)}), MsgDlgType::Information, platform::mbOK);
}

void DocumentWindows::ChildClosing(TMDIChild* child) {
  if (std::optional<int> n = NewDocNumberOf(child->Caption())) NewDocNumbers.Free(*n);
  if (CollectTarget == child) CollectTarget = nullptr;
  int index = TabOf(child);
  if (index >= 0) {
    syncingTabs_ = true;
    tabs_->removeTab(index);
    syncingTabs_ = false;
  }
}

void DocumentWindows::ChildDestroyed(TMDIChild* child) {
  answeredStamps_.erase(child);
  if (!tabs_) return;
  int index = TabOf(child);
  if (index >= 0) {
    syncingTabs_ = true;
    tabs_->removeTab(index);
    syncingTabs_ = false;
  }
  QTimer::singleShot(0, this, [this] { UpdateButtons(); });
}

// ---- Tabs ----

std::string DocumentWindows::TabCaptionOf(const std::string& name) const {
  return Options.WinTabFullPath ? name : std::string(NameWithoutFolder(name));
}

int DocumentWindows::TabOf(const TMDIChild* child) const {
  if (!tabs_) return -1;
  for (int i = 0; i < tabs_->count(); ++i)
    if (tabs_->tabData(i).value<QObject*>() == child) return i;
  return -1;
}

void DocumentWindows::SubWindowActivated(QMdiSubWindow* w) {
  auto* child = qobject_cast<TMDIChild*>(w);
  if (child) {
    int index = TabOf(child);
    if (index >= 0 && index != tabs_->currentIndex()) {
      syncingTabs_ = true;
      tabs_->setCurrentIndex(index);
      syncingTabs_ = false;
    }
    if (QAction* split = Item(QStringLiteral("Split1"))) split->setChecked(child->SplitView());
    TNvcCustomEditor& e = child->Editor()->Editor();
    if (QAction* ro = Item(QStringLiteral("ReadOnly1"))) ro->setChecked(e.ReadOnly());
    // The format button of the document's disk format, or of the preference.
    int format = child->HebDoc().Disk_Conv();
    if (format == 255) {
      std::string pref = ReadIniString("GENPREFS", "DISK_FMT");
      format = pref == kNotFound ? 0 : DiskFormatButtonOf(pref);
    }
    PressFormatButton(format);
    if (OnChildActivated) OnChildActivated(*child);
    QTimer::singleShot(0, child, [this, child] { OfferReload(*child); });
  }
  UpdateButtons();
}

void DocumentWindows::TabCtrlChange(int index) {
  if (syncingTabs_ || index < 0) return;
  if (auto* child = qobject_cast<TMDIChild*>(tabs_->tabData(index).value<QObject*>())) {
    if (child->isMinimized()) child->showNormal();
    frame_.area->setActiveSubWindow(child);
  }
}

// ---- Status bar and buttons ----

void DocumentWindows::UpdateStatusBar() {
  if (frame_.panels.size() < 6) return;
  TMDIChild* c = ActiveChild();
  if (!c) {
    for (size_t i = 0; i < 6; ++i) frame_.panels[i]->clear();
    return;
  }
  TNvcCustomEditor& e = c->CurrentEditor()->Editor();
  int32_t col = 0;
  int32_t line = e.GetCaretPosition(col);
  StatusFacts f;
  f.line = line;
  f.col = col;
  if (line >= 1 && line <= e.LineCount()) f.lineText = e.LineBytes(line);
  f.modified = e.Modified();
  f.lineCount = e.LineCount();
  f.topLine = e.TopLine();
  f.textLength = e.TextLength();
  f.insertMode = e.InsertMode();
  f.scrollLock = THebTextEditorWidget::ScrollLockToggled();
  ScrollLockMode = NextScrollLockMode(ScrollLockMode, f.scrollLock, f.line, f.topLine);
  const StatusCaptions captions =
      Options.EnglishUI ? EnglishStatusCaptions()
                        : HebrewStatusCaptions([](uint32_t id) { return GetMessageText(id, id); });
  auto texts = StatusPanelTexts(f, captions);
  for (size_t i = 0; i < texts.size(); ++i) {
    QLabel* panel = frame_.panels[i];
    panel->setLayoutDirection(Options.EnglishUI ? Qt::LeftToRight : Qt::RightToLeft);
    panel->setText(FromSystemText(texts[i]));
    // A panel is as wide as its text needs when its own width is too small
    // for large numbers, and goes back to that width when they are gone.
    const int own = panel->property(kPanelWidthProperty).toInt();
    if (own > 0) {
      const int needed = panel->fontMetrics().horizontalAdvance(panel->text()) + panel->width() -
                         panel->contentsRect().width() + panel->margin() * 2 + 4;
      panel->setFixedWidth(std::max(own, needed));
    }
  }
}

void DocumentWindows::UpdateButtons() {
  if (commands_) commands_->Refresh();
  UpdateStatusBar();
}

void DocumentWindows::PressFormatButton(int diskFormat) {
  if (!frame_.button) return;
  const char* names[] = {"NuvWinBtn", "NuvDosBtn", "DosTextBtn"};
  if (diskFormat < 0 || diskFormat > 2) return;
  if (QAbstractButton* b = frame_.button(QString::fromLatin1(names[diskFormat]))) b->setChecked(true);
}

// ---- Timer ----

void DocumentWindows::Timer1Timer() {
  struct Host : TimerHost {
    DocumentWindows& d;
    explicit Host(DocumentWindows& o) : d(o) {}
    bool HasActiveDocument() override { return d.ActiveChild() != nullptr; }
    bool ActiveModified() override { return d.ActiveChild()->CurrentDoc().Modified(); }
    int64_t ActiveTextLength() override { return d.ActiveChild()->Doc().TextLength(); }
    bool ActiveUntitled() override { return IsUntitledName(d.ActiveChild()->Doc().FileName()); }
    void AutoSaveAs() override { d.SaveChildAs(*d.ActiveChild(), true); }
    void SaveActive() override {
      TMDIChild& child = *d.ActiveChild();
      const TMDIChild::InUse saving(child);
      // A file another program changed is not saved over without asking,
      // and not asked about again once answered.
      if (d.MayReplaceFile(child, child.Doc().FileName(), true) && !saving.Closed())
        d.SaveChildTo(child, child.Doc().FileName());
    }
    void MinimizeAll() override { d.MinimizeAll1Click(); }
    void ShowClock() override {
      if (d.frame_.panels.size() >= 7) d.frame_.panels[6]->setText(QTime::currentTime().toString());
    }
  } host(*this);
  Guarded([&] { TimerStep(Options.Timer, host); });
}

// ---- Window commands ----

void DocumentWindows::PlaceCascaded(TMDIChild& child, int index) {
  const QSize room = frame_.area->viewport()->size();
  const int inner = child.widget() ? child.widget()->height() : child.height();
  const int step = std::max(child.height() - inner, 20);
  const QSize hint = child.minimumSizeHint();
  const PlaceRect r = CascadePlace(room.width(), room.height(), index, step, hint.width(), hint.height());
  child.setGeometry(r.x, r.y, r.width, r.height);
}

void DocumentWindows::Cascade1Click() {
  // Every window that is not minimized, at the size a new window gets, one
  // title bar below the other; the active one ends on top.
  TMDIChild* active = ActiveChild();
  int n = 0;
  for (TMDIChild* c : Children()) {
    if (c->isMinimized()) continue;
    if (c->isMaximized()) c->showNormal();
    PlaceCascaded(*c, n++);
    c->raise();
  }
  if (active) frame_.area->setActiveSubWindow(active);
}
namespace {

// Lays the windows that are not minimized in strips: one above another
// (horizontal tiling) or side by side (vertical tiling).
void TileInStrips(QMdiArea* area, const std::vector<TMDIChild*>& all, bool sideBySide) {
  std::vector<TMDIChild*> shown;
  for (TMDIChild* c : all)
    if (!c->isMinimized()) shown.push_back(c);
  if (shown.empty()) return;
  QRect r = area->viewport()->rect();
  int n = static_cast<int>(shown.size());
  for (int i = 0; i < n; ++i) {
    TMDIChild* c = shown[static_cast<size_t>(i)];
    if (c->isMaximized()) c->showNormal();
    if (sideBySide) {
      int w = r.width() / n;
      c->setGeometry(r.x() + i * w, r.y(), i == n - 1 ? r.width() - i * w : w, r.height());
    } else {
      int h = r.height() / n;
      c->setGeometry(r.x(), r.y() + i * h, r.width(), i == n - 1 ? r.height() - i * h : h);
    }
  }
}

}  // namespace

void DocumentWindows::TileH1Click() { TileInStrips(frame_.area, Children(), false); }
void DocumentWindows::TileVertical1Click() { TileInStrips(frame_.area, Children(), true); }

void DocumentWindows::MinimizeAll1Click() {
  std::vector<TMDIChild*> all = Children();
  for (auto it = all.rbegin(); it != all.rend(); ++it) (*it)->showMinimized();
}

void DocumentWindows::RestoreAll1Click() {
  for (TMDIChild* c : Children()) c->showNormal();
}

void DocumentWindows::NextWindow1Click() { frame_.area->activateNextSubWindow(); }

void DocumentWindows::FitWindowsInArea() {
  // Before the area is on screen its size is not yet the one it will have.
  if (!frame_.area->isVisible()) return;
  const QSize room = frame_.area->viewport()->size();
  if (room.isEmpty()) return;
  for (TMDIChild* c : Children()) {
    if (c->isMinimized() || c->isMaximized()) continue;
    const QRect g = c->geometry();
    const PlaceRect now{g.x(), g.y(), g.width(), g.height()};
    const PlaceRect fit = KeepOnScreen(now, {0, 0, room.width(), room.height()});
    if (fit != now) c->setGeometry(fit.x, fit.y, fit.width, fit.height);
  }
}

bool DocumentWindows::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && frame_.area && watched == frame_.area->viewport()) FitWindowsInArea();
  return QObject::eventFilter(watched, event);
}

}  // namespace nuvel
