// The file manager windows in the running program: the menu items that
// show them, opening a file in an editor window, and the settings they
// leave for the next start.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include "app/document_windows_qt.h"
#include "app/file_managers_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "filemanager/file_list_view_qt.h"
#include "filemanager/file_viewers_qt.h"
#include "filemanager/fm_form_qt.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class FileManagerProgram : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
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
};

TEST_F(FileManagerProgram, MenuShowsTheWindowWhichOpensFilesInTheEditor) {
  TFMForm* fm = program.FileForm1();
  ASSERT_NE(fm, nullptr);
  EXPECT_EQ(fm->objectName().toStdString(), "FMForm");
  EXPECT_FALSE(fm->isVisible());  // it was not showing at the last end
  EXPECT_EQ(program.FileForm2(), nullptr);
  for (const char* item : {"FileManager1", "FindaFile1"}) {
    fm->hide();
    ASSERT_TRUE(form->Commands->Enabled(QString::fromLatin1(item))) << item;
    form->Commands->Run(QString::fromLatin1(item));
    EXPECT_TRUE(fm->isVisible()) << item;
  }
  QAction* windowItem = form->Menu(QStringLiteral("Window1"))->findChild<QAction*>(QStringLiteral("FileForm1"));
  ASSERT_NE(windowItem, nullptr);
  EXPECT_EQ(windowItem->text().toStdString(), "File Manager ");

  const std::string name = dir.filePath(QStringLiteral("my notes.txt")).toStdString();
  std::ofstream(name) << "hello from the file manager\n";
  ASSERT_TRUE(fm->ShowFolder(dir.path().toStdString()));
  ASSERT_TRUE(fm->FileList->SelectName("my notes.txt"));
  fm->Action(QStringLiteral("Open1"))->trigger();
  ASSERT_EQ(program.Documents()->Children().size(), 1u);
  EXPECT_EQ(program.Documents()->Children()[0]->Caption(), name);
  // Again: the open window comes forward, no second one.
  fm->Action(QStringLiteral("Open2"))->trigger();
  EXPECT_EQ(program.Documents()->Children().size(), 1u);

  // View: a file view window of its own; a file open in the editor is not viewed.
  const std::string other = dir.filePath(QStringLiteral("other.txt")).toStdString();
  std::ofstream(other) << "line one\nline two\n";
  fm->RefreshFileList();
  ASSERT_TRUE(fm->FileList->SelectName("other.txt"));
  ASSERT_TRUE(fm->Action(QStringLiteral("View1"))->isEnabled());
  fm->Action(QStringLiteral("View1"))->trigger();
  TFileViewers* viewers = ProgramFileViewers();
  ASSERT_NE(viewers, nullptr);
  ASSERT_NE(viewers->Latest(), nullptr);
  EXPECT_TRUE(viewers->Latest()->isVisible());
  EXPECT_TRUE(viewers->Latest()->windowTitle().contains(QStringLiteral("other.txt")));
  TViewForm* first = viewers->Latest();
  ASSERT_TRUE(fm->FileList->SelectName("my notes.txt"));
  sink.requests.clear();
  fm->Action(QStringLiteral("View2"))->trigger();
  EXPECT_EQ(viewers->Latest(), first);
  ASSERT_FALSE(sink.requests.empty());
  EXPECT_EQ(program.Documents()->Children().size(), 1u);

  // New FM, then the settings of the end: two windows, the first showing.
  fm->Action(QStringLiteral("NewWin"))->trigger();
  ASSERT_NE(program.FileForm2(), nullptr);
  EXPECT_TRUE(program.FileForm2()->windowTitle().endsWith(QStringLiteral(":2")));
  form->FormClose();
  EXPECT_EQ(ReadIniString("FileManager", "Number"), "2");
  EXPECT_EQ(ReadIniString("FileManager", "Showing"), "1");
  EXPECT_NE(ReadIniString("FileManager", "WindowPosition2"), std::string(kNotFound));
}

}  // namespace
}  // namespace nuvel
