// Tools | Search Texts and Help | About in the running program.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_about_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "app/text_search_command_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "textsearch/text_search_window_qt.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

class TextSearchCommand : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    fs::create_directories(folder.Path("Texts/Tanach"));
    std::ofstream(folder.Path("Texts/Tanach/Bereishis.nvw"), std::ios::binary) << "abc shalom\r\n";
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
    docs = program.Documents();
  }
  void TearDown() override {
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
  std::string savedProgPath_;
  Program program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
};

TEST_F(TextSearchCommand, OpensOnceSeededWithTheWordAtTheCaret) {
  const std::string name = dir.filePath("letter.txt").toStdString();
  std::ofstream(name, std::ios::binary) << "shalom world\r\n";
  form->Keyboard().EnglishFile = true;  // an English letter in an English document
  TMDIChild* c = docs->OpenFile(name, 255, false);
  ASSERT_NE(c, nullptr);
  c->HebDoc().SetCaretPosition(1, 2);

  QAction* item = form->Item("SearchTexts1");
  ASSERT_TRUE(item->isEnabled());
  item->trigger();
  TTextSearch* w = TextSearchWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), "Text Search");
  EXPECT_EQ(w->SearchText(), "shalom");
  // The tree shows what the program folder's Texts holds.
  EXPECT_EQ(w->Tree().nodes[static_cast<size_t>(w->Tree().Item(1))].children.size(), 20u);

  // The search finds the word in the collection.
  w->SelectNode(w->Tree().Item(1));
  w->GoBtnClick();
  ASSERT_EQ(w->Panels().size(), 1u);

  w->close();
  EXPECT_FALSE(w->isVisible());
  item->trigger();
  EXPECT_EQ(TextSearchWindow(), w);  // the same window again
  EXPECT_TRUE(w->isVisible());

  // File | Exit destroys it; the next command makes a new one.
  w->findChild<QAction*>("Exit1")->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(TextSearchWindow(), nullptr);
  item->trigger();
  ASSERT_NE(TextSearchWindow(), nullptr);
  TextSearchWindow()->close();
}

// The window comes back where the user left it and as large, whether it was
// closed or destroyed by its File | Exit.
TEST_F(TextSearchCommand, KeepsItsSizeAndPlaceBetweenRuns) {
  QAction* item = form->Item("SearchTexts1");
  const QRect places[] = {{120, 90, 640, 420}, {30, 40, 700, 380}};
  item->trigger();
  TTextSearch* w = TextSearchWindow();
  ASSERT_NE(w, nullptr);
  w->setGeometry(places[0]);
  w->close();
  w->findChild<QAction*>("Exit1")->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(TextSearchWindow(), nullptr);

  item->trigger();
  w = TextSearchWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), places[0]);
  // Moved again and left by File | Exit while shown.
  w->setGeometry(places[1]);
  w->findChild<QAction*>("Exit1")->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  item->trigger();
  ASSERT_NE(TextSearchWindow(), nullptr);
  EXPECT_EQ(TextSearchWindow()->geometry(), places[1]);
  TextSearchWindow()->close();
}

TEST_F(TextSearchCommand, AboutBoxShowsTheVersionAndMemory) {
  QString version, memory, load;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<TMdiAbout*>(QApplication::activeModalWidget())) {
      version = box->Label3->text();
      memory = box->PhysMem->text();
      load = box->FreeRes->text();
      box->accept();
    }
  });
  form->Item("About1")->trigger();
  EXPECT_EQ(version, "Nuvel Text Editor v.3.55");
  EXPECT_TRUE(memory.endsWith(" MB")) << memory.toStdString();
  EXPECT_TRUE(load.endsWith(" %")) << load.toStdString();

  TMdiAbout fixed(nullptr, MemoryFigures{67108864ull, 16777216ull});
  EXPECT_EQ(fixed.PhysMem->text(), "66 MB");
  EXPECT_EQ(fixed.FreeRes->text(), "75 %");
  EXPECT_FALSE(fixed.ProductionMark->isVisibleTo(&fixed));
}

}  // namespace
}  // namespace nuvel
