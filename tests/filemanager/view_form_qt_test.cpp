#include "filemanager/view_form_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <deque>
#include <optional>
#include <string>

#include "core/controller_qt.h"
#include "core/shared_state.h"
#include "filemanager/file_viewers_qt.h"
#include "platform/input_box.h"
#include "tools/search_dlgs_qt.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// Answers the input box from a script and remembers what it was asked.
class ScriptedInputBox : public platform::InputBoxService {
 public:
  ScriptedInputBox() : previous_(platform::SetInputBoxService(this)) {}
  ~ScriptedInputBox() override { platform::SetInputBoxService(previous_); }
  std::optional<std::string> Ask(const platform::InputBoxRequest& request) override {
    asked.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<std::optional<std::string>> answers;
  std::vector<platform::InputBoxRequest> asked;

 private:
  platform::InputBoxService* previous_;
};

// "shalom" in the system's set (Windows-1255 letters).
const std::string kShalom = "\xF9\xEC\xE5\xED";

class ViewFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.CopyShippedFile("NuvStr.DLL");
    host_.controller = &controller_;
    host_.searchText = [this] { return search_; };
    host_.setSearchText = [this](const std::string& s) { search_ = s; };
    host_.openInEditor = [this](const std::string& name) { edited_ = name; };
    host_.shownChanged = [this](bool shown) { shownLog_.push_back(shown); };
    std::string text;
    for (int i = 1; i <= 40; ++i) text += "line " + std::to_string(i) + (i == 25 ? " " + kShalom : "") + "\r\n";
    folder_.WriteFile("heb.txt", text);
    path_ = folder_.Path("heb.txt").string();
  }
  TViewForm* Make() {
    form_ = new TViewForm(host_);
    form_->resize(500, 400);
    form_->show();
    QApplication::processEvents();
    return form_;
  }
  void TearDown() override { delete form_.data(); }

  test::TempProgramFolder folder_;
  test::RecordingMessageSink sink_;
  ScriptedInputBox input_;
  TNvcController controller_;
  TViewFormHost host_;
  QPointer<TViewForm> form_;
  std::string search_;
  std::string edited_;
  std::vector<bool> shownLog_;
  std::string path_;
};

TEST_F(ViewFormTest, BeforeAFileIsOpenFindGotoCopyAndSelectAllAreDisabled) {
  TViewForm* f = Make();
  for (const char* name : {"Find1", "GotoLine1", "Copy1", "SelectAll1", "FindNext1"})
    EXPECT_FALSE(f->Item(QString::fromLatin1(name))->isEnabled()) << name;
  f->Open(path_);
  EXPECT_TRUE(f->Item("Find1")->isEnabled());
  EXPECT_TRUE(f->Item("GotoLine1")->isEnabled());
  EXPECT_TRUE(f->Item("SelectAll1")->isEnabled());
  EXPECT_FALSE(f->Item("Copy1")->isEnabled());
  EXPECT_TRUE(f->windowTitle().startsWith(QString::fromStdString(path_) + " - "));
  EXPECT_EQ(f->HeaderSection(1)->text(), "Total: 41");
  EXPECT_EQ(f->HeaderSection(3)->text(), QString("Bytes: %1").arg(QFileInfo(QString::fromStdString(path_)).size()));
}

TEST_F(ViewFormTest, GoToLineClampsAndIgnoresWhatIsNoNumber) {
  TViewForm* f = Make();
  f->Open(path_);
  struct Case {
    std::string answer;
    int64_t line;
  };
  for (const Case& c : {Case{"12", 11}, Case{"abc", 11}, Case{"0", 0}, Case{"-5", 0}, Case{"999", 40}, Case{" 7 ", 6}}) {
    input_.answers.push_back(c.answer);
    f->GotoLine1Click();
    EXPECT_EQ(f->Model().CaretPos().line, c.line) << c.answer;
  }
  EXPECT_EQ(input_.asked.back().prompt, "Enter Line Number (1 to 41)");
  QApplication::processEvents();
  EXPECT_EQ(f->HeaderSection(0)->text(), "7:1 (#108)");
}

// Acts on the find dialog once it runs, then closes it.
void WhenFindShown(std::function<void(THebFindDlg&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dlg = qobject_cast<THebFindDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    act(*dlg);
    dlg->reject();
  });
}

TEST_F(ViewFormTest, FindOffersTheSharedTextWholeAndSelectsTheHebrewWord) {
  TViewForm* f = Make();
  f->Open(path_);
  f->SetEnglishFile(false);
  search_ = kShalom;
  WhenFindShown([](THebFindDlg& d) {
    EXPECT_EQ(d.Mode, 1);
    EXPECT_EQ(d.FindEdit()->Line().Text, kShalom);
    EXPECT_EQ(d.Layer(), TKbdLayer::Hebrew);
    d.FindNxtBtnClick();
  });
  f->Find1Click();
  EXPECT_EQ(search_, kShalom);
  EXPECT_EQ(f->Model().SelStart(), (TViewerPos{24, 8}));
  EXPECT_EQ(f->Model().SelEnd(), (TViewerPos{24, 12}));
  EXPECT_TRUE(f->Item("Copy1")->isEnabled());
  // Upwards from there finds the same word again; downwards nothing more,
  // and the message says so.
  WhenFindShown([](THebFindDlg& d) {
    d.FindNxtBtnClick();
  });
  f->Find1Click();
  ASSERT_EQ(sink_.requests.size(), 1u);
  EXPECT_NE(sink_.requests.back().text.find(kShalom), std::string::npos);
  WhenFindShown([](THebFindDlg& d) {
    d.UpButton()->setChecked(true);
    d.FindNxtBtnClick();
  });
  f->Find1Click();
  EXPECT_EQ(f->Model().SelStart(), (TViewerPos{24, 8}));
  EXPECT_EQ(f->Model().CaretPos(), (TViewerPos{24, 8}));
}

TEST_F(ViewFormTest, TabSizeTakesNumbersOnly) {
  TViewForm* f = Make();
  f->Open(path_);
  for (const char* answer : {"4", "x", "0"}) {
    input_.answers.push_back(std::string(answer));
    f->TabSize1Click();
  }
  EXPECT_EQ(f->Model().TabSize(), 4);
  EXPECT_TRUE(sink_.requests.empty());
}

TEST_F(ViewFormTest, HexModeHebrewSwitchAndEditInTheEditor) {
  TViewForm* f = Make();
  f->Open(path_);
  f->Item("HexMode1")->trigger();
  EXPECT_TRUE(f->Model().InHexMode());
  f->SetEnglishFile(true);
  f->Item("Hebrew")->trigger();
  EXPECT_FALSE(f->Model().EnglishFile);
  EXPECT_TRUE(f->Item("Hebrew")->isChecked());
  f->Edit1Click();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(edited_, path_);
  EXPECT_TRUE(form_.isNull());
  EXPECT_EQ(shownLog_.back(), false);
}

TEST_F(ViewFormTest, AFileThatCannotBeOpenedIsReportedAndTheWindowStays) {
  TFileViewers viewers(host_);
  TViewForm* f = viewers.View(folder_.Path("missing.txt").string());
  ASSERT_EQ(sink_.requests.size(), 1u);
  EXPECT_EQ(sink_.requests[0].text, "Viewer: file not found");
  EXPECT_TRUE(f->isVisible());
  EXPECT_FALSE(f->Model().IsOpen());
  EXPECT_EQ(viewers.Latest(), f);
  EXPECT_EQ(shownLog_, std::vector<bool>{true});
  // A second view: the Window menu follows the newest only.
  TViewForm* g = viewers.View(path_);
  f->close();
  EXPECT_EQ(shownLog_, (std::vector<bool>{true, true}));
  g->close();
  EXPECT_EQ(shownLog_.back(), false);
}

TEST_F(ViewFormTest, KeysGoThroughTheCommandProcessorAndScrollBarsJumpOnRelease) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "row " + std::to_string(i) + "\n";
  folder_.WriteFile("rows.txt", text);
  TViewForm* f = Make();
  f->Open(folder_.Path("rows.txt").string());
  TNvcFileViewerWidget* w = f->Viewer();
  w->setFocus();
  QTest::keyClick(w, Qt::Key_Down);
  QTest::keyClick(w, Qt::Key_Down);
  QTest::keyClick(w, Qt::Key_End);
  EXPECT_EQ(f->Model().CaretPos(), (TViewerPos{2, 5}));
  QTest::keyClick(w, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(f->Model().CaretPos().line, 5000);
  QScrollBar* bar = w->verticalScrollBar();
  EXPECT_EQ(bar->value(), bar->maximum());
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(f->Model().TopLine(), 0);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(f->Model().TopLine(), 1);
  // Dragging the thumb moves nothing until it is let go.
  bar->setSliderDown(true);
  bar->setSliderPosition(2000);
  EXPECT_EQ(f->Model().TopLine(), 1);
  bar->setSliderDown(false);
  EXPECT_EQ(f->Model().TopLine(), 2000);
  // Painting draws from the row plans without error.
  const QImage shot = w->grab().toImage();
  EXPECT_FALSE(shot.isNull());
  EXPECT_TRUE(sink_.requests.empty());
}

}  // namespace
}  // namespace nuvel
