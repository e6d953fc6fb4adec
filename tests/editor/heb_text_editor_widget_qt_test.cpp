#include "editor/heb_text_editor_widget_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QVBoxLayout>
#include <QTest>

#include "core/controller_qt.h"
#include "core/shared_state.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

constexpr uint8_t kAlef = 0xE0, kBet = 0xE1, kGimel = 0xE2, kSheva = 0xC0, kQamats = 0xC8;

class HebEditorWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    ProgPath = temp_.Folder();
    DageshState = false;
    form_ = std::make_unique<QWidget>();
    new TNvcController(form_.get());
    auto* layout = new QVBoxLayout(form_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    widget_ = new THebTextEditorWidget(form_.get());
    layout->addWidget(widget_);
    form_->resize(400, 200);
    form_->show();
    QApplication::setActiveWindow(form_.get());
    widget_->setFocus();
    QApplication::processEvents();
  }
  void TearDown() override {
    form_.reset();
    ProgPath = saved_;
  }

  std::string Para(int32_t n) {
    const auto bytes = widget_->HebEditor().GetPara(n);
    return std::string(bytes.begin(), bytes.end());
  }

  // The leftmost and rightmost columns of the first text row that differ
  // from the background; -1 when the row is blank.
  std::pair<int, int> InkSpan(const QImage& image, int top, int bottom, int from, int to) {
    const QRgb back = widget_->palette().color(QPalette::Base).rgb();
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

  QImage Render() {
    widget_->HebEditor().SetCaretPosition(2, 1);  // keep the caret off the measured row
    QImage image(widget_->viewport()->size(), QImage::Format_RGB32);
    widget_->viewport()->render(&image);
    return image;
  }

  test::TempProgramFolder temp_;
  std::string saved_;
  std::unique_ptr<QWidget> form_;
  THebTextEditorWidget* widget_ = nullptr;
};

TEST_F(HebEditorWidgetTest, TypesHebrewWithPointsRightAligned) {
  THebTextEditor& ed = widget_->HebEditor();
  ed.SetEngm(false);
  ed.SetKeyType(TKeytype::Nikud);
  ed.SetOV(true);
  QTest::keyClicks(widget_, "t7c8d");
  EXPECT_EQ(Para(1), std::string({char(kAlef), char(kSheva), char(kBet), char(kQamats), char(kGimel)}));
  QTest::keyClick(widget_, Qt::Key_Return);
  ASSERT_EQ(ed.ParaCount(), 2);

  const QImage image = Render();
  const THebGeometry g = ed.Geometry();
  // Three letters with their points take three cells at the right end.
  const auto [left, right] = InkSpan(image, 0, g.LineHeight, g.LeftMargin, g.ClientWidth);
  ASSERT_GE(left, 0) << "the row shows text";
  EXPECT_LE(right, g.TextRight());
  EXPECT_GE(right, g.TextRight() - g.CharWidth) << "the first letter ends at the right edge";
  EXPECT_GE(left, g.TextRight() - 3 * g.CharWidth - 2) << "points take no cells of their own";

  // The same text in an English document starts at the left margin.
  ed.SetEngm(true);
  const QImage english = Render();
  const auto [eLeft, eRight] = InkSpan(english, 0, g.LineHeight, g.LeftMargin, g.ClientWidth);
  ASSERT_GE(eLeft, 0);
  EXPECT_LE(eLeft, g.LeftMargin + g.CharWidth);
  EXPECT_LE(eRight, g.LeftMargin + 3 * g.CharWidth + 2);
}

TEST_F(HebEditorWidgetTest, SelectionIsHighlightedFromTheRight) {
  THebTextEditor& ed = widget_->HebEditor();
  ed.SetEngm(false);
  ed.LoadString("\xE0\xE1\xE2\xE3\r\n");
  ed.SetHideSelection(false);
  ed.SetSelection(1, 2, 1, 4, false);  // the second and third cells from the right
  QImage selected(widget_->viewport()->size(), QImage::Format_RGB32);
  widget_->viewport()->render(&selected);
  const THebGeometry g = ed.Geometry();
  const QRgb highlight = widget_->palette().color(QPalette::Highlight).rgb();
  auto highlighted = [&](int cellFromRight) {
    const int x = g.TextRight() - cellFromRight * g.CharWidth + g.CharWidth / 2;
    int count = 0;
    for (int y = 0; y < g.LineHeight; ++y) count += selected.pixel(x, y) == highlight ? 1 : 0;
    return count > g.LineHeight / 3;
  };
  EXPECT_FALSE(highlighted(1));
  EXPECT_TRUE(highlighted(2));
  EXPECT_TRUE(highlighted(3));
  EXPECT_FALSE(highlighted(4));
}

TEST_F(HebEditorWidgetTest, GridCellComesFromBothFonts) {
  THebTextEditor& ed = widget_->HebEditor();
  const auto cells = ed.MeasureFonts();
  const TFontCell chosen = ChooseGridCell(cells[0], cells[1]);
  EXPECT_EQ(ed.CharWidth(), chosen.CharWidth);
  EXPECT_EQ(ed.LineHeight(), chosen.LineHeight);
  EXPECT_EQ(ed.FirstFontWidth(), cells[0].CharWidth);
  EXPECT_EQ(ed.SecondFontWidth(), cells[1].CharWidth);
  // A larger second font widens the grid.
  widget_->SecondFont().SetSize(widget_->SecondFont().Size() * 2);
  EXPECT_GT(ed.LineHeight(), chosen.LineHeight);
}

TEST_F(HebEditorWidgetTest, BookmarkGlyphInTheMargin) {
  THebTextEditor& ed = widget_->HebEditor();
  ed.LoadString("one\r\ntwo\r\nthree");
  auto marginInk = [&] {
    QImage image(widget_->viewport()->size(), QImage::Format_RGB32);
    widget_->viewport()->render(&image);
    const QRgb back = widget_->palette().color(QPalette::Base).rgb();
    const int h = ed.LineHeight();
    int ink = 0;
    for (int x = 0; x < ed.LeftMargin(); ++x)
      for (int y = h; y < 2 * h; ++y) ink += image.pixel(x, y) != back ? 1 : 0;
    return ink;
  };
  EXPECT_EQ(marginInk(), 0);
  ed.SetCaretPosition(2, 2);
  ed.SetMarker(3);
  EXPECT_GT(marginInk(), 0);
  ed.SetShowBookmarks(false);
  EXPECT_EQ(marginInk(), 0);
}

}  // namespace
}  // namespace nuvel
