#include "app/main_commands_qt.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "app/document_windows_qt.h"
#include "app/file_prompts.h"
#include "app/main_form_qt.h"
#include "app/main_menu_layout.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
#include "editor/custom_editor.h"
#include "editor/editor_widget_qt.h"
#include "editor/text_file_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// Every file dialog and prompt is cancelled.
class CancellingPrompts : public FilePrompts {
 public:
  std::vector<std::string> OpenFileNames(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  TFileStrAnswer AskFileStr(const TFileStrRequest&) override { return {}; }
};

class MainCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    // English documents: their bytes are in reading order.
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=1\r\n");
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
    docs = program.Documents();
    docs->SetPrompts(&prompts);
    // Any window that opens modally is closed again at once.
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [] {
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
      if (QWidget* w = QApplication::activePopupWidget()) w->close();
    });
    closer.start();
  }
  void TearDown() override {
    closer.stop();
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  std::string WriteFile(const char* name, const std::string& bytes) {
    std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
  CancellingPrompts prompts;
  QTimer closer;
  std::string savedProgPath_;
  Program program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
};

TEST_F(MainCommandsTest, WithoutADocumentTheEditItemsAreOff) {
  for (const char* name : {"Copy1", "Cut1", "Paste1", "Undo1", "SelectAll1", "Delete1", "Save1", "Close1"})
    EXPECT_FALSE(form->Item(name)->isEnabled()) << name;
  for (const char* name : {"CopyBtn", "PasteBtn", "SaveBtn", "Undobtn"})
    EXPECT_FALSE(form->Button(name)->isEnabled()) << name;
  // A submenu whose items all wait for a document is off as well.
  EXPECT_FALSE(form->Item("Counters")->isEnabled());
  EXPECT_TRUE(form->Item("New1")->isEnabled());
}

TEST_F(MainCommandsTest, EditItemsFollowTheActiveEditor) {
  TMDIChild* a = docs->OpenFile(WriteFile("a.txt", "alpha beta\r\n"), 255, false);
  ASSERT_NE(a, nullptr);
  TNvcCustomEditor& e = a->CurrentEditor()->Editor();
  QApplication::clipboard()->clear();
  docs->UpdateButtons();
  EXPECT_FALSE(form->Item("Copy1")->isEnabled());
  EXPECT_TRUE(form->Item("SelectAll1")->isEnabled());

  // Select All, then Copy: the text is on the desktop clipboard, and Paste
  // and the toolbar's Copy come on.
  std::set<QString> ran;
  form->Commands->OnRan = [&](const QString& name) { ran.insert(name); };
  form->Item("SelectAll1")->trigger();
  EXPECT_TRUE(ran.count("SelectAll1"));
  EXPECT_EQ(docs->ActiveChild(), a);
  EXPECT_EQ(&a->CurrentEditor()->Editor(), &e);
  EXPECT_TRUE(e.HasSelection());
  EXPECT_TRUE(form->Item("Copy1")->isEnabled());
  EXPECT_TRUE(form->Button("CopyBtn")->isEnabled());
  form->Item("Copy1")->trigger();
  EXPECT_TRUE(QApplication::clipboard()->text().contains("alpha beta"));
  EXPECT_TRUE(form->Item("Paste1")->isEnabled());

  // Delete through the menu, then Undo through the toolbar.
  form->Item("Delete1")->trigger();
  EXPECT_EQ(e.TextLength(), 0);
  EXPECT_TRUE(form->Button("Undobtn")->isEnabled());
  form->Button("Undobtn")->click();
  EXPECT_GT(e.TextLength(), 0);

  // A second window without a selection: the Copy items follow it.
  TMDIChild* b = docs->OpenFile(WriteFile("b.txt", "gamma\r\n"), 255, false);
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(form->Item("Copy1")->isEnabled());
  EXPECT_TRUE(form->Item("NextWindow1")->isEnabled());
  // Paste into it through the toolbar.
  form->Button("PasteBtn")->click();
  EXPECT_GT(b->CurrentEditor()->Editor().TextLength(), static_cast<int64_t>(std::string("gamma").size()));
}

TEST_F(MainCommandsTest, CopyInAnotherWindowIsCollectedIntoTheCollectingOne) {
  TMDIChild* a = docs->OpenFile(WriteFile("a.txt", "target\r\n"), 255, false);
  docs->CollectAll1Click();
  TMDIChild* b = docs->OpenFile(WriteFile("b.txt", "word\r\n"), 255, false);
  ASSERT_TRUE(a && b);
  const int64_t before = a->CurrentEditor()->Editor().TextLength();
  b->CurrentEditor()->Editor().SelectAll(true);
  docs->UpdateButtons();
  EXPECT_EQ(docs->ActiveChild(), b);
  EXPECT_TRUE(b->CurrentEditor()->Editor().HasSelection());
  EXPECT_TRUE(form->Item("Copy1")->isEnabled());
  form->Item("Copy1")->trigger();
  EXPECT_GT(a->CurrentEditor()->Editor().TextLength(), before);
  // Copy in the collecting window itself adds nothing.
  docs->Area()->setActiveSubWindow(a);
  const int64_t now = a->CurrentEditor()->Editor().TextLength();
  a->CurrentEditor()->Editor().SelectAll(true);
  docs->UpdateButtons();
  form->Item("Copy1")->trigger();
  EXPECT_EQ(a->CurrentEditor()->Editor().TextLength(), now);
}

// No dead ends: every action of the main window that is enabled, in either
// shortcut set, runs a handler when triggered.
TEST_F(MainCommandsTest, EveryEnabledItemAndButtonReachesAHandler) {
  std::set<QString> ran;
  form->Commands->OnRan = [&](const QString& name) { ran.insert(name); };
  // Before each command: two windows, the first active with an edit to
  // undo and its whole text selected, and text on the clipboard.
  auto prepare = [&] {
    while (docs->Children().size() < 2) docs->OpenFile(WriteFile("doc.txt", "one two\r\nthree\r\n"), 255, false);
    TMDIChild* a = docs->Children().front();
    docs->Area()->setActiveSubWindow(a);
    TNvcCustomEditor& e = a->CurrentEditor()->Editor();
    e.SetCaretPosition(1, 1);
    e.InsertChar('x');
    e.SelectAll(true);
    QApplication::clipboard()->setText("clip");
    docs->UpdateButtons();
  };
  // Items that end the session or every window go last.
  const std::set<QString> last = {"Exit1", "Close1", "CloseAll1", "ExitBtn"};
  std::vector<QString> checked;
  for (const bool wordStar : {false, true}) {
    if (wordStar) form->SetWordStarShortcuts(); else form->SetWindowsShortcuts();
    for (const MenuItemDef& def : MainMenuLayout()) {
      const QString name = QString::fromUtf8(def.name.data(), static_cast<qsizetype>(def.name.size()));
      if (name.isEmpty() || (def.flags & kSeparator) || IsSubmenu(def.name) || last.count(name)) continue;
      prepare();
      QAction* act = (def.flags & kHidden) ? form->findChild<QAction*>(name + "Shortcut") : form->Item(name);
      if (!act || !act->isEnabled()) continue;
      ran.clear();
      act->trigger();
      EXPECT_TRUE(ran.count(name)) << name.toStdString() << " is enabled but ran nothing";
      checked.push_back(name);
    }
    for (const ToolButtonDef& def : SpeedPanelLayout()) {
      const QString name = QString::fromUtf8(def.name.data(), static_cast<qsizetype>(def.name.size()));
      if (last.count(name)) continue;
      prepare();
      QAbstractButton* b = form->Button(name);
      if (!b || !b->isEnabled() || b->isHidden()) continue;
      ran.clear();
      b->click();
      EXPECT_FALSE(ran.empty()) << name.toStdString() << " is enabled but ran nothing";
      checked.push_back(name);
    }
  }
  // The walk reached the everyday commands.
  for (const char* name : {"New1", "Copy1", "Paste1", "SelectAll1", "Undo1", "Cascade1", "DateConversion1", "CopyBtn"})
    EXPECT_NE(std::find(checked.begin(), checked.end(), QString(name)), checked.end()) << name;
  ran.clear();
  for (TMDIChild* c : docs->Children()) c->Doc().SetModified(false);
  form->Item("CloseAll1")->trigger();
  EXPECT_TRUE(ran.count("CloseAll1"));
  EXPECT_TRUE(docs->Children().empty());
}

// Every item and button the window shows has a command behind it; nothing
// shown is disabled for good.
TEST_F(MainCommandsTest, EveryShownItemHasACommand) {
  std::vector<std::string> without;
  for (const MenuItemDef& def : MainMenuLayout()) {
    const QString name = QString::fromUtf8(def.name.data(), static_cast<qsizetype>(def.name.size()));
    if (name.isEmpty() || (def.flags & kSeparator) || IsSubmenu(def.name) || (def.flags & kHidden)) continue;
    if (!form->Commands->Has(name)) without.push_back(name.toStdString());
  }
  for (const ToolButtonDef& def : SpeedPanelLayout()) {
    const QString name = QString::fromUtf8(def.name.data(), static_cast<qsizetype>(def.name.size()));
    QAbstractButton* b = form->Button(name);
    if (!b || b->isHidden()) continue;
    // A button runs its menu item's command or one of its own.
    const std::string_view item = ItemOfButton(def.name);
    const bool reaches = item.empty() ? form->Commands->HasButton(name)
                                      : form->Commands->Has(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    if (!reaches) without.push_back(name.toStdString());
  }
  EXPECT_TRUE(without.empty()) << ::testing::PrintToString(without);
}

// Handlers registered in a batch enable their items once, when the last
// batch ends; a refresh asked for meanwhile is not lost.
TEST(MainCommandsBatch, RefreshesOnceTheLastBatchEnds) {
  QAction open(QStringLiteral("Open"));
  QAction exit(QStringLiteral("Exit"));
  open.setEnabled(false);
  exit.setEnabled(false);
  CommandSurface surface;
  surface.item = [&](const QString& name) -> QAction* {
    return name == QLatin1String("Open1") ? &open : name == QLatin1String("Exit1") ? &exit : nullptr;
  };
  MainCommands commands(surface, nullptr);
  {
    MainCommands::Batch outer(commands);
    commands.On("Open1", [] {});
    {
      MainCommands::Batch inner(commands);
      commands.On("Exit1", [] {});
    }
    EXPECT_FALSE(open.isEnabled());
    EXPECT_FALSE(exit.isEnabled());
  }
  EXPECT_TRUE(open.isEnabled());
  EXPECT_TRUE(exit.isEnabled());
  // Outside a batch a handler enables its item at once.
  QAction help(QStringLiteral("Help"));
  help.setEnabled(false);
  surface.item = [&](const QString& name) -> QAction* { return name == QLatin1String("Contents1") ? &help : nullptr; };
  MainCommands alone(surface, nullptr);
  alone.On("Contents1", [] {});
  EXPECT_TRUE(help.isEnabled());
}

}  // namespace
}  // namespace nuvel
