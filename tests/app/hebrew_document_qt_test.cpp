// A new document window switched to Hebrew direction and typed in with the
// nikud keyboard: stored in reading order and shown right-aligned, with the
// points on their letters. Keys that no command takes reach its editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTest>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class HebrewDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    folder_.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    DageshState = false;
  }
  void TearDown() override {
    ProgPath = saved_;
    EngPrompts = true;
  }
  // Starts the program and opens a new document window; its editor has the focus.
  THebTextEditorWidget* NewDocument() {
    if (!program_.Start({"nuvel"}, nullptr)) return nullptr;
    TMainForm& form = *program_.MainForm();
    form.Item("New1")->trigger();
    TMDIChild* child = program_.Documents()->ActiveChild();
    if (child == nullptr) return nullptr;
    auto* editor = dynamic_cast<THebTextEditorWidget*>(child->Editor());
    QApplication::setActiveWindow(&form);
    if (editor != nullptr) editor->setFocus();
    QApplication::processEvents();
    return editor;
  }
  test::TempProgramFolder folder_;
  test::RecordingMessageSink sink_;
  Program program_;
  std::string saved_;
};

// Columns of the row [top, bottom) that differ from the background.
std::pair<int, int> InkSpan(const QImage& image, QRgb back, int top, int bottom, int from, int to) {
  int left = -1;
  int right = -1;
  for (int x = from; x < to; ++x) {
    for (int y = top; y < bottom; ++y) {
      if (image.pixel(x, y) != back) {
        if (left < 0) left = x;
        right = x;
        break;
      }
    }
  }
  return {left, right};
}

TEST_F(HebrewDocument, SwitchedToHebrewAndTypedWithNikudShowsRightAligned) {
  THebTextEditorWidget* editor = NewDocument();
  ASSERT_NE(editor, nullptr);
  TMainForm& form = *program_.MainForm();
  THebTextEditor& ed = editor->HebEditor();
  // The direction item, then the nikud keyboard, as a person picks them.
  if (!ed.Engm()) form.Engm1Click();
  ASSERT_TRUE(ed.Engm());
  EXPECT_TRUE(form.Item("Engm1")->isChecked());
  form.Engm1Click();
  EXPECT_FALSE(ed.Engm());
  EXPECT_EQ(ed.KeyType(), TKeytype::Hebrew);
  form.NikudKeyboard1Click();
  EXPECT_EQ(ed.KeyType(), TKeytype::Nikud);
  EXPECT_TRUE(ed.OV());

  QTest::keyClicks(editor, "dk8o");  // gimel, lamed with qamats, final mem: "galam"
  QTest::keyClick(editor, Qt::Key_Return);
  const auto para = ed.GetPara(1);
  EXPECT_EQ(std::string(para.begin(), para.end()), "\xE2\xEC\xC8\xED");

  QImage image(editor->viewport()->size(), QImage::Format_RGB32);
  editor->viewport()->render(&image);
  const QRgb back = editor->palette().color(QPalette::Base).rgb();
  const THebGeometry g = ed.Geometry();
  const auto [left, right] = InkSpan(image, back, 0, g.LineHeight, g.LeftMargin, g.ClientWidth);
  ASSERT_GE(left, 0) << "the first row shows the text";
  EXPECT_GE(right, g.TextRight() - g.CharWidth) << "the first letter stands at the right edge";
  EXPECT_LE(right, g.TextRight());
  EXPECT_GE(left, g.TextRight() - 3 * g.CharWidth - 2) << "three cells: the point sits on its letter";
  const auto [farLeft, farRight] = InkSpan(image, back, 0, g.LineHeight, g.LeftMargin, g.TextRight() - 4 * g.CharWidth);
  EXPECT_EQ(farLeft, -1) << "nothing at the left side of the row";
  (void)farRight;

  // Back to English: the keyboard follows and nothing is translated.
  form.Engm1Click();
  EXPECT_TRUE(ed.Engm());
  EXPECT_EQ(ed.KeyType(), TKeytype::English);
  QTest::keyClicks(editor, "ab");
  const auto line2 = ed.GetPara(2);
  EXPECT_EQ(std::string(line2.begin(), line2.end()), "ab");
}

TEST_F(HebrewDocument, CtrlKCtrlRWithADocumentOpenIsNotTheOpenCommand) {
  THebTextEditorWidget* editor = NewDocument();
  ASSERT_NE(editor, nullptr);
  TMainForm& form = *program_.MainForm();
  int opened = 0;
  form.OpenCommand = [&] { ++opened; };
  QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(opened, 0) << "a document is open";
  EXPECT_FALSE(CtrlKPending);
}

}  // namespace
}  // namespace nuvel
