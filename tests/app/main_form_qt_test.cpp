#include "app/main_form_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>
#include <QDialog>
#include <functional>
#include <map>
#include <set>

#include "app/main_menu_layout.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/string_library_bytes.h"
#include "platform/atomic_file.h"
#include "tests/support/temp_program_folder.h"
#include "tools/text_histories.h"
#include "ui/interface_texts.h"
#include "ui/interface_texts_qt.h"
#include "ui/shortcut_sets.h"

namespace nuvel {
namespace {

// Library whose text of id n is "T<n>".
std::string FixtureLibrary() {
  std::map<uint32_t, std::string> texts;
  for (uint16_t id : TextIdsOf(MainFormTexts())) texts[id] = "T" + std::to_string(id);
  return test::StringLibraryBytes(texts);
}

class FakeDocument : public KeyboardDocument {
 public:
  TKeytype KeyType() const override { return type; }
  void SetKeyType(TKeytype t) override { type = t; }
  TKeytype type = TKeytype::Hebrew;
};

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    savedEng_ = EngPrompts;
    ProgPath = temp_.Folder();
  }
  void TearDown() override {
    form_.reset();
    ProgPath = saved_;
    EngPrompts = savedEng_;
    VowelSkip = false;
    CtrlKPending = false;
  }
  // The user's settings, as a start reads them (an earlier start may have written them).
  void Ini(const std::string& text) { platform::WriteFileAtomically(IniFileName(), text); }
  TMainForm& Make() {
    form_ = std::make_unique<TMainForm>();
    return *form_;
  }
  // The text a component shows as its caption or its hint.
  static QString Caption(QObject* o) {
    if (auto* m = qobject_cast<QMenu*>(o)) {
      return m->title();
    }
    if (auto* a = qobject_cast<QAction*>(o)) {
      return a->text();
    }
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
      return b->text();
    }
    return qobject_cast<QWidget*>(o)->windowTitle();
  }
  static QString Hint(QObject* o) {
    if (auto* m = qobject_cast<QMenu*>(o)) return m->menuAction()->statusTip();
    if (auto* a = qobject_cast<QAction*>(o)) return a->statusTip();
    return qobject_cast<QWidget*>(o)->toolTip();
  }
  void Key(TMainForm& f, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&f, &press);
  }

  test::TempProgramFolder temp_;
  test::RecordingMessageSink sink_;
  std::unique_ptr<TMainForm> form_;
  std::string saved_;
  bool savedEng_ = true;
};

TEST_F(MainFormTest, EveryMenuItemAndButtonExistsByItsComponentName) {
  TMainForm& f = Make();
  for (const auto& def : MainMenuLayout()) {
    if (def.name.empty()) continue;
    const QString name = QString::fromUtf8(def.name.data(), static_cast<qsizetype>(def.name.size()));
    QObject* o = FindComponent(&f, name);
    ASSERT_NE(o, nullptr) << name.toStdString();
    QAction* item = f.Item(name);
    ASSERT_NE(item, nullptr) << name.toStdString();
    if (!(def.flags & (kWorking | kSeparator)) && !IsSubmenu(def.name)) {
      EXPECT_FALSE(item->isEnabled()) << name.toStdString() << " has no command yet";
    }
    if (def.flags & kHidden) {
      EXPECT_FALSE(item->isVisible()) << name.toStdString();
    }
  }
  for (const auto& b : SpeedPanelLayout())
    EXPECT_NE(f.Button(QString::fromUtf8(b.name.data(), static_cast<qsizetype>(b.name.size()))), nullptr);
  EXPECT_EQ(f.windowTitle(), QString("Nuvel Text"));
  EXPECT_EQ(f.objectName(), QString("MainForm"));
}

TEST_F(MainFormTest, HebrewInterfaceGivesEveryNamedComponentItsLibraryText) {
  Ini("[StartUp]\nEng_Prompts=Hebrew\n");
  temp_.WriteFile("NuvStr.DLL", FixtureLibrary());
  TMainForm& f = Make();
  EXPECT_FALSE(f.Options.EnglishUI);
  EXPECT_FALSE(EngPrompts);
  const auto texts = ResolveTexts(MainFormTexts(), [](uint16_t id) { return "T" + std::to_string(id); });
  for (const ResolvedText& t : texts) {
    QObject* o = t.component.empty() ? &f : FindComponent(&f, QString::fromStdString(t.component));
    ASSERT_NE(o, nullptr) << t.component;
    const QString expected = QString::fromStdString(t.text);
    if (t.slot == TextSlot::Caption) {
      EXPECT_EQ(Caption(o), expected) << t.component;
    } else if (t.slot == TextSlot::Hint) {
      EXPECT_EQ(Hint(o), expected) << t.component;
    }
  }
  // Joined texts and a text shared by two items.
  EXPECT_EQ(f.Item("FindAgainCtrlL1")->statusTip(), QString("Ctrl+L T40596"));
  EXPECT_EQ(f.Item("GoTo0")->text(), QString("T40751&0"));
  EXPECT_EQ(f.Item("Openfile1")->text(), f.Item("Open1")->text());
  EXPECT_EQ(f.layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(f.menuBar()->layoutDirection(), Qt::RightToLeft);
}

TEST_F(MainFormTest, WithoutTheLibraryTheHebrewInterfaceStaysEnglishAndLeftToRight) {
  Ini("[StartUp]\nEng_Prompts=Hebrew\n");
  TMainForm& f = Make();
  EXPECT_EQ(f.Menu("File1")->title(), QString("&File"));
  EXPECT_EQ(f.windowTitle(), QString("Nuvel Text"));
  EXPECT_EQ(f.layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(f.menuBar()->layoutDirection(), Qt::LeftToRight);
}

TEST_F(MainFormTest, EnglishInterfaceKeepsEnglishTextsAndLoadsEnglishFormats) {
  Ini("[StartUp]\nEng_Prompts=English\n");
  temp_.CopyShippedFile("NuvStr.DLL");
  TMainForm& f = Make();
  EXPECT_TRUE(f.Options.EnglishUI);
  EXPECT_EQ(f.Menu("Edit1")->title(), QString("&Edit"));
  EXPECT_EQ(f.Formats.FileNotFoundFmt, "File not found: %s");
  EXPECT_EQ(f.layoutDirection(), Qt::LeftToRight);
}

TEST_F(MainFormTest, HebrewMenuBarStartsAtTheRightEdgeAndScreenshotsAreRendered) {
  temp_.CopyShippedFile("NuvStr.DLL");
  QImage shots[2];
  int firstLeft[2] = {0, 0};
  int firstRight[2] = {0, 0};
  int barWidth[2] = {0, 0};
  for (int hebrew = 0; hebrew < 2; ++hebrew) {
    Ini(hebrew ? "[StartUp]\nEng_Prompts=Hebrew\nWindowState=0\n" : "[StartUp]\nEng_Prompts=English\nWindowState=0\n");
    TMainForm& f = Make();
    // The program's name the system adds to every window's title is the
    // interface's: in Hebrew the main window's own Hebrew title.
    if (hebrew) {
      EXPECT_EQ(QGuiApplication::applicationDisplayName(), f.windowTitle());
      EXPECT_TRUE(f.windowTitle().contains(QChar(0x05E0))) << f.windowTitle().toStdString();
    } else {
      EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    }
    f.resize(900, 500);
    f.show();
    QApplication::processEvents();
    const QRect first = f.menuBar()->actionGeometry(f.Menu("File1")->menuAction());
    firstLeft[hebrew] = first.left();
    firstRight[hebrew] = first.right();
    barWidth[hebrew] = f.menuBar()->width();
    shots[hebrew] = f.grab().toImage();
    const QString file =
        QString::fromStdString(temp_.Path(hebrew ? "main_window_hebrew.png" : "main_window_english.png").string());
    EXPECT_TRUE(shots[hebrew].save(file)) << file.toStdString();
    form_.reset();
  }
  EXPECT_LT(firstLeft[0], 10);
  EXPECT_GT(firstRight[1], barWidth[1] - 10);
  EXPECT_FALSE(shots[0].isNull());
  EXPECT_NE(shots[0], shots[1]);
}

TEST_F(MainFormTest, ShortcutSetsAndNoSharedShortcuts) {
  TMainForm& f = Make();
  auto checkUnique = [&](const char* set) {
    std::map<QString, QString> seen;
    for (QAction* a : f.findChildren<QAction*>()) {
      if (a->shortcut().isEmpty()) continue;
      const QString keys = a->shortcut().toString();
      EXPECT_FALSE(seen.count(keys)) << set << ": " << keys.toStdString() << " on " << a->objectName().toStdString()
                                     << " and " << seen[keys].toStdString();
      seen[keys] = a->objectName();
    }
  };
  for (int round = 0; round < 2; ++round) {
    f.SetWindowsShortcuts();
    for (const auto& s : WindowsShortcuts()) {
      const QString name = QString::fromUtf8(s.item.data(), static_cast<qsizetype>(s.item.size()));
      QAction* holder = f.Item(name)->isVisible() ? f.Item(name) : f.findChild<QAction*>(name + "Shortcut");
      EXPECT_EQ(holder->shortcut(), QKeySequence(QKeyCombination(Qt::CTRL, static_cast<Qt::Key>(s.letter))))
          << name.toStdString();
    }
    EXPECT_TRUE(f.findChild<QAction*>("Newfile")->shortcut().isEmpty());
    checkUnique("Windows");
    std::map<QString, bool> enabledBefore;
    for (const auto& s : WindowsShortcuts()) {
      const QString name = QString::fromUtf8(s.item.data(), static_cast<qsizetype>(s.item.size()));
      enabledBefore[name] = f.Item(name)->isEnabled();
    }
    f.SetWordStarShortcuts();
    for (const auto& s : WindowsShortcuts()) {
      const QString name = QString::fromUtf8(s.item.data(), static_cast<qsizetype>(s.item.size()));
      EXPECT_TRUE(f.Item(name)->shortcut().isEmpty()) << name.toStdString();
      // Switching the shortcut set leaves every item as enabled as it was.
      EXPECT_EQ(f.Item(name)->isEnabled(), enabledBefore.at(name)) << name.toStdString();
    }
    EXPECT_EQ(f.findChild<QAction*>("Newfile")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    checkUnique("WordStar");
  }
  // Hidden items keep working shortcuts through their own window actions;
  // the interface language is an item of the Languages menu, with its keys.
  EXPECT_EQ(f.findChild<QAction*>("ToggleKeyboard1Shortcut")->shortcut(), QKeySequence("Alt+K"));
  EXPECT_EQ(f.findChild<QAction*>("HebrewMenus1Shortcut"), nullptr);
  EXPECT_EQ(f.Item("HebrewMenus1")->shortcut(), QKeySequence("Shift+Ctrl+F11"));
  EXPECT_TRUE(f.Item("HebrewMenus1")->isVisible());
  EXPECT_TRUE(f.findChild<QMenu*>("Languages1")->actions().contains(f.Item("HebrewMenus1")));
  EXPECT_EQ(f.Item("Engm1")->shortcut(), QKeySequence("Alt+R"));
}

TEST_F(MainFormTest, SettingsAtCreation) {
  Ini("[StartUp]\nEng_Prompts=English\n[GENPREFS]\nWordStarCommands=1\nDISK_FMT=1\nShowTime=1\n"
      "KEYTYPE=P\nENG_FILE=1\nEditConfig=4\nMake_Backup=1\nWordWrap=1\n");
  WriteRegString("GENPREFS", "HebSheimProt", "1");
  TMainForm& f = Make();
  EXPECT_TRUE(f.Item("Cut1")->shortcut().isEmpty());
  EXPECT_TRUE(f.MainController->EntryCommands().GetTableByName("WordStar")->IsActive());
  EXPECT_TRUE(f.Item("WordStarCommands1")->isChecked());
  EXPECT_TRUE(f.Button("NuvDosBtn")->isChecked());
  EXPECT_FALSE(f.Button("NuvWinBtn")->isChecked());
  EXPECT_FALSE(f.Panel8->isHidden());
  EXPECT_TRUE(f.Item("PhoneticKbd")->isChecked());
  EXPECT_EQ(f.Button("Kbd_Lang")->text(), QString("P"));
  EXPECT_TRUE(f.Item("Engm1")->isChecked());
  EXPECT_TRUE(ForceCP1255);
  EXPECT_EQ(f.Options.OpenDialogFilter.rfind("3B2 files (*.3T)|*.3T|", 0), 0u);
  EXPECT_TRUE(f.Item("Createbackupfile1")->isChecked());
  EXPECT_TRUE(f.Item("Wordwrap1")->isChecked());
  EXPECT_TRUE(f.Item("SheimHashemProtection1")->isChecked());
  // "DEFAULT" holds the window's own two-key commands.
  auto& processor = f.MainController->EntryCommands();
  processor.ResetState();
  EXPECT_EQ(processor.TranslateKeyShift('K', {.Ctrl = true}), ccWaitSecondKey);
}

TEST_F(MainFormTest, HintTakesTheStatusBarAndGivesItBack) {
  for (bool showTime : {false, true}) {
    Ini(showTime ? "[GENPREFS]\nShowTime=1\n" : "[GENPREFS]\nShowTime=0\n");
    TMainForm& f = Make();
    QStatusTipEvent tip("Open a file");
    QApplication::sendEvent(&f, &tip);
    EXPECT_EQ(f.Panel1Hint->text(), QString("Open a file"));
    for (QLabel* p : f.Panels) EXPECT_TRUE(p->isHidden());
    QStatusTipEvent none("");
    QApplication::sendEvent(&f, &none);
    EXPECT_TRUE(f.Panel1Hint->text().isEmpty());
    for (QLabel* p : f.Panels) EXPECT_EQ(p->isHidden(), p == f.Panel8 && !showTime) << showTime;
  }
}

TEST_F(MainFormTest, DigitKeysBecomeUserCommandsOfTheActiveDocument) {
  TMainForm& f = Make();
  std::vector<uint16_t> commands;
  bool document = false;
  f.HasDocument = [&] { return document; };
  f.ActiveUserCommand = [&](uint16_t c) { commands.push_back(c); };
  Key(f, Qt::Key_0, Qt::AltModifier);
  EXPECT_TRUE(commands.empty()) << "no document: not taken";
  document = true;
  Key(f, Qt::Key_0, Qt::AltModifier);
  Key(f, Qt::Key_0, Qt::ControlModifier);
  Key(f, Qt::Key_0, Qt::ControlModifier | Qt::AltModifier);
  Key(f, Qt::Key_5, Qt::AltModifier);
  Key(f, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(commands, (std::vector<uint16_t>{296, 306, 286, 271}));
}

TEST_F(MainFormTest, CtrlKWithNoDocumentOpensOrExits) {
  TMainForm& f = Make();
  f.show();
  int opened = 0;
  f.OpenCommand = [&] { ++opened; };
  Key(f, Qt::Key_K, Qt::ControlModifier);
  Key(f, Qt::Key_A, Qt::NoModifier, "a");
  Key(f, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(opened, 0);
  Key(f, Qt::Key_K, Qt::ControlModifier);
  Key(f, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(opened, 1);
  Key(f, Qt::Key_K, Qt::ControlModifier);
  Key(f, Qt::Key_X, Qt::ControlModifier);
  EXPECT_FALSE(f.isVisible());
  // Closing wrote the window's state.
  EXPECT_NE(ReadIniString("StartUp", "WindowPosition"), std::string(kNotFound));
}

TEST_F(MainFormTest, KeyboardCommandsFollowTheDocumentAndStoreTheLetter) {
  Ini("[StartUp]\nEng_Prompts=Hebrew\n");
  temp_.CopyShippedFile("NuvStr.DLL");
  TMainForm& f = Make();
  FakeDocument doc;
  f.ActiveKeyboard = [&]() -> KeyboardDocument* { return &doc; };
  int applied = 0;
  f.ApplyOptionsToActive = [&] { ++applied; };
  f.findChild<QAction*>("ToggleKeyboard1Shortcut")->trigger();
  EXPECT_EQ(doc.type, TKeytype::Nikud);
  EXPECT_EQ(ReadIniString("GENPREFS", "KEYTYPE"), "N");
  EXPECT_EQ(f.Button("Kbd_Lang")->text(), QString(QChar(0x05E0)));  // nun
  f.Languages1Click();
  EXPECT_TRUE(f.Item("NikudCursor1")->isEnabled());
  f.Item("NikudCursor1")->trigger();
  EXPECT_TRUE(VowelSkip);
  f.Item("EnglishKeyboard1")->trigger();
  EXPECT_EQ(doc.type, TKeytype::English);
  EXPECT_TRUE(f.Item("SecondLanguage1")->isChecked());
  f.Languages1Click();
  EXPECT_FALSE(f.Item("NikudCursor1")->isEnabled());
  f.Item("Engm1")->trigger();
  EXPECT_TRUE(f.Item("Engm1")->isChecked());
  EXPECT_EQ(doc.type, TKeytype::English);
  EXPECT_FALSE(f.Item("SecondLanguage1")->isChecked());
  EXPECT_GT(applied, 0);
  f.ActiveKeyboard = nullptr;
  f.Item("PhoneticKbd")->trigger();
  EXPECT_EQ(ReadIniString("GENPREFS", "KEYTYPE"), "P");
  EXPECT_EQ(doc.type, TKeytype::English);
}

TEST_F(MainFormTest, HebrewMenusSwitchesTheLanguageOfTheNextStart) {
  Ini("[StartUp]\nEng_Prompts=English\n");
  TMainForm& f = Make();
  ASSERT_TRUE(f.Item("HebrewMenus1")->isEnabled());
  f.Item("HebrewMenus1")->trigger();
  EXPECT_EQ(ReadIniString("StartUp", "Eng_Prompts"), "Hebrew");
  EXPECT_TRUE(f.Item("HebrewMenus1")->isChecked());
  ASSERT_EQ(sink_.requests.size(), 1u);
  EXPECT_NE(sink_.requests[0].text.find("HEBREW"), std::string::npos);
  f.HebrewMenus1Click();
  EXPECT_EQ(ReadIniString("StartUp", "Eng_Prompts"), "English");
  EXPECT_FALSE(f.Item("HebrewMenus1")->isChecked());
  EXPECT_NE(sink_.requests[1].text.find("ENGLISH"), std::string::npos);
}

TEST_F(MainFormTest, CloseWritesTheWindowState) {
  Ini("[StartUp]\nWindowState=0\nWindowPosition=300 700 40 50\n[GENPREFS]\nENG_FILE=1\n");
  TMainForm& f = Make();
  f.ActiveChildStateDigit = [] { return std::optional<int>(2); };
  f.ShowByState();
  QApplication::processEvents();
  EXPECT_EQ(f.height(), 300);
  HistoryFind = {"find me"};
  HistoryRepl = {"with this", "or that"};
  HistoryFile = {"/docs/a.txt"};
  f.close();
  EXPECT_EQ(ReadIniString("StartUp", "WindowState"), "0");
  // Height, width and the frame's left and top, as they came.
  EXPECT_EQ(ReadIniString("StartUp", "WindowPosition"), "300 700 40 50");
  EXPECT_EQ(ReadIniString("GENPREFS", "ENG_FILE"), "1");
  EXPECT_EQ(ReadRegString("GENPREFS", "ChildState"), "2");
  // The three histories go to the registry, and come back at the next start.
  EXPECT_EQ(ReadRegString("History_Find", "H0"), "find me");
  EXPECT_EQ(ReadRegString("History_Repl", "Count"), "2");
  EXPECT_EQ(ReadRegString("History_File", "H0"), "/docs/a.txt");
  HistoryFind.clear();
  HistoryRepl.clear();
  HistoryFile.clear();
  LoadTextHistories();
  EXPECT_EQ(HistoryRepl, (TextHistory{"with this", "or that"}));
  HistoryFind.clear();
  HistoryRepl.clear();
  HistoryFile.clear();
}

TEST_F(MainFormTest, DroppedFilesOpenOrActivateTheirWindows) {
  TMainForm& f = Make();
  std::vector<std::pair<std::string, bool>> opened;
  f.OpenFile = [&](const std::string& name, int format, bool reopen) {
    EXPECT_EQ(format, 255);
    opened.emplace_back(name, reopen);
  };
  const std::string longName = "/tmp/" + std::string(120, 'x') + ".NVW";
  f.DropFiles({longName});
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::make_pair(longName, true)) << "names are taken whole";
  opened.clear();
  f.DropFiles({"/a/1.txt", "/a/2.txt", "/a/3.txt"});
  ASSERT_EQ(opened.size(), 3u);
  for (const auto& o : opened) EXPECT_FALSE(o.second);
  opened.clear();
  auto* open = f.ClientArea->addSubWindow(new QWidget);
  open->setWindowTitle("/a/open.txt");
  f.DropFiles({"/a/open.txt"});
  EXPECT_TRUE(opened.empty());
}

TEST_F(MainFormTest, CommandLineFileOpensActivatesOrIsReported) {
  temp_.CopyShippedFile("NuvStr.DLL");
  Ini("[StartUp]\nEng_Prompts=English\n");
  TMainForm& f = Make();
  std::vector<std::pair<std::string, bool>> opened;
  f.OpenFile = [&](const std::string& name, int format, bool reopen) {
    EXPECT_EQ(format, 255);
    opened.emplace_back(name, reopen);
  };
  const std::string existing = temp_.Folder() + "Letter.NVW";
  temp_.WriteFile("Letter.NVW", "text");
  f.OpenCommandLineFile(existing);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::make_pair(existing, true)) << "the name keeps its case";
  f.OpenCommandLineFile("/p");
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_TRUE(sink_.requests.empty());
  const std::string missing = temp_.Folder() + "Gone.txt";
  f.OpenCommandLineFile(missing);
  EXPECT_EQ(opened.size(), 1u);
  ASSERT_EQ(sink_.requests.size(), 1u);
  EXPECT_EQ(sink_.requests[0].text, "File not found: " + FileNameInMessage(missing));
  // A second start naming a file that is open activates its window only.
  f.ClientArea->addSubWindow(new QWidget)->setWindowTitle(QString::fromStdString(existing));
  f.SecondInstance(existing);
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(MainFormTest, DateConversionAlternatesUntilADialogIsClosed) {
  TMainForm& f = Make();
  std::vector<QString> shown;
  int step = 0;
  std::function<void()> answer = [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      QTimer::singleShot(10, answer);
      return;
    }
    shown.push_back(modal->objectName());
    // grgf: switch; hebf: switch; grgf again: close.
    static_cast<QDialog*>(modal)->done(++step < 3 ? platform::mrYes : platform::mrCancel);
    if (step < 3) QTimer::singleShot(10, answer);
  };
  QTimer::singleShot(10, answer);
  f.DateConversion1Click();
  EXPECT_EQ(shown, (std::vector<QString>{"grgf", "hebf", "grgf"}));
}

TEST_F(MainFormTest, MissingStartupFileShowsTheMessageWithItsName) {
  TMainForm& f = Make();
  // No argument in the test program's command line opens nothing and says nothing.
  f.FormActivate();
  EXPECT_TRUE(sink_.requests.empty());
  EXPECT_NE(f.Item("SCalculator"), nullptr);
  EXPECT_FALSE(f.Item("TextSearch")->isVisible());
}

}  // namespace
}  // namespace nuvel
