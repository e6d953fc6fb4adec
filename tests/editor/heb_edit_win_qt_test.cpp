#include "editor/heb_edit_win_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/support/program_fonts_qt.h"

namespace nuvel {
namespace {

TEST(HebEditWin, TypesHebrewThroughTheLayersAndPaintsRightAligned) {
  test::LoadProgramFonts();
  QWidget host;
  host.resize(300, 60);
  auto* edit = new THebEditWin(&host);
  edit->setGeometry(0, 0, 300, edit->LineHeight() + 2);
  host.show();
  QApplication::setActiveWindow(&host);
  edit->Line().HebrewKeys = true;
  edit->RefreshText();
  QApplication::processEvents();
  ASSERT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->Line().DisplayWidth, 300 / edit->CharWidth() - 2);
  QTest::keyClicks(edit, "abc");
  EXPECT_EQ(edit->Line().Text, "\xF9\xF0\xE1");
  // The caret stands right of the fourth cell from the right edge.
  const int w = edit->Caret().CellWidth();
  EXPECT_EQ(edit->Caret().PositionX(), 300 - 3 * w - w / 3);

  // Only the right end of the line carries ink.
  QImage shot = edit->grab().toImage();
  const QRgb back = shot.pixel(2, shot.height() / 2);
  auto inkIn = [&](int from, int to) {
    for (int x = from; x < to; ++x)
      for (int y = 0; y < shot.height(); ++y)
        if (shot.pixel(x, y) != back) return true;
    return false;
  };
  EXPECT_FALSE(inkIn(0, 300 - 4 * w));
  EXPECT_TRUE(inkIn(300 - 3 * w, 300 - w / 3 - 2));

  // A click in the second cell from the right puts the caret after it.
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(300 - 2 * w + 1, 3));
  EXPECT_EQ(edit->Line().CaretCol, 2);
}

TEST(HebEditWin, DoubleClickSelectsAllForCopyAndPasteReplacesTheText) {
  QWidget host;
  host.resize(300, 60);
  auto* edit = new THebEditWin(&host);
  edit->setGeometry(0, 0, 300, edit->LineHeight() + 2);
  host.show();
  QApplication::setActiveWindow(&host);
  edit->Line().EnglishMode = true;
  edit->Line().Text = "report.txt";
  edit->RefreshText();
  QApplication::clipboard()->setText(QStringLiteral("before"));
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(5, 3));
  ASSERT_TRUE(edit->Line().AllSelected);
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("report.txt"));
  QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(edit->Line().Text, "");
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Line().Text, "report.txt");
}

}  // namespace
}  // namespace nuvel
