#include "app/document_windows_qt.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMainWindow>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "app/main_form_flags.h"
#include "app/mdi_child_qt.h"
#include "app/new_doc_numbers.h"
#include "core/controller_qt.h"
#include "core/ini_location.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/text_file_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "tools/text_histories.h"

namespace nuvel {
namespace {

using namespace platform;

struct FakePrompts : FilePrompts {
  std::deque<std::vector<std::string>> opens;
  std::deque<std::optional<std::string>> saves;
  std::vector<std::string> saveTitles, saveSuggestions;
  std::vector<std::string> openFolders, openFilters;
  std::vector<std::string> OpenFileNames(const std::string&, const std::string& filter,
                                         const std::string& folder) override {
    openFolders.push_back(folder);
    openFilters.push_back(filter);
    if (opens.empty()) return {};
    auto r = opens.front();
    opens.pop_front();
    return r;
  }
  std::optional<std::string> SaveFileName(const std::string& title, const std::string&,
                                          const std::string& suggested) override {
    saveTitles.push_back(title);
    saveSuggestions.push_back(suggested);
    if (saves.empty()) return std::nullopt;
    auto r = saves.front();
    saves.pop_front();
    return r;
  }
  std::deque<TFileStrAnswer> fileStrs;
  std::vector<TFileStrRequest> fileStrAsked;
  TFileStrAnswer AskFileStr(const TFileStrRequest& request) override {
    fileStrAsked.push_back(request);
    if (fileStrs.empty()) return {};
    auto r = fileStrs.front();
    fileStrs.pop_front();
    return r;
  }
};

class DocumentWindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitStartUpIn(folder.Folder()));
    window.resize(900, 700);
    area = new QMdiArea(&window);
    window.setCentralWidget(area);
    controller = new TNvcController(&window);
    for (const char* name : {"Split1", "ReadOnly1", "CollectAll1", "Wordwrap1", "Find1", "WordStarCommands1"}) {
      auto* a = new QAction(QString::fromLatin1(name), &window);
      a->setObjectName(QString::fromLatin1(name));
      a->setCheckable(true);
      actions[name] = a;
    }
    DocumentFrame frame;
    frame.window = &window;
    frame.area = area;
    frame.controller = controller;
    frame.item = [this](const QString& n) -> QAction* {
      auto it = actions.find(n.toStdString());
      return it == actions.end() ? nullptr : it->second;
    };
    for (int i = 0; i < 7; ++i) panels.push_back(new QLabel(&window));
    frame.panels = panels;
    docs = new DocumentWindows(frame, &window);
    docs->SetPrompts(&prompts);
    window.show();
  }

  std::string WriteFile(const char* name, const std::string& bytes) {
    std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::vector<std::string> TabTexts() const {
    std::vector<std::string> out;
    for (int i = 0; i < docs->TabCtrl()->count(); ++i) out.push_back(docs->TabCtrl()->tabText(i).toStdString());
    return out;
  }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  // Before the window: its closing still looks items up.
  std::map<std::string, QAction*> actions;
  QMainWindow window;
  QMdiArea* area = nullptr;
  TNvcController* controller = nullptr;
  std::vector<QLabel*> panels;
  DocumentWindows* docs = nullptr;
  FakePrompts prompts;
};

// A new rule file is the user's: its Save As offers the user's data folder.
TEST_F(DocumentWindowsTest, ANewRuleFileIsOfferedANameInTheUsersDataFolder) {
  TMDIChild* c = docs->CreateMDIChild(UserDataFolder() + "NewRLE.Rle", true, 255);
  ASSERT_NE(c, nullptr);
  prompts.saves.push_back(std::nullopt);
  EXPECT_FALSE(docs->SaveChildAs(*c, false));
  ASSERT_EQ(prompts.saveSuggestions.size(), 1u);
  EXPECT_EQ(prompts.saveSuggestions.back(), UserDataFolder() + "*.rle");
  EXPECT_TRUE(std::filesystem::is_directory(UserDataFolder()));
}

// Texts of the collection open read-only, in the program folder's Texts and
// in the user's; other files do not.
TEST_F(DocumentWindowsTest, TextsOfTheCollectionOpenReadOnly) {
  const struct {
    std::string path;
    bool readOnly;
  } cases[] = {
      {UserDataFolder() + "Vayikro.nvw", false},
      {folder.Folder() + "Texts/Tanach/Bereishis.nvw", true},
      {UserDataFolder() + "Texts/Tanach/Shemos.nvw", true},
  };
  for (const auto& c : cases) {
    std::filesystem::create_directories(std::filesystem::path(c.path).parent_path());
    std::ofstream(c.path, std::ios::binary) << "text";
    TMDIChild* child = docs->OpenFile(c.path, 255, true);
    ASSERT_NE(child, nullptr) << c.path;
    EXPECT_EQ(child->HebDoc().ReadOnly(), c.readOnly) << c.path;
  }
}

TEST_F(DocumentWindowsTest, TwoFilesGiveTwoWindowsAndTwoTabsThatFollowActivation) {
  std::string a = WriteFile("a.txt", "first\r\nline two\r\n");
  std::string b = WriteFile("b.nvw", "second");
  TMDIChild* ca = docs->OpenFile(a, 255, true);
  TMDIChild* cb = docs->OpenFile(b, 255, true);
  ASSERT_EQ(docs->Children().size(), 2u);
  EXPECT_EQ(TabTexts(), (std::vector<std::string>{"a.txt", "b.nvw"}));
  EXPECT_EQ(ca->Caption(), a);
  EXPECT_EQ(ca->Doc().Text(), "first\r\nline two\r\n");
  EXPECT_EQ(cb->Doc().Text(), "second\r\n");
  EXPECT_EQ(docs->TabCtrl()->currentIndex(), 1);
  // Both large enough to write in, inside the area, the second one lower and
  // further in so that the first one's title bar shows.
  const QRect room = area->viewport()->rect();
  for (TMDIChild* c : {ca, cb}) {
    EXPECT_GE(c->width(), room.width() * 3 / 4);
    EXPECT_TRUE(room.contains(c->geometry().topLeft()));
  }
  EXPECT_GT(cb->y(), ca->y());
  EXPECT_GT(cb->x(), ca->x());

  area->setActiveSubWindow(ca);
  EXPECT_EQ(docs->TabCtrl()->currentIndex(), 0);
  docs->TabCtrl()->setCurrentIndex(1);
  EXPECT_EQ(docs->ActiveChild(), cb);

  // The reopen list and its section.
  EXPECT_EQ(ReadIniString("REOPEN", "0"), b);
  EXPECT_EQ(ReadIniString("REOPEN", "1"), a);
  // Opening an open file activates its window.
  EXPECT_TRUE(docs->ActivateIfOpen(a));
  EXPECT_EQ(docs->ActiveChild(), ca);
  EXPECT_FALSE(docs->ActivateIfOpen(a + "x"));

  docs->Options.WinTabFullPath = true;
  EXPECT_EQ(docs->TabCaptionOf(a), a);
}

TEST_F(DocumentWindowsTest, TabsHoldTheirWindowsEvenWithTheSameText) {
  QDir(dir.path()).mkdir("sub");
  std::string a = WriteFile("same.txt", "one");
  std::string b = WriteFile("sub/same.txt", "two");
  TMDIChild* ca = docs->OpenFile(a, 255, false);
  TMDIChild* cb = docs->OpenFile(b, 255, false);
  EXPECT_EQ(TabTexts(), (std::vector<std::string>{"same.txt", "same.txt"}));
  docs->TabCtrl()->setCurrentIndex(0);
  EXPECT_EQ(docs->ActiveChild(), ca);
  docs->TabCtrl()->setCurrentIndex(1);
  EXPECT_EQ(docs->ActiveChild(), cb);
  ca->close();
  QApplication::processEvents();
  EXPECT_EQ(docs->TabCtrl()->count(), 1);
  EXPECT_EQ(docs->TabCtrl()->tabData(0).value<QObject*>(), cb);
}

TEST_F(DocumentWindowsTest, NewNumbersAndTheirReturn) {
  TMDIChild* n1 = docs->New1Click();
  TMDIChild* n2 = docs->New1Click();
  TMDIChild* n3 = docs->New1Click();
  ASSERT_TRUE(n1 && n2 && n3);
  EXPECT_EQ(n3->Caption(), "NEWDOC3");
  EXPECT_TRUE(n2->close());
  QApplication::processEvents();
  TMDIChild* again = docs->New1Click();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Caption(), "NEWDOC2");
}

TEST_F(DocumentWindowsTest, AllNumbersInUseSaysSoAndOpensNothing) {
  for (int i = 1; i <= 255; ++i) docs->NewDocNumbers.Take();
  test::RecordingMessageSink sink;
  EXPECT_EQ(docs->New1Click(), nullptr);
  EXPECT_TRUE(docs->Children().empty());
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("255"), std::string::npos);
}

TEST_F(DocumentWindowsTest, SplitViewShowsOneTextAndCommandsFollowFocus) {
  TMDIChild* c = docs->New1Click();
  ASSERT_TRUE(c);
  c->ToggleSplit();
  ASSERT_TRUE(c->SplitView());
  ASSERT_NE(c->TopEditor(), nullptr);
  EXPECT_TRUE(actions["Split1"]->isChecked());
  QTest::keyClicks(c->Editor(), "hello");
  EXPECT_EQ(c->TopEditor()->Editor().Text(), "hello");
  c->activateWindow();
  c->TopEditor()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(c->CurrentEditor(), c->TopEditor());
  c->ToggleSplit();
  EXPECT_FALSE(c->SplitView());
  EXPECT_EQ(c->CurrentEditor(), c->Editor());
  EXPECT_FALSE(actions["Split1"]->isChecked());
  EXPECT_EQ(c->Editor()->Editor().Text(), "hello");
}

TEST_F(DocumentWindowsTest, DroppedFiles) {
  std::string a = WriteFile("a.txt", "A");
  std::string b = WriteFile("b.txt", "B");
  std::string c = WriteFile("c.txt", "C");
  TMDIChild* ca = docs->OpenFile(a, 255, false);
  docs->New1Click();
  // Two files, the first open: it is activated, the second opened, the
  // reopen list untouched.
  docs->DropFiles({a, b});
  EXPECT_EQ(docs->Children().size(), 3u);
  EXPECT_NE(docs->FindChild(b), nullptr);
  EXPECT_EQ(ReadIniString("REOPEN", "0"), kNotFound);
  (void)ca;
  // One file goes into the reopen list.
  docs->DropFiles({c});
  EXPECT_EQ(docs->ActiveChild(), docs->FindChild(c));
  EXPECT_EQ(ReadIniString("REOPEN", "0"), c);
}

TEST_F(DocumentWindowsTest, SaveAsKeepsTheChosenNameAndFreesTheNumber) {
  TMDIChild* c = docs->New1Click();
  QTest::keyClicks(c->Editor(), "abc");
  std::string chosen = dir.filePath("report.v2.txt").toStdString();
  prompts.saves.push_back(chosen);
  ASSERT_TRUE(docs->SaveAs1Click());
  EXPECT_EQ(prompts.saveTitles.back(), "Save NEWDOC1 As");
  EXPECT_EQ(prompts.saveSuggestions.back(), "");
  EXPECT_EQ(c->Caption(), chosen);
  EXPECT_EQ(TabTexts(), (std::vector<std::string>{"report.v2.txt"}));
  EXPECT_EQ(test::ReadWholeFile(chosen), "abc\r\n");
  EXPECT_FALSE(docs->NewDocNumbers.InUse(1));
  EXPECT_FALSE(c->Doc().Modified());
  EXPECT_FALSE(TimerBusy);
}

TEST_F(DocumentWindowsTest, CloseQueryKeepsTheWindowUnlessTheSaveSucceeded) {
  TMDIChild* c = docs->New1Click();
  QTest::keyClicks(c->Editor(), "text");
  {
    // Yes, then the Save As dialog is cancelled: the window and its text stay.
    test::RecordingMessageSink sink;
    sink.answers = {mrYes};
    EXPECT_FALSE(c->close());
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_NE(sink.requests[0].text.find("NEWDOC1"), std::string::npos);
    EXPECT_EQ(docs->Children().size(), 1u);
    EXPECT_EQ(c->Doc().Text(), "text");
  }
  {
    // Cancel keeps it without a dialog.
    test::RecordingMessageSink sink;
    sink.answers = {mrCancel};
    EXPECT_FALSE(c->close());
    EXPECT_TRUE(prompts.saveTitles.size() == 1u);
  }
  {
    // Yes with a name: saved, then closed.
    test::RecordingMessageSink sink;
    sink.answers = {mrYes};
    std::string name = dir.filePath("kept.txt").toStdString();
    prompts.saves.push_back(name);
    QPointer<TMDIChild> guard(c);
    EXPECT_TRUE(c->close());
    QApplication::processEvents();
    EXPECT_EQ(test::ReadWholeFile(name), "text\r\n");
    EXPECT_TRUE(docs->Children().empty());
    EXPECT_EQ(docs->TabCtrl()->count(), 0);
  }
}

TEST_F(DocumentWindowsTest, FailedSaveKeepsTheDocumentModified) {
  QDir(dir.path()).mkdir("gone");
  std::string name = WriteFile("gone/doc.txt", "old");
  TMDIChild* c = docs->OpenFile(name, 255, false);
  QTest::keyClicks(c->Editor(), "new ");
  // A folder of that name now stands where the file was: the save cannot replace it.
  QDir(dir.filePath("gone")).removeRecursively();
  QDir(dir.path()).mkpath("gone/doc.txt");
  test::RecordingMessageSink sink;
  docs->Save1Click();
  EXPECT_TRUE(c->Doc().Modified());
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].type, MsgDlgType::Error);
  // Closing asks; Yes tries to save, fails, and the window stays.
  sink.answers = {mrYes, mrOk};
  EXPECT_FALSE(c->close());
  EXPECT_EQ(docs->Children().size(), 1u);
  EXPECT_EQ(c->Doc().Text(), "new old\r\n");
}

TEST_F(DocumentWindowsTest, OpenWithDialogAndForcedFormat) {
  std::string a = WriteFile("a.txt", "A");
  std::string missing = dir.filePath("new.txt").toStdString();
  prompts.opens.push_back({a, missing});
  docs->Open1Click();
  ASSERT_EQ(docs->Children().size(), 2u);
  // A missing file chosen in the dialog opens an empty window of that name.
  ASSERT_NE(docs->FindChild(missing), nullptr);
  EXPECT_EQ(docs->FindChild(missing)->Doc().TextLength(), 0);
  // The open one is activated, not opened again; a new one takes the format.
  std::string b = WriteFile("b.txt", "B");
  prompts.opens.push_back({a, b});
  docs->OpenSpecial(1);
  EXPECT_EQ(docs->Children().size(), 3u);
  EXPECT_EQ(docs->FindChild(b)->HebDoc().Disk_Conv(), 1);
  EXPECT_EQ(ReadIniString("REOPEN", "0"), b);
}

TEST_F(DocumentWindowsTest, NewWindowsJoinAMaximizedOneAndCascadeKeepsTheirSize) {
  TMDIChild* a = docs->New1Click();
  const QSize normal = a->size();
  EXPECT_GT(normal.width(), area->viewport()->width() / 2);
  a->showMaximized();
  TMDIChild* b = docs->New1Click();
  EXPECT_TRUE(b->isMaximized());
  // The window area shows the active window maximized; the one before is
  // back at its own size behind it, not stuck between the two.
  EXPECT_TRUE(a->isMaximized() || a->size() == normal);
  docs->Area()->setActiveSubWindow(a);
  EXPECT_TRUE(a->isMaximized());
  docs->Cascade1Click();
  for (TMDIChild* c : {a, b}) {
    EXPECT_FALSE(c->isMaximized());
    EXPECT_EQ(c->size(), normal);
    EXPECT_TRUE(area->viewport()->rect().contains(c->geometry())) << "inside the area";
  }
  EXPECT_LT(a->pos().y(), b->pos().y());
}

TEST_F(DocumentWindowsTest, OpenDialogStartsInTheActiveFolderShowingAllFiles) {
  std::string name = WriteFile("here.nvw", "x");
  docs->OpenFile(name, 255, false);
  docs->Open1Click();
  ASSERT_EQ(prompts.openFolders.size(), 1u);
  EXPECT_EQ(prompts.openFolders[0], dir.path().toStdString() + "/");
  EXPECT_EQ(prompts.openFilters[0].rfind("All files (*.*)|*.*|", 0), 0u) << prompts.openFilters[0];
  // Without a window: the folder a file was last opened from.
  for (TMDIChild* c : docs->Children()) c->close();
  QDir(dir.path()).mkdir("sub");
  std::string other = WriteFile("sub/other.txt", "y");
  prompts.opens.push_back({other});
  docs->Open1Click();
  for (TMDIChild* c : docs->Children()) c->close();
  docs->Open1Click();
  ASSERT_EQ(prompts.openFolders.size(), 3u);
  EXPECT_EQ(prompts.openFolders[2], dir.path().toStdString() + "/sub/");
}

TEST_F(DocumentWindowsTest, CtrlCPagesOnceWithWordStarAndCopiesWithWindowsKeys) {
  TMDIChild* c = docs->New1Click();
  c->resize(400, 300);
  QApplication::processEvents();
  QTest::keyClicks(c->Editor(), "abc");
  for (int i = 0; i < 80; ++i) QTest::keyClick(c->Editor(), Qt::Key_Return);
  int32_t rows = c->Doc().VisibleRows();
  ASSERT_GT(rows, 2);
  int32_t col = 0;

  // Windows keys: the selection goes to the clipboard; the caret stays.
  actions["WordStarCommands1"]->setChecked(false);
  QApplication::clipboard()->clear();
  c->Doc().SetSelection(1, 1, 1, 4, true);
  QTest::keyClick(c->Editor(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QString("abc"));
  EXPECT_EQ(c->Doc().GetCaretPosition(col), 1);

  // WordStar keys: one page of rows - 1 down, once.
  actions["WordStarCommands1"]->setChecked(true);
  c->Doc().SetCaretPosition(1, 1);
  QTest::keyClick(c->Editor(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(c->Doc().GetCaretPosition(col), rows);
}

TEST_F(DocumentWindowsTest, FileWithLineFeedsIsSavedWithLineFeeds) {
  std::string name = WriteFile("unix.txt", "one\ntwo\n");
  TMDIChild* c = docs->OpenFile(name, 255, false);
  QTest::keyClicks(c->Editor(), "x");
  docs->Save1Click();
  EXPECT_EQ(test::ReadWholeFile(name), "xone\ntwo\n");
  EXPECT_FALSE(c->Doc().Modified());
}

TEST_F(DocumentWindowsTest, CollectAllMarksCaptionAndTab) {
  std::string a = WriteFile("a.txt", "A");
  TMDIChild* c = docs->OpenFile(a, 255, false);
  docs->CollectAll1Click();
  EXPECT_EQ(c->Caption(), a + "+C+");
  EXPECT_EQ(TabTexts(), (std::vector<std::string>{"a.txt+C+"}));
  EXPECT_TRUE(actions["CollectAll1"]->isChecked());
  docs->CollectAll1Click();
  EXPECT_EQ(c->Caption(), a);
  EXPECT_EQ(TabTexts(), (std::vector<std::string>{"a.txt"}));
  EXPECT_FALSE(actions["CollectAll1"]->isChecked());
}

TEST_F(DocumentWindowsTest, StatusPanelsFollowTheActiveDocument) {
  TMDIChild* c = docs->New1Click();
  QTest::keyClicks(c->Editor(), "abc");
  c->Doc().SetCaretPosition(1, 3);
  docs->UpdateStatusBar();
  EXPECT_EQ(panels[0]->text(), "1:3 (#99)");
  EXPECT_EQ(panels[1]->text(), "Modified");
  EXPECT_EQ(panels[4]->text(), "Bytes: 3");
  test::RecordingMessageSink sink;
  sink.answers = {mrNo};
  c->close();
  QApplication::processEvents();
  docs->UpdateStatusBar();
  EXPECT_EQ(panels[0]->text(), "");
}

TEST_F(DocumentWindowsTest, MacroKeysPlayTheirSlots) {
  TMDIChild* c = docs->New1Click();
  MacroKeys[11] = "ab{c&;zz";
  MacroKeys[40] = "x&&y";
  c->EditorUserCommand(267);  // Alt+1: slot 11
  EXPECT_EQ(c->Doc().Text(), "ab\r\nc");
  QTest::keyClick(c->Editor(), Qt::Key_0, Qt::AltModifier);  // Alt+0: slot 40
  EXPECT_EQ(c->Doc().Text(), "ab\r\ncx&y");
  MacroKeys[11].clear();
  MacroKeys[40].clear();
}

TEST_F(DocumentWindowsTest, BlockMarkersSelectAndDelete) {
  TMDIChild* c = docs->New1Click();
  QTest::keyClicks(c->Editor(), "one two three");
  TNvcCustomEditor& e = c->Doc();
  e.SetCaretPosition(1, 5);
  c->EditorUserCommand(314);  // block begin
  e.SetCaretPosition(1, 9);
  c->EditorUserCommand(315);  // block end
  int32_t l1, c1, l2, c2;
  ASSERT_TRUE(e.GetSelection(l1, c1, l2, c2));
  EXPECT_EQ(std::vector<int32_t>({l1, c1, l2, c2}), std::vector<int32_t>({1, 5, 1, 9}));
  e.SetCaretPosition(1, 1);
  c->EditorUserCommand(317);  // delete block
  EXPECT_EQ(e.Text(), "one three");
}

// Open with the program's own file-name prompt: an existing file opens and
// joins the reopen list and the file history, an open one is activated, a
// missing one is reported by name, Ctrl+F (Retry) runs the open dialog.
TEST_F(DocumentWindowsTest, OpenWithTheOwnPromptWhenNuvelDlgIsSet) {
  const bool saved = NuvelDlg;
  NuvelDlg = true;
  HistoryFile = {"/earlier/x.txt"};
  std::string a = WriteFile("a.txt", "alpha");
  std::string b = WriteFile("b.txt", "beta");

  prompts.fileStrs.push_back({TFileStrResult::Ok, a + "\r\n"});
  docs->Open1Click();
  ASSERT_EQ(prompts.fileStrAsked.size(), 1u);
  const TFileStrRequest& asked = prompts.fileStrAsked[0];
  EXPECT_EQ(asked.Caption, "Enter Filename");
  EXPECT_EQ(asked.Label, "Filename: ");
  EXPECT_TRUE(asked.EnglishMode);
  EXPECT_TRUE(asked.HebScreenFont);
  EXPECT_EQ(asked.History, (TextHistory{"/earlier/x.txt"}));
  ASSERT_EQ(docs->Children().size(), 1u);
  EXPECT_EQ(docs->ActiveChild()->Caption(), a);
  EXPECT_EQ(ReadIniString("REOPEN", "0"), a);
  EXPECT_EQ(HistoryFile, (TextHistory{a, "/earlier/x.txt"}));

  // The same name again activates its window.
  TMDIChild* first = docs->ActiveChild();
  docs->OpenFile(b, 255, false);
  prompts.fileStrs.push_back({TFileStrResult::Ok, a});
  docs->Open1Click();
  EXPECT_EQ(docs->Children().size(), 2u);
  EXPECT_EQ(docs->ActiveChild(), first);

  {
    test::RecordingMessageSink sink;
    std::string missing = dir.filePath("missing.txt").toStdString();
    prompts.fileStrs.push_back({TFileStrResult::Ok, missing});
    docs->Open1Click();
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_NE(sink.requests[0].text.find(missing), std::string::npos);
    EXPECT_EQ(docs->Children().size(), 2u);
  }

  // Retry goes to the standard dialog; Cancel does nothing.
  std::string c = WriteFile("c.txt", "gamma");
  prompts.fileStrs.push_back({TFileStrResult::Retry, "ignored"});
  prompts.opens.push_back({c});
  docs->Open1Click();
  EXPECT_EQ(docs->Children().size(), 3u);
  EXPECT_EQ(docs->ActiveChild()->Caption(), c);
  prompts.fileStrs.push_back({TFileStrResult::Cancel, a});
  prompts.opens.push_back({b});
  docs->Open1Click();
  EXPECT_EQ(docs->Children().size(), 3u);
  EXPECT_EQ(prompts.opens.size(), 1u);

  // Without the preference the open dialog comes at once.
  NuvelDlg = false;
  const size_t asks = prompts.fileStrAsked.size();
  docs->Open1Click();
  EXPECT_EQ(prompts.fileStrAsked.size(), asks);
  EXPECT_TRUE(prompts.opens.empty());
  NuvelDlg = saved;
  HistoryFile.clear();
}

}  // namespace
}  // namespace nuvel
