#include "app/program_qt.h"

#include "filemanager/fm_form_qt.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <future>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/single_instance_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/editor_widget_qt.h"
#include "editor/text_file_editor.h"
#include "tests/support/recording_message_sink.h"
#include "platform/atomic_file.h"
#include "tests/support/temp_program_folder.h"
#include "tools/text_histories.h"

namespace nuvel {
namespace {

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
  }
  void TearDown() override {
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  std::string WriteFile(const char* name, const std::string& bytes) {
    // The name's bytes as given.
    std::string path = dir.path().toStdString() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  QString Key(const char* what) const {
    return QString("nuvel-program-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
  }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;  // answers every question with its default
  std::string savedProgPath_;
};

TEST_F(ProgramTest, OpenHebrewFileTypeSaveQuit) {
  // "shalom" in Windows-1255, on two lines.
  std::string file = WriteFile("shalom.txt", "\xF9\xEC\xE5\xED\r\n\xF2\xE5\xEC\xED\r\n");
  Program program;
  ASSERT_TRUE(program.Start({"nuvel", file}, nullptr));
  TMainForm& form = *program.MainForm();
  form.OpenCommandLineFile(file);
  DocumentWindows& docs = *program.Documents();
  ASSERT_EQ(docs.Children().size(), 1u);
  TMDIChild* child = docs.ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->Caption(), file);
  EXPECT_EQ(docs.TabCtrl()->tabText(0).toStdString(), "shalom.txt");
  EXPECT_FALSE(child->windowIcon().pixmap(16, 16).isNull()) << "the program's icon, not the library's";

  // A Hebrew document with the Hebrew keyboard: the keys of "shalom" and a blank.
  form.Keyboard().EnglishFile = false;
  form.HebrewKeyboard1Click();
  QTest::keyClicks(child->Editor(), "akuo ");
  EXPECT_TRUE(child->Doc().Modified());
  form.Item("Save1")->trigger();
  EXPECT_FALSE(child->Doc().Modified());
  EXPECT_EQ(test::ReadWholeFile(file), "\xF9\xEC\xE5\xED \xF9\xEC\xE5\xED\r\n\xF2\xE5\xEC\xED\r\n");

  EXPECT_TRUE(form.close());
  EXPECT_EQ(ReadIniString("REOPEN", "0"), file);
  EXPECT_NE(ReadIniString("StartUp", "WindowState"), kNotFound);
  EXPECT_NE(ReadIniString("StartUp", "WindowPosition"), kNotFound);
  EXPECT_EQ(ReadIniString("GENPREFS", "ENG_FILE").size(), 1u);
}

TEST_F(ProgramTest, FileHistoryComesFromTheRegistryAndGoesBackAtClose) {
  SaveRegStrings("History_File", {"/earlier/notes.txt"});
  HistoryFile = {"stale"};
  std::string file = WriteFile("h.txt", "x");
  Program program;
  ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
  EXPECT_EQ(HistoryFile, (TextHistory{"/earlier/notes.txt"}));
  program.Documents()->OpenFile(file, 255, true);
  EXPECT_TRUE(program.MainForm()->close());
  std::vector<std::string> stored;
  LoadRegStrings("History_File", stored);
  EXPECT_EQ(stored, (std::vector<std::string>{file, "/earlier/notes.txt"}));
  HistoryFile.clear();
}

TEST_F(ProgramTest, ClosingTheProgramAsksForModifiedDocuments) {
  Program program;
  ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
  TMainForm& form = *program.MainForm();
  form.Item("New1")->trigger();
  TMDIChild* child = program.Documents()->ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->Caption(), "NEWDOC1");
  QTest::keyClicks(child->Editor(), "unsaved");
  sink.answers = {platform::mrCancel};
  EXPECT_FALSE(form.close());
  EXPECT_EQ(program.Documents()->Children().size(), 1u);
  EXPECT_EQ(ReadIniString("StartUp", "WindowState"), kNotFound);
  sink.answers = {platform::mrNo};
  EXPECT_TRUE(form.close());
}

// A later start of the program, run on a thread of its own as a second
// process would run, while this thread runs the first copy's events. The
// later start hands its file over and ends before it creates any window.
bool StartsAsSecondCopy(const std::vector<std::string>& arguments, std::unique_ptr<SingleInstanceGuard> guard) {
  Program later;
  auto started = std::async(std::launch::async, [&] { return later.Start(arguments, std::move(guard)); });
  while (started.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) QTest::qWait(10);
  const bool ran = started.get();
  EXPECT_EQ(later.MainForm(), nullptr);
  return !ran;
}

TEST_F(ProgramTest, SecondStartHandsItsFileToTheFirst) {
  std::string file = WriteFile("second.txt", "two");
  Program first;
  ASSERT_TRUE(first.Start({"nuvel"}, std::make_unique<SingleInstanceGuard>(Key("a"), dir.path())));
  EXPECT_TRUE(StartsAsSecondCopy({"nuvel", file},
                                 std::make_unique<SingleInstanceGuard>(Key("a"), dir.path())));
  DocumentWindows& docs = *first.Documents();
  for (int i = 0; i < 100 && docs.Children().empty(); ++i) QTest::qWait(20);
  ASSERT_EQ(docs.Children().size(), 1u);
  EXPECT_EQ(docs.Children()[0]->Caption(), file);
  // Again: the open window is activated, no second one opened.
  EXPECT_TRUE(StartsAsSecondCopy({"nuvel", file},
                                 std::make_unique<SingleInstanceGuard>(Key("a"), dir.path())));
  QTest::qWait(200);
  EXPECT_EQ(docs.Children().size(), 1u);
  // A name that is not UTF-8 (Windows-1255 bytes) is handed over whole.
  const std::string foreign = WriteFile("\xF9\xEC\xE5\xED.txt", "three");
  EXPECT_TRUE(StartsAsSecondCopy({"nuvel", foreign}, std::make_unique<SingleInstanceGuard>(Key("a"), dir.path())));
  for (int i = 0; i < 100 && docs.Children().size() < 2; ++i) QTest::qWait(20);
  ASSERT_EQ(docs.Children().size(), 2u);
  EXPECT_EQ(docs.Children()[1]->Caption(), foreign);
  EXPECT_EQ(docs.Children()[1]->Doc().GetPara(1).size(), 5u);
}

TEST_F(ProgramTest, FileManagerWindows) {
  struct Case {
    const char* number;
    bool second;
  };
  const Case cases[] = {{"2", true}, {"10", true}, {"1", false}, {"0", false}, {nullptr, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number ? c.number : "missing");
    std::string ini = "[StartUp]\r\nEng_Prompts=English\r\n";
    if (c.number) ini += std::string("[FileManager]\r\nNumber=") + c.number + "\r\n";
    // The user's settings: the starts before this one have made them.
    platform::WriteFileAtomically(IniFileName(), ini);
    Program program;
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    EXPECT_NE(program.FileForm1(), nullptr);
    ASSERT_EQ(program.FileForm2() != nullptr, c.second);
    if (c.second) {
      EXPECT_TRUE(program.FileForm2()->windowTitle().endsWith(":2"));
    }
  }
}

}  // namespace
}  // namespace nuvel
