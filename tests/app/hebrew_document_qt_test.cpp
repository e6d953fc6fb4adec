// The program's document switched to Hebrew direction and typed in with the
// nikud keyboard: stored in reading order and shown right-aligned, with the
// points on their letters.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "app/main_form_qt.h"
#include "app/temporary_document_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class HebrewDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    ProgPath = temp_.Folder();
    DageshState = false;
  }
  void TearDown() override { ProgPath = saved_; }
  test::TempProgramFolder temp_;
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
  TMainForm form;
  auto* editor = dynamic_cast<THebTextEditorWidget*>(OpenTemporaryDocument(form));
  ASSERT_NE(editor, nullptr);
  form.show();
  QApplication::setActiveWindow(&form);
  editor->setFocus();
  QApplication::processEvents();
  THebTextEditor& ed = editor->HebEditor();
  EXPECT_TRUE(ed.Engm()) << "a new document starts in English";
  EXPECT_TRUE(form.Item("Engm1")->isChecked());

  // The direction item, then the nikud keyboard, as a person picks them.
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
  // Nothing at the left side of the row.
  const auto [farLeft, farRight] = InkSpan(image, back, 0, g.LineHeight, g.LeftMargin, g.TextRight() - 4 * g.CharWidth);
  EXPECT_EQ(farLeft, -1);
  (void)farRight;

  // Back to English: the keyboard follows and nothing is translated.
  form.Engm1Click();
  EXPECT_TRUE(ed.Engm());
  EXPECT_EQ(ed.KeyType(), TKeytype::English);
  QTest::keyClicks(editor, "ab");
  const auto line2 = ed.GetPara(2);
  EXPECT_EQ(std::string(line2.begin(), line2.end()), "ab");
}

}  // namespace
}  // namespace nuvel
