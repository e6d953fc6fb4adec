#include "app/ebook_commands_qt.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <filesystem>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "core/guarded_call.h"
#include "core/ini_location.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/save_document.h"
#include "formats/doc_file.h"
#include "formats/ebook_damage_text.h"
#include "formats/ebook_names.h"
#include "formats/ebook_places.h"
#include "formats/ebook_settings.h"
#include "formats/ebook_tag_scan.h"
#include "formats/ebook_text_order.h"
#include "formats/palm_desktop.h"
#include "platform/file_facts.h"
#include "platform/input_box.h"
#include "platform/program_path.h"
#include "platform/user_temp_folder.h"
#include "ui/interface_texts.h"
#include "ui/interface_texts_qt.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

EbookDialogsFactory& Factory() {
  static EbookDialogsFactory factory = [](QWidget* parent) { return MakeQtEbookDialogs(parent); };
  return factory;
}

ParaLengthOf LengthsOf(const TNvcCustomEditor& e) {
  return [&e](int32_t p) { return e.ParaLength(p); };
}

// The caret's place as a paragraph and a byte position in it.
TTextPlace CaretPlace(const TNvcCustomEditor& e) { return {e.CaretPara(), e.CaretPos()}; }

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return a == b;
}

}  // namespace

EbookDialogsFactory SetEbookDialogsFactory(EbookDialogsFactory factory) {
  EbookDialogsFactory before = std::move(Factory());
  Factory() = std::move(factory);
  return before;
}

EbookCommands::EbookCommands(MainCommands& commands, DocumentWindows& docs, QMenu* palm)
    : QObject(&docs), commands_(commands), docs_(docs), palm_(palm) {
  ProbeDesktop();
  docs_.LoadEbook = [this](TMDIChild& child, const std::string& name) { LoadPdbDocument(child, name); };
  docs_.SaveEbook = [this](TMDIChild& child, const std::string& name) { return SavePdbDocument(child, name); };
  docs_.OnChildPopup = [this](TMDIChild& child, QMenu& menu) { AddPopupItems(child, menu); };
  if (palm_) connect(palm_, &QMenu::aboutToShow, this, &EbookCommands::RefreshBookmarkMenus);

  struct Command {
    const char* item;
    void (EbookCommands::*run)();
    bool EbookMenuRules::*rule;
  };
  static constexpr Command kCommands[] = {
      {"SendtoPalm1", &EbookCommands::InstallonPalm1Click, &EbookMenuRules::sendToPalm},
      {"Properties2", &EbookCommands::Properties2Click, &EbookMenuRules::properties},
      {"Install1", &EbookCommands::Install1Click, &EbookMenuRules::install},
      {"Settings1", &EbookCommands::Settings1Click, &EbookMenuRules::settings},
      {"AddPDB", &EbookCommands::AddPDBClick, &EbookMenuRules::add},
      {"Update1", &EbookCommands::Update1Click, &EbookMenuRules::update},
      {"Rename1", &EbookCommands::Rename1Click, &EbookMenuRules::rename},
      // Deleting, like renaming, needs a bookmark to choose.
      {"Delete2", &EbookCommands::Delete2Click, &EbookMenuRules::rename},
      {"MoreBookmarks1", &EbookCommands::MoreBookmarks1Click, &EbookMenuRules::more},
  };
  for (const Command& c : kCommands) {
    const QString item = QString::fromLatin1(c.item);
    commands_.On(item, [this, run = c.run] { (this->*run)(); });
    commands_.EnableWhen(item, [this, rule = c.rule] { return EbookMenuEnabled(StateNow()).*rule; });
  }
}

EbookCommands::~EbookCommands() {
  docs_.LoadEbook = nullptr;
  docs_.SaveEbook = nullptr;
  docs_.OnChildPopup = nullptr;
}

void EbookCommands::ProbeDesktop() {
  std::unique_ptr<TUserData> users;
  try {
    users = std::make_unique<TUserData>();
  } catch (const EPalmDesktopError&) {
    // No desktop: the e-books still open and save; installing stays off.
  }
  palmEnabled_ = users != nullptr;
  // The e-book settings are the user's: kept in the user's settings folder.
  settings_ = std::make_unique<TSettings>(SettingsFolder() + "docreader.ini", users.get());
}

EbookDialogs& EbookCommands::Dialogs() {
  if (!dialogs_) dialogs_ = Factory()(docs_.Area() ? docs_.Area()->window() : nullptr);
  return *dialogs_;
}

EbookMenuState EbookCommands::StateNow() const {
  EbookMenuState s;
  s.palmEnabled = palmEnabled_;
  if (TMDIChild* c = docs_.ActiveChild()) {
    const THebTextEditor& e = c->HebDoc();
    s.activeWindow = true;
    s.hasEbook = c->DocFile != nullptr;
    s.modified = e.Modified();
    s.hasText = e.ParaCount() > 1 || e.ParaLength(1) > 0;
    s.hasBookmarks = s.hasEbook && !c->DocFile->Bookmarks.empty();
  }
  return s;
}

TMDIChild* EbookCommands::EbookChild() const {
  TMDIChild* c = docs_.ActiveChild();
  return c && c->DocFile ? c : nullptr;
}

// ---- Opening and saving ----

void EbookCommands::LoadPdbDocument(TMDIChild& child, const std::string& name) {
  auto book = std::make_unique<TDocFile>(name);
  book->KeepMarkup = settings_->ShowPeanutCodes;
  if (book->IsEReader && !peanutNoteShown_) {
    peanutNoteShown_ = true;
    // Shown once the window is settled: a message box runs the event loop.
    QTimer::singleShot(0, this, [] { MessageDlgById(43730, 43780, MsgDlgType::Warning, platform::mbOK); });
  }
  const platform::FileStamp stamp = platform::StampOfFile(name);
  std::string text = book->GetText();
  bool scanned = false;
  if (settings_->BookmarkScan) {
    std::vector<TBookmark> found = ScanBookmarkTags(text);
    scanned = !found.empty();
    for (TBookmark& b : found) book->Bookmarks.push_back(std::move(b));
  }
  THebTextEditor& ed = child.HebDoc();
  book->LogicalOrder = EbookTextIsLogical(text);
  ed.LoadString(book->LogicalOrder ? EbookTextToStorage(text, ed.Engm()) : text);
  PlaceBookmarks(LengthsOf(ed), ed.ParaCount(), book->Bookmarks);
  // Tags taken out of the text are a change the file does not hold yet.
  ed.SetModified(scanned);
  ed.SetDiskStamp(stamp);
  ed.SetCaretPosition(1, 1);
  // A damaged book is told once its window stands; what was read differs
  // from the file, so the document counts as changed and its first save
  // keeps the book as it was as the backup copy.
  ed.SetLoadNotice(EbookDamageText(name, *book));
  if (book->TextDamaged) {
    ed.SetModified(true);
    ed.SetBackupOnNextSave(true);
  }
  child.DocFile = std::move(book);
  RefreshBookmarkMenus();
}

bool EbookCommands::SavePdbDocument(TMDIChild& child, const std::string& name) {
  if (child.DocFile && child.DocFile->IsEReader && SameFile(child.DocFile->FileName, name)) {
    MessageDlg(FormatMessage(GetMessageText(43741, 43791), {FileNameInMessage(name)}), MsgDlgType::Warning,
               platform::mbOK);
    return false;
  }
  THebTextEditor& ed = child.HebDoc();
  TDocFile book = child.DocFile ? *child.DocFile : TDocFile::CreateNew(name, false, EbookTitleOf(name));
  book.SetFileName(name);
  const bool backup = ed.MakeBackup() || ed.BackupOnNextSave();
  book.Save(EbookTextForBook(book.LogicalOrder, ed.Text(), ed.Engm()),
            backup ? BackupFileName(name, ed.BackupExt()) : std::string());
  child.DocFile = std::make_unique<TDocFile>(std::move(book));
  ed.SetModified(false);
  ed.SetBackupOnNextSave(false);
  ed.SetDiskStamp(platform::StampOfFile(name));
  RefreshBookmarkMenus();
  return true;
}

// ---- Bookmark menus ----

void EbookCommands::RefreshBookmarkMenus() {
  if (!palm_) return;
  for (QAction* a : palm_->actions()) {
    if (a->objectName().startsWith(QLatin1String(kBookmarkItemPrefix))) {
      palm_->removeAction(a);
      a->deleteLater();
    }
  }
  TMDIChild* c = EbookChild();
  const BookmarkMenu menu = c ? BuildBookmarkMenu(c->DocFile->Bookmarks) : BookmarkMenu{};
  QAction* separator = docs_.Item(QStringLiteral("BookmarkSeparator"));
  QAction* more = docs_.Item(QStringLiteral("MoreBookmarks1"));
  if (separator) separator->setVisible(menu.separatorVisible);
  if (more) more->setVisible(menu.moreVisible);
  for (const BookmarkMenuItem& item : menu.items) {
    auto* a = new QAction(FromSystemText(item.caption), palm_);
    a->setObjectName(FromUtf8(item.name));
    a->setData(item.tag);
    connect(a, &QAction::triggered, this, [this, tag = item.tag] { JumpToBookmark(tag); });
    palm_->insertAction(more, a);
  }
  commands_.Refresh();
}

void EbookCommands::AddPopupItems(TMDIChild& child, QMenu& menu) {
  EbookMenuState state = StateNow();
  const EbookMenuRules rules = EbookMenuEnabled(state);
  QAction* n4 = menu.addSeparator();
  n4->setObjectName(QStringLiteral("N4"));
  n4->setVisible(rules.popupVisible);
  QAction* check = menu.addAction(QStringLiteral("Check on Palm"));
  check->setObjectName(QStringLiteral("CheckPalm1"));
  check->setVisible(rules.popupVisible);
  check->setEnabled(rules.checkPalm);
  connect(check, &QAction::triggered, this, &EbookCommands::CheckPalm1Click);
  QAction* install = menu.addAction(QStringLiteral("Install on Palm"));
  install->setObjectName(QStringLiteral("InstallonPalm1"));
  install->setVisible(rules.popupVisible);
  install->setEnabled(rules.installOnPalm);
  connect(install, &QAction::triggered, this, &EbookCommands::InstallonPalm1Click);

  QMenu* bookmarks = menu.addMenu(QStringLiteral("Bookmark"));
  bookmarks->setObjectName(QStringLiteral("Bookmark2"));
  const BookmarkMenu model = child.DocFile ? BuildBookmarkMenu(child.DocFile->Bookmarks) : BookmarkMenu{};
  for (const BookmarkMenuItem& item : model.items) {
    QAction* a = bookmarks->addAction(FromSystemText(item.caption));
    a->setObjectName(FromUtf8(item.name));
    a->setData(item.tag);
    connect(a, &QAction::triggered, this, [this, tag = item.tag] { JumpToBookmark(tag); });
  }
  if (model.moreVisible) {
    QAction* a = bookmarks->addAction(QStringLiteral("More . . . "));
    a->setObjectName(QStringLiteral("MoreBookmarks2"));
    connect(a, &QAction::triggered, this, &EbookCommands::MoreBookmarks1Click);
  }
  bookmarks->menuAction()->setEnabled(!bookmarks->isEmpty());
  if (!EngPrompts)
    ApplyLibraryTexts(&menu, ParseTextAssignments("CheckPalm1 40778; InstallonPalm1 40777; Bookmark2 40587; "
                                                  "MoreBookmarks2 43704"));
}

void EbookCommands::JumpToBookmark(int index) {
  TMDIChild* c = EbookChild();
  if (!c || index < 0 || static_cast<std::size_t>(index) >= c->DocFile->Bookmarks.size()) return;
  const TBookmark& b = c->DocFile->Bookmarks[static_cast<std::size_t>(index)];
  TNvcCustomEditor& ed = c->CurrentDoc();
  TTextPlace place = b.Line >= 1 ? TTextPlace{b.Line, b.Col} : PlaceOfOffset(LengthsOf(ed), ed.ParaCount(), b.Position);
  place.Para = std::clamp(place.Para, 1, ed.ParaCount());
  place.Pos = std::clamp(place.Pos, 1, ed.ParaLength(place.Para) + 1);
  int32_t line = place.Para, col = place.Pos;
  ed.ParaToLine(line, col);
  ed.SetCaretPosition(line, col);
  if (c->CurrentEditor()) c->CurrentEditor()->setFocus();
}

// ---- Bookmark commands ----

std::optional<std::string> EbookCommands::AskBookmarkName(uint32_t promptEng) {
  platform::InputBoxRequest ask;
  ask.caption = GetMessageText(43731, 43781);
  ask.prompt = GetMessageText(promptEng, promptEng + 50);
  std::optional<std::string> name = platform::AskInputBox(ask);
  if (name && name->size() > kBookmarkNameMax) {
    MessageDlg(FormatMessage(GetMessageText(43733, 43783), {static_cast<int64_t>(kBookmarkNameMax)}),
               MsgDlgType::Information, platform::mbOK);
    name->resize(kBookmarkNameMax);
  }
  return name;
}

std::optional<int> EbookCommands::ChooseBookmark(uint32_t engId) {
  TMDIChild* c = EbookChild();
  if (!c) return std::nullopt;
  std::vector<std::string> names;
  for (const TBookmark& b : c->DocFile->Bookmarks) names.push_back(b.Name);
  std::optional<int> chosen = Dialogs().ChooseBookmark(GetMessageText(engId, engId + 50), names);
  // The dialog ran the event loop: the window may have gone meanwhile.
  if (!chosen || EbookChild() != c || *chosen < 0 || static_cast<std::size_t>(*chosen) >= names.size())
    return std::nullopt;
  return chosen;
}

void EbookCommands::MarkChanged(TMDIChild& child) {
  child.HebDoc().SetModified(true);
  docs_.UpdateButtons();
  commands_.Refresh();
}

void EbookCommands::AddPDBClick() {
  TMDIChild* c = EbookChild();
  if (!c) return;
  std::optional<std::string> name = AskBookmarkName(43732);
  if (!name || EbookChild() != c) return;
  const TNvcCustomEditor& ed = c->CurrentDoc();
  const TTextPlace place = CaretPlace(ed);
  c->DocFile->AddBookmark(*name, OffsetOfPlace(LengthsOf(ed), ed.ParaCount(), place), place.Para, place.Pos);
  MarkChanged(*c);
  RefreshBookmarkMenus();
}

void EbookCommands::Update1Click() {
  std::optional<int> i = ChooseBookmark(43734);
  if (!i) return;
  TMDIChild* c = EbookChild();
  const TNvcCustomEditor& ed = c->CurrentDoc();
  const TTextPlace place = CaretPlace(ed);
  c->DocFile->SetBookmark(static_cast<std::size_t>(*i), OffsetOfPlace(LengthsOf(ed), ed.ParaCount(), place), place.Para,
                          place.Pos);
  MarkChanged(*c);
}

void EbookCommands::Rename1Click() {
  std::optional<int> i = ChooseBookmark(43735);
  if (!i) return;
  TMDIChild* c = EbookChild();
  std::optional<std::string> name = AskBookmarkName(43737);
  if (!name || EbookChild() != c) return;
  c->DocFile->RenameBookmark(static_cast<std::size_t>(*i), *name);
  MarkChanged(*c);
  RefreshBookmarkMenus();
}

void EbookCommands::Delete2Click() {
  std::optional<int> i = ChooseBookmark(43800);
  if (!i) return;
  TMDIChild* c = EbookChild();
  c->DocFile->DeleteBookmark(static_cast<std::size_t>(*i));
  MarkChanged(*c);
  RefreshBookmarkMenus();
}

void EbookCommands::MoreBookmarks1Click() {
  if (std::optional<int> i = ChooseBookmark(43736)) JumpToBookmark(*i);
}

// ---- Properties and settings ----

void EbookCommands::Properties2Click() {
  TMDIChild* c = EbookChild();
  if (!c) return;
  std::optional<DatabaseInfoChoice> choice = Dialogs().DatabaseInfo(*c->DocFile, true);
  if (!choice || EbookChild() != c) return;
  TDocFile& book = *c->DocFile;
  // The values take effect at the next save of the e-book.
  book.Name = choice->name.substr(0, 31);
  book.ReadOnly = choice->readOnly;
  book.Backup = choice->backup;
  book.Overwrite = choice->overwrite;
  book.ForceReset = choice->forceReset;
  book.NoBeam = choice->noBeam;
  book.Compressed = choice->compressed;
  MarkChanged(*c);
}

void EbookCommands::Settings1Click() {
  std::optional<EbookSettingsChoice> choice = Dialogs().Settings(*settings_, PalmDesktopFolder());
  if (!choice) return;
  if (choice->desktopFolder != PalmDesktopFolder()) {
    SetPalmDesktopFolder(choice->desktopFolder);
    ProbeDesktop();
  }
  TSettings& s = *settings_;
  s.DefaultDirectory = choice->defaultDirectory;
  s.EditMode = choice->editMode;
  s.BookmarkScan = choice->bookmarkScan;
  if (s.DesktopFound && choice->integrate != s.IntegrateWithDesktop) {
    s.IntegrateWithDesktop = choice->integrate;
    Guarded([&] {
      if (choice->integrate)
        IntegrateWithDesktop(platform::ProgramFile());
      else
        RemoveFromDesktop();
    });
  }
  s.Save();
  commands_.Refresh();
}

// ---- Installing ----

void EbookCommands::InstallDialog(const std::string& file) {
  std::unique_ptr<TUserData> users;
  try {
    users = std::make_unique<TUserData>();
  } catch (const EPalmDesktopError&) {
  }
  const std::string shown = FileNameInMessage(std::filesystem::path(file).filename().string());
  if (users && users->Count() == 1) {
    const bool ok = users->InstallFile(0, file);
    MessageDlg(FormatMessage(GetMessageText(43739, 43789), {users->UserName(0)}), MsgDlgType::Information, platform::mbOK);
    if (!ok)
      MessageDlg(FormatMessage(GetMessageText(43740, 43790), {shown, users->UserName(0)}), MsgDlgType::Warning,
                 platform::mbOK);
    return;
  }
  std::vector<std::string> names;
  for (int i = 0; users && i < users->Count(); ++i) names.push_back(users->UserName(i));
  std::optional<int> chosen = Dialogs().ChooseUser(names, users ? users->LastUserIndex() : 0);
  if (!chosen || !users) return;
  if (!users->InstallFile(*chosen, file))
    MessageDlg(FormatMessage(GetMessageText(43740, 43790), {shown, users->UserName(*chosen)}), MsgDlgType::Warning,
               platform::mbOK);
}

void EbookCommands::Install1Click() {
  if (TMDIChild* c = EbookChild()) InstallDialog(c->DocFile->FileName);
}

void EbookCommands::InstallonPalm1Click() {
  QPointer<TMDIChild> c = docs_.ActiveChild();
  if (!c) return;
  if (c->HebDoc().Modified()) {
    if (!docs_.Options.Timer.AutoSave) {
      MessageDlgById(43738, 43788, MsgDlgType::Information, platform::mbOK);
      return;
    }
    if (!docs_.SaveChild(*c) || !c) return;
  }
  const std::string name = c->HebDoc().FileName();
  // An e-book that is its own file goes to the desktop as it is: never
  // written again, so an eReader book is not turned into a plain Doc.
  if (c->DocFile && IsPdbFileName(name) && SameFile(c->DocFile->FileName, name)) {
    InstallDialog(name);
    return;
  }
  // Any other document goes as a copy under its own base name in the
  // program's private temporary folder, never beside the document.
  std::string file;
  const bool written = Guarded([&] {
    const std::filesystem::path folder = std::filesystem::path(platform::UserTempFolder()) / "install";
    std::filesystem::create_directories(folder);
    const std::string title = EbookTitleOf(PdbNameOf(name));
    file = (folder / (title + ".pdb")).string();
    TDocFile book = c->DocFile ? *c->DocFile : TDocFile::CreateNew(file, false, title);
    book.SetFileName(file);
    book.Save(EbookTextForBook(book.LogicalOrder, c->HebDoc().Text(), c->HebDoc().Engm()));
  });
  if (written) InstallDialog(file);
  std::error_code ec;
  if (!file.empty()) std::filesystem::remove(file, ec);
}

void EbookCommands::CheckPalm1Click() {
  TMDIChild* c = docs_.ActiveChild();
  if (!c || settings_->DocCheckDirectory.empty()) return;
  const std::string base = std::filesystem::path(PdbNameOf(c->HebDoc().FileName())).filename().string();
  const std::string backedUp = (std::filesystem::path(settings_->DocCheckDirectory) / base).string();
  std::error_code ec;
  if (std::filesystem::is_regular_file(backedUp, ec)) docs_.OpenFile(backedUp, 255, true);
}

EbookCommands* AttachEbookCommands(MainCommands& commands, DocumentWindows& docs, QMenu* palm) {
  auto* ebooks = new EbookCommands(commands, docs, palm);
  ebooks->setObjectName(QStringLiteral("EbookCommands"));
  return ebooks;
}

}  // namespace nuvel
