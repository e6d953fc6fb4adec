#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <fstream>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
#include "filemanager/file_viewers_qt.h"
#include "platform/input_box.h"
#include "tools/search_dlgs_qt.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class AnswerInputBox : public platform::InputBoxService {
 public:
  AnswerInputBox() : previous_(platform::SetInputBoxService(this)) {}
  ~AnswerInputBox() override { platform::SetInputBoxService(previous_); }
  std::optional<std::string> Ask(const platform::InputBoxRequest& r) override {
    asked.push_back(r);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<std::string> answers;
  std::vector<platform::InputBoxRequest> asked;

 private:
  platform::InputBoxService* previous_;
};

// The program views a file from the Window menu's viewer entry: goes to a
// line, finds a Hebrew word, and hands the file to the editor.
TEST(FileViewProgramTest, ViewGoToLineFindHebrewAndOpenInTheEditor) {
  test::TempProgramFolder folder;
  folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
  const std::string saved = ProgPath;
  test::RecordingMessageSink sink;
  AnswerInputBox input;
  QTemporaryDir dir;
  const std::string file = dir.filePath("notes.txt").toStdString();
  // Windows-1255 text; "shalom" on the third line.
  std::ofstream(file, std::ios::binary) << "first\nsecond\nsay \xF9\xEC\xE5\xED here\nlast\n";
  {
    Program program;
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    TMainForm& form = *program.MainForm();
    form.FormActivate();
    QAction* entry = form.Item("FileViewer");
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->isVisible());

    TFileViewers* viewers = ProgramFileViewers();
    ASSERT_NE(viewers, nullptr);
    TViewForm* view = viewers->View(file);
    ASSERT_TRUE(view->Model().IsOpen());
    EXPECT_TRUE(entry->isVisible());
    EXPECT_EQ(view->Model().LineCount(), 5);

    input.answers = {"3"};
    view->GotoLine1Click();
    EXPECT_EQ(view->Model().CaretPos().line, 2);

    program.Documents()->SearchString = "\xF9\xEC\xE5\xED";
    QTimer::singleShot(0, [] {
      auto* dlg = qobject_cast<THebFindDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->FindEdit()->Line().Text, "\xF9\xEC\xE5\xED");
      dlg->FindNxtBtnClick();
      dlg->reject();
    });
    view->Item("Find1")->trigger();
    EXPECT_EQ(view->Model().SelStart(), (TViewerPos{2, 4}));

    view->hide();
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_TRUE(view->isVisible());

    view->Item("Edit1")->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(viewers->Latest(), nullptr);
    ASSERT_EQ(program.Documents()->Children().size(), 1u);
    EXPECT_EQ(program.Documents()->ActiveChild()->Caption(), file);
    EXPECT_TRUE(sink.requests.empty());
    form.CloseWithoutSaving();
  }
  ProgPath = saved;
  EngPrompts = true;
}

}  // namespace
}  // namespace nuvel
