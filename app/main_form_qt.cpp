#include "app/main_form_qt.h"
#include "tools/macro_magic_qt.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QToolBar>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <exception>

#include "core/qstring_bytes_qt.h"
#include "app/document_windows_qt.h"
#include "app/main_form_flags.h"
#include "app/main_commands_qt.h"
#include "app/main_form_keys.h"
#include "app/main_menu_layout.h"
#include "app/mdi_child_qt.h"
#include "app/positional_shortcuts_qt.h"
#include "app/qt_translations_qt.h"
#include "app/startup_file.h"
#include "app/window_placement.h"
#include "app/wordstar_commands.h"
#include "core/guarded_call.h"
#include "core/conv_mode.h"
#include "core/fixed_font_qt.h"
#include "core/main_window_command_tables.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "platform/file_facts.h"
#include "core/shared_state.h"
#include "platform/program_path.h"
#include "platform/qt/key_edge_qt.h"
#include "platform/string_library.h"
#include "tools/calendar_dialogs_qt.h"
#include "tools/text_histories.h"
#include "ui/interface_language.h"
#include "ui/interface_texts.h"
#include "ui/interface_texts_qt.h"
#include "ui/message_format.h"
#include "ui/screen_fonts_qt.h"
#include "ui/shortcut_sets.h"

namespace nuvel {

namespace {


std::function<std::string(uint16_t)> LibraryLookup() {
  auto library = std::make_shared<std::optional<platform::StringLibrary>>(platform::StringLibrary::Load());
  return [library](uint16_t id) { return *library ? (*library)->Text(id) : std::string(); };
}

// The toolbar's glyph size in pixels.
constexpr int kToolbarIconSize = 20;

// Status bar panel widths, Panel2 .. Panel8.
constexpr int kPanelWidths[7] = {100, 65, 81, 105, 105, 85, 85};

}  // namespace

QIcon ToolbarIcon(const QString& name) {
  const QString path = QString::fromStdString(ProgPath) + QStringLiteral("icons/") + name + QStringLiteral(".svg");
  return QFileInfo::exists(path) ? QIcon(path) : QIcon();
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Nuvel Text"));
  MainController = new TNvcController(this);
  MainController->setObjectName(QStringLiteral("MainController"));
  MainController->EntryCommands().LoadTables(MainWindowCommandTables());
  MainController->EntryOptions = {true, true, true};
  MainController->SetEpoch(1950);

  ClientArea = new QMdiArea(this);
  ClientArea->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(ClientArea);

  // The toolbar first: the menu commands connect its buttons.
  BuildSpeedPanel();
  BuildMenus();
  BuildStatusBar();
  FormCreate();
}

TMainForm::~TMainForm() {
  // The routing looks at this window's items, which go before its children.
  delete Commands;
  Commands = nullptr;
  if (qtHebrew_) QCoreApplication::removeTranslator(qtHebrew_);
  // FormDestroy: stop filtering the application's events and taking drops.
  qApp->removeEventFilter(this);
  setAcceptDrops(false);
}

QAction* TMainForm::Item(const QString& name) const {
  const auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QMenu* TMainForm::Menu(const QString& name) const {
  const auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

QToolButton* TMainForm::Button(const QString& name) const {
  return SpeedPanel ? SpeedPanel->findChild<QToolButton*>(name) : nullptr;
}

void TMainForm::BuildMenus() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  menus_[QStringLiteral("PopupMenu1")] = PopupMenu1;
  auto* radio = new QActionGroup(this);
  radio->setExclusive(true);

  for (const MenuItemDef& def : MainMenuLayout()) {
    const QString name = FromUtf8(def.name);
    QMenu* parentMenu = def.parent.empty() ? nullptr : Menu(FromUtf8(def.parent));
    if (def.flags & kSeparator) {
      QAction* sep = parentMenu->addSeparator();
      if (!name.isEmpty()) {
        sep->setObjectName(name);
        items_[name] = sep;
      }
      if (def.flags & kHidden) sep->setVisible(false);
      continue;
    }
    QAction* action = nullptr;
    if (IsSubmenu(def.name)) {
      QMenu* menu = parentMenu ? parentMenu->addMenu(FromUtf8(def.caption)) : menuBar()->addMenu(FromUtf8(def.caption));
      menu->setObjectName(name);
      menus_[name] = menu;
      action = menu->menuAction();
    } else {
      action = parentMenu->addAction(FromUtf8(def.caption));
      action->setObjectName(name);
    }
    items_[name] = action;
    action->setStatusTip(FromUtf8(def.hint));
    action->setCheckable(def.flags & kCheckable);
    action->setChecked(def.flags & kChecked);
    // Items are enabled by the command routing once they have a handler;
    // submenus stay enabled until the routing sees what they hold.
    action->setEnabled(IsSubmenu(def.name));
    if (def.flags & kRadio) radio->addAction(action);
    if (def.flags & kHidden) {
      action->setVisible(false);
      // A hidden item's shortcut works through an action of the window itself.
      // (Qt disables hidden actions, so the window action runs the item's
      // handler itself, when the item has a command.)
      auto* proxy = new QAction(this);
      proxy->setObjectName(name + QStringLiteral("Shortcut"));
      proxy->setEnabled(false);
      addAction(proxy);
      keyProxies_[name] = proxy;
    }
    if (!def.shortcut.empty()) SetItemShortcut(name, QKeySequence(FromUtf8(def.shortcut)));
  }

  // ActionList1: New with Ctrl+N while the menu's New item has no shortcut, and Open.
  auto* newfile = new QAction(QStringLiteral("New"), this);
  newfile->setObjectName(QStringLiteral("Newfile"));
  newfile->setEnabled(false);
  addAction(newfile);
  items_[QStringLiteral("Newfile")] = newfile;
  auto* openfile = new QAction(QStringLiteral("Open"), this);
  openfile->setObjectName(QStringLiteral("OpenFile"));
  openfile->setEnabled(false);
  addAction(openfile);
  items_[QStringLiteral("OpenFile")] = openfile;

  CommandSurface surface;
  surface.item = [this](const QString& name) { return Item(name); };
  surface.proxy = [this](const QString& name) -> QAction* {
    const auto proxy = keyProxies_.find(name);
    return proxy == keyProxies_.end() ? nullptr : proxy->second;
  };
  surface.button = [this](const QString& name) -> QAbstractButton* { return Button(name); };
  Commands = new MainCommands(surface, this);
  for (const auto& [name, menu] : menus_) Commands->RefreshOnShow(menu);

  MainCommands::Batch batch(*Commands);
  auto on = [this](const char* name, void (TMainForm::*handler)()) {
    Commands->On(name, [this, handler] { (this->*handler)(); });
  };
  on("Exit1", &TMainForm::Exit1Click);
  on("Engm1", &TMainForm::Engm1Click);
  on("ToggleKeyboard1", &TMainForm::Kbd_LangClick);
  on("SecondLanguage1", &TMainForm::SecondLanguage1Click);
  on("EnglishKeyboard1", &TMainForm::EnglishKeyboard1Click);
  on("HebrewKeyboard1", &TMainForm::HebrewKeyboard1Click);
  on("NikudKeyboard1", &TMainForm::NikudKeyboard1Click);
  on("PhoneticKbd", &TMainForm::PhoneticKbdClick);
  on("NikudCursor1", &TMainForm::NikudCursor1Click);
  on("HebrewMenus1", &TMainForm::HebrewMenus1Click);
  on("DateConversion1", &TMainForm::DateConversion1Click);
  // The nikud cursor serves the nikud keyboard of the active document.
  Commands->EnableWhen(QStringLiteral("NikudCursor1"), [this] {
    return !(ActiveKeyboard && ActiveKeyboard()) || Item(QStringLiteral("NikudKeyboard1"))->isChecked();
  });
  connect(Menu(QStringLiteral("Languages1")), &QMenu::aboutToShow, this, [this] { Languages1Click(); });
}

void TMainForm::BuildSpeedPanel() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("SpeedBar"));
  bar->setMovable(false);
  SpeedPanel = new QWidget(bar);
  SpeedPanel->setObjectName(QStringLiteral("SpeedPanel"));
  // The buttons never keep the window from getting narrower.
  SpeedPanel->setMinimumWidth(1);
  auto* row = new QHBoxLayout(SpeedPanel);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(0);  // the buttons carry their own padding
  auto* formats = new QButtonGroup(SpeedPanel);
  formats->setExclusive(true);
  for (const ToolButtonDef& def : SpeedPanelLayout()) {
    auto* b = new QToolButton(SpeedPanel);
    const QString name = FromUtf8(def.name);
    b->setObjectName(name);
    b->setText(FromUtf8(def.label));
    b->setToolTip(FromUtf8(def.hint));
    b->setStatusTip(FromUtf8(def.hint));
    b->setAutoRaise(true);
    // The glyph, with the caption as its tooltip; the keyboard button shows
    // its letter beside it, the format buttons their short names.
    const QIcon icon = ToolbarIcon(name == QLatin1String("EngmBtnE")   ? QStringLiteral("EngmButton-ltr")
                                   : name == QLatin1String("EngmBtnH") ? QStringLiteral("EngmButton-rtl")
                                   : name == QLatin1String("EngmButton") ? QStringLiteral("EngmButton-ltr")
                                                                         : name);
    if (!icon.isNull()) {
      b->setIcon(icon);
      b->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
      b->setToolButtonStyle(name == QLatin1String("Kbd_Lang") ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    }
    b->setEnabled(false);  // the command routing enables it
    if (def.flags & kCheckable) {
      b->setCheckable(true);
      formats->addButton(b);
    }
    if (def.flags & kHidden) b->setVisible(false);
    row->addWidget(b);
  }
  row->addStretch(1);
  bar->addWidget(SpeedPanel);
  addToolBar(Qt::TopToolBarArea, bar);
}

void TMainForm::BuildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(true);
  Panel1 = new QWidget(bar);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* row = new QHBoxLayout(Panel1);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  Panel1Hint = new QLabel(Panel1);
  Panel1Hint->setObjectName(QStringLiteral("Panel1Hint"));
  row->addWidget(Panel1Hint, 1);
  for (int i = 0; i < 7; ++i) {
    auto* panel = new QLabel(Panel1);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i + 2));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFixedWidth(kPanelWidths[i]);
    panel->setProperty(kPanelWidthProperty, kPanelWidths[i]);
    row->addWidget(panel);
    Panels.push_back(panel);
  }
  Panel8 = Panels.back();
  Panel8->setVisible(false);
  bar->addWidget(Panel1, 1);
  setStatusBar(bar);
}

void TMainForm::SetItemShortcut(const QString& name, const QKeySequence& keys) {
  const auto proxy = keyProxies_.find(name);
  if (proxy != keyProxies_.end()) {
    proxy->second->setShortcut(keys);
  } else if (QAction* item = Item(name)) {
    item->setShortcut(keys);
  }
}

void TMainForm::SetWordStarShortcuts() {
  for (const auto& s : WindowsShortcuts()) SetItemShortcut(FromUtf8(s.item), QKeySequence());
  Item(QStringLiteral("Newfile"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
}

void TMainForm::SetWindowsShortcuts() {
  Item(QStringLiteral("Newfile"))->setShortcut(QKeySequence());
  for (const auto& s : WindowsShortcuts())
    SetItemShortcut(FromUtf8(s.item), QKeySequence(QKeyCombination(Qt::CTRL, static_cast<Qt::Key>(s.letter))));
}

void TMainForm::LoadEngPrompts() { Formats = LoadMainMessageFormats(true, LibraryLookup()); }

void TMainForm::SetHebCaps_MainForm() {
  if (!SetHebCaps(this, "SetHebCaps_MainForm")) return;
  // Qt's own dialogs and buttons in Hebrew too, once ours are.
  if (!qtHebrew_) qtHebrew_ = InstallQtHebrewTexts(this);
  SetMenuRightJustify(menuBar());
  PopupMenu1->setLayoutDirection(Qt::RightToLeft);
  Formats = LoadMainMessageFormats(false, LibraryLookup());
}

void TMainForm::LoadFontResources(const MainFormSettings& s) {
  ScreenFontFiles::InstallStandIns();
  // LoadFont1, LoadFont2, LoadFont4, LoadFont3, in this order.
  for (int number : {1, 2, 4, 3}) {
    if (s.LoadFont[number - 1]) ScreenFontFiles::Load(number);
  }
}

void TMainForm::FormCreate() {
  firstActivation_ = true;
  UnicodeClipboard = true;
  Options.TabSize = 8;
  Options.WrapColumn = 80;
  Options.EngFontChanged = Options.HebFontChanged = false;
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  Options.HelpFile = ProgPath + "Nuvel.Hlp";

  settings_ = ReadMainFormSettings();
  const MainFormSettings& s = settings_;
  LoadFontResources(s);
  InitFixedFonts();

  Options.EnglishUI = s.EnglishUI;
  EngPrompts = Options.EnglishUI;
  if (Options.EnglishUI) {
    LoadEngPrompts();
    QGuiApplication::setApplicationDisplayName(QGuiApplication::applicationName());
  } else {
    SetHebCaps_MainForm();
    // The system adds the program's name to every window's title: in Hebrew
    // it is the Hebrew name the main window bears.
    QGuiApplication::setApplicationDisplayName(windowTitle());
  }

  // Left and Top place the window's frame, title bar included.
  resize(s.Placement.Width, s.Placement.Height);
  if (s.Placement.Left && s.Placement.Top) move(*s.Placement.Left, *s.Placement.Top);

  Item(QStringLiteral("Createbackupfile1"))->setChecked(s.MakeBackup);
  Item(QStringLiteral("Autoindentation1"))->setChecked(s.AutoIndent);
  Item(QStringLiteral("WordStarCommands1"))->setChecked(s.WordStarCommands);
  if (auto* table = MainController->EntryCommands().GetTableByName("WordStar"))
    table->SetIsActive(s.WordStarCommands);
  if (s.WordStarCommands) {
    SetWordStarShortcuts();
  } else {
    SetWindowsShortcuts();
  }
  AddWordStarCommands(MainController->EntryCommands());

  Options.Timer.AutoSave = s.AutoSave;
  Options.Timer.AutoSaveInt = s.AutoSaveInt;
  Options.Timer.AutoSaveCount = 0;
  SpeedPanel->parentWidget()->setVisible(s.ShowToolBar);
  Options.ShowFileTabs = s.ShowFileTabs;
  Options.WinTabFullPath = s.WinTabFullPath;
  Options.Timer.ShowTime = s.ShowTime;
  if (Options.Timer.ShowTime) {
    Panel8->setText(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
    Panel8->setVisible(true);
  }
  Options.RepWoDlg = s.RepWoDlg;
  FullNuvel = s.FullNuvel;
  NuvelDlg = s.NuvelDlg;

  NoConversion = NuvDosConfig = ForceCP1255 = TagConfig = Config6 = false;
  switch (s.EditConfig.value_or(-1)) {
    case 1:
      NoConversion = true;
      Item(QStringLiteral("Wordwrap1"))->setChecked(false);
      break;
    case 3: NuvDosConfig = true; break;
    case 4:
      ForceCP1255 = true;
      Options.OpenDialogFilter = "3B2 files (*.3T)|*.3T|" + Options.OpenDialogFilter;
      Options.StoredFilter = "|3B2 files (*.3T)|*.3T" + Options.StoredFilter;
      break;
    case 5: TagConfig = true; break;
    case 6: Config6 = true; break;
    default: break;
  }
  Options.ReopenList = s.Reopen;

  keyboard_.StoreLetter = [](char letter) { WriteIniString("GENPREFS", "KEYTYPE", std::string(1, letter)); };
  keyboard_.ApplyOptions = [this] {
    if (ApplyOptionsToActive) ApplyOptionsToActive();
  };
  keyboard_.EnglishFile = s.EngFile;
  SetKeyboardByDirection();
  if (s.KeyType) CheckKeyboardItem(*s.KeyType);

  if (!s.NoConversion()) {
    Item(QStringLiteral("Wordwrap1"))->setChecked(s.WordWrap);
    Item(QStringLiteral("WraptoWindow1"))->setChecked(s.WrapToWindow);
    Options.WrapColumn = s.WrapColumn;
    Item(QStringLiteral("PersistentBlocks1"))->setChecked(s.PersistentBlocks);
  }
  PressFormatButton(s.DiskFmt);
  SaveConvMode(s.Conversion);

  Options.ChildState = s.ChildState;
  Item(QStringLiteral("SheimHashemProtection1"))->setChecked(s.HebSheimProt);
  Options.EngSheimProt = s.EngSheimProt;
  Options.Timer.AutoMin = s.AutoMin;
  Options.Timer.AutoMinInt = s.AutoMinInt;
  IdleCounter = 0;

  // Drag images over the window are the desktop's own; nothing to mark.
  MacroMagic = new TMacroMagic(this);
  MacroMagic->setObjectName(QStringLiteral("MacroMagic"));
  for (const char* name : {"Testing1", "Testing21", "N01"}) Item(QString::fromLatin1(name))->setVisible(false);
  Button(QStringLiteral("TstBtn"))->setVisible(false);
}

void TMainForm::PressFormatButton(int diskFmt) {
  const char* names[] = {"NuvWinBtn", "NuvDosBtn", "DosTextBtn"};
  if (diskFmt < 0 || diskFmt > 2) return;
  Button(QString::fromLatin1(names[diskFmt]))->setChecked(true);
}

void TMainForm::ShowByState() {
  if (settings_.ShowState == WindowShowState::Maximized) {
    showMaximized();
  } else {
    show();
    QTimer::singleShot(0, this, [this] { KeepFrameOnScreen(); });
  }
}

void TMainForm::KeepFrameOnScreen() {
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
  const QScreen* screen = this->screen();
  if (!screen) return;
  const QRect frame = frameGeometry();
  const QRect avail = screen->availableGeometry();
  const PlaceRect kept = KeepOnScreen({frame.x(), frame.y(), frame.width(), frame.height()},
                                      {avail.x(), avail.y(), avail.width(), avail.height()});
  // The frame may be larger than its client by the title bar and borders.
  if (kept.width < frame.width() || kept.height < frame.height())
    resize(width() - (frame.width() - kept.width), height() - (frame.height() - kept.height));
  if (kept.x != frame.x() || kept.y != frame.y()) move(kept.x, kept.y);
}

void TMainForm::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  if (windowState() == Qt::WindowNoState && isVisible()) normalFrame_ = QRect(pos(), size());
}

void TMainForm::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  if (windowState() == Qt::WindowNoState && isVisible()) normalFrame_ = QRect(pos(), size());
}

// ---- keyboard language ----

void TMainForm::ShowKbdLangCaption(char letter) {
  Button(QStringLiteral("Kbd_Lang"))->setText(FromSystemText(std::string(1, static_cast<char>(KeyboardButtonByte(letter, Options.EnglishUI)))));
}

void TMainForm::UpdateKbdLangCaption() {
  KeyboardDocument* doc = ActiveKeyboard ? ActiveKeyboard() : nullptr;
  ShowKbdLangCaption(doc ? KeytypeLetter(doc->KeyType()) : keyboard_.Letter);
}

void TMainForm::SyncKeyboardItems() {
  Item(QStringLiteral("Engm1"))->setChecked(keyboard_.EnglishFile);
  Item(QStringLiteral("SecondLanguage1"))->setChecked(keyboard_.SecondLanguage);
  const char* radios[] = {"EnglishKeyboard1", "HebrewKeyboard1", "NikudKeyboard1", "PhoneticKbd"};
  Item(QString::fromLatin1(radios[static_cast<int>(keyboard_.Checked)]))->setChecked(true);
  ShowKbdLangCaption(keyboard_.Letter);
  QToolButton* glyph = Button(keyboard_.EnglishFile ? QStringLiteral("EngmBtnE") : QStringLiteral("EngmBtnH"));
  Button(QStringLiteral("EngmButton"))->setText(glyph->text());
  Button(QStringLiteral("EngmButton"))->setIcon(glyph->icon());
}

void TMainForm::SetKeyboardByDirection() {
  keyboard_.SetKeyboardByDirection(ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::CheckKeyboardItem(char letter) {
  keyboard_.CheckKeyboardItem(letter);
  SyncKeyboardItems();
}

void TMainForm::Engm1Click() {
  if (ChooseDirection) ChooseDirection(!keyboard_.EnglishFile);
  keyboard_.ToggleMainLanguage(ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::Kbd_LangClick() {
  keyboard_.NextKeyboard(ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::SecondLanguage1Click() {
  keyboard_.ToggleSecondLanguage(ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::EnglishKeyboard1Click() {
  keyboard_.ChooseKeyboard(TKeytype::English, ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::HebrewKeyboard1Click() {
  keyboard_.ChooseKeyboard(TKeytype::Hebrew, ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::NikudKeyboard1Click() {
  keyboard_.ChooseKeyboard(TKeytype::Nikud, ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::PhoneticKbdClick() {
  keyboard_.ChooseKeyboard(TKeytype::Phonetic, ActiveKeyboard ? ActiveKeyboard() : nullptr);
  SyncKeyboardItems();
}

void TMainForm::NikudCursor1Click() {
  VowelSkip = !VowelSkip;
  Item(QStringLiteral("NikudCursor1"))->setChecked(VowelSkip);
}

void TMainForm::Languages1Click() { Commands->Refresh(); }

void TMainForm::HebrewMenus1Click() {
  // Older Windows systems without Middle-East support refused the Hebrew
  // menus here; every system this runs on can show them.
  const std::string next = NextEngPrompts(ReadIniString("StartUp", "Eng_Prompts"), Options.EnglishUI);
  WriteIniString("StartUp", "Eng_Prompts", next);
  Item(QStringLiteral("HebrewMenus1"))->setChecked(next == "Hebrew");
  MessageDlg(RestartNotice(next), MsgDlgType::Information, platform::mbOK);
}

void TMainForm::Exit1Click() { close(); }

void TMainForm::DateConversion1Click() {
  const bool hebrew = !Options.EnglishUI;
  Thebf hebToGreg(this, hebrew);
  for (;;) {
    Tgrgf gregToHeb(this, hebrew);
    if (gregToHeb.exec() != platform::mrYes) break;
    if (hebToGreg.exec() != platform::mrYes) break;
  }
}

// ---- hint, drops, activation, closing ----

void TMainForm::AppHint(const QString& hint) {
  if (!hint.isEmpty()) {
    Panel1Hint->setText(hint);
    for (QLabel* p : Panels) p->setVisible(false);
  } else {
    Panel1Hint->clear();
    for (QLabel* p : Panels) p->setVisible(p != Panel8 || Options.Timer.ShowTime);
  }
}

bool TMainForm::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    AppHint(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  return QMainWindow::event(e);
}

bool TMainForm::ActivateOpenWindow(const std::string& name) {
  for (QMdiSubWindow* w : ClientArea->subWindowList()) {
    auto* child = qobject_cast<TMDIChild*>(w);
    const std::string caption = child ? child->Caption() : ToFileName(w->windowTitle());
    if (caption == name) {
      ClientArea->setActiveSubWindow(w);
      w->setFocus();
      return true;
    }
  }
  return false;
}

void TMainForm::DropFiles(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (!ActivateOpenWindow(name) && OpenFile) OpenFile(name, 255, names.size() == 1);
  }
  if (isMinimized()) {
    showNormal();
  } else {
    raise();
  }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* e) {
  std::vector<std::string> names;
  for (const QUrl& url : e->mimeData()->urls()) {
    if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
  }
  e->acceptProposedAction();
  DropFiles(names);
}

void TMainForm::SecondInstance(const std::string& fileName) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  if (!fileName.empty()) OpenCommandLineFile(fileName);
}

void TMainForm::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange && windowState() == Qt::WindowNoState)
    QTimer::singleShot(0, this, [this] { KeepFrameOnScreen(); });
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (firstActivation_) QTimer::singleShot(0, this, [this] { FormActivate(); });
  }
}

void TMainForm::AddWindowToolItems() {
  QMenu* window = Menu(QStringLiteral("Window1"));
  const struct { const char* name; std::string caption; } tools[] = {
      {"HTMLViewer", "HTML Viewer"},
      {"FileViewer", "File Viewer"},
      {"SCalculator", GetMessageText(38457, 41157)},
      {"TextSearch", "Text Search"},
  };
  for (const auto& t : tools) {
    QAction* item = window->addAction(FromSystemText(t.caption));
    item->setObjectName(QString::fromLatin1(t.name));
    item->setVisible(false);
    items_[item->objectName()] = item;
  }
}

void TMainForm::FormActivate() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  if (!commandLineArgument_.empty()) OpenCommandLineFile(commandLineArgument_);
  AddWindowToolItems();
}

void TMainForm::OpenCommandLineFile(const std::string& argument) {
  const auto name = StartupFileArgument(argument, CurrentFolder());
  if (!name) return;
  if (ActivateOpenWindow(*name)) return;
  // The name's own bytes, whatever their encoding.
  if (platform::KindOfFile(*name) != platform::FileKind::Missing) {
    if (OpenFile) OpenFile(*name, 255, true);
  } else {
    MessageDlg(FormatMessage(Formats.FileNotFoundFmt, {FileNameInMessage(*name)}), MsgDlgType::Information,
               platform::mbOK);
  }
}

void TMainForm::CloseWithoutSaving() {
  keepSettings_ = true;
  if (!close()) keepSettings_ = false;
}

void TMainForm::FormClose() {
  if (keepSettings_) return;
  const char state = isMinimized() ? '1' : isMaximized() ? '2' : '0';
  WriteIniString("StartUp", "WindowState", std::string(1, state));
  if (ActiveChildStateDigit) {
    if (const auto digit = ActiveChildStateDigit()) WriteRegString("GENPREFS", "ChildState", std::to_string(*digit));
  }
  // The frame's position and the client's size of the normal window, as
  // the window takes them back at the next start.
  QRect r = normalFrame_.isValid() ? normalFrame_ : QRect(pos(), size());
  if (windowState() == Qt::WindowNoState) r = QRect(pos(), size());
  WriteIniString("StartUp", "WindowPosition",
                 std::to_string(r.height()) + " " + std::to_string(r.width()) + " " + std::to_string(r.x()) +
                     " " + std::to_string(r.y()));
  WriteIniString("GENPREFS", "ENG_FILE", keyboard_.EnglishFile ? "1" : "0");
  SaveTextHistories();
  if (SaveToolWindows) SaveToolWindows();
}

void TMainForm::closeEvent(QCloseEvent* e) {
  FormClose();
  e->accept();
}

// ---- the application filter ----

bool TMainForm::AppMessageKey(QKeyEvent* key) {
  const platform::KeyStroke stroke = platform::KeyStrokeOf(*key);
  const bool document = HasDocument && HasDocument();
  if (document && ActiveUserCommand) {
    const uint16_t command = DigitKeyCommand(stroke.Shift, static_cast<uint8_t>(stroke.VirtualKey & 0xFF));
    if (command != 0) {
      ActiveUserCommand(command);
      return true;
    }
  }
  if (!document) {
    const uint8_t vk = static_cast<uint8_t>(stroke.VirtualKey & 0xFF);
    uint8_t ch = stroke.Typed;
    if ((stroke.Shift & platform::kShiftBitCtrl) && vk >= 'A' && vk <= 'Z') ch = static_cast<uint8_t>(vk - 0x40);
    if (ch == 0) return false;
    switch (CtrlKStep(CtrlKPending, ch)) {
      case CtrlKAction::Open:
        if (OpenCommand) OpenCommand();
        return true;
      case CtrlKAction::Exit:
        close();
        return true;
      case CtrlKAction::None: break;
    }
  }
  return false;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != this) return false;
  // A key event travels from the focused widget (or the window itself) up to
  // its parents; take it once, at the first of them.
  QWidget* first = QApplication::focusWidget();
  if (!first || first->window() != this) first = this;
  if (widget != first) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  bool taken = true;
  Guarded([&] { taken = AppMessageKey(key) || TriggerShortcutByKeyPlace(*this, QApplication::focusWidget(), *key); });
  return taken;
}

}  // namespace nuvel
