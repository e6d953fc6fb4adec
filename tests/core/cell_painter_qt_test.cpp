#include "core/cell_painter_qt.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "core/cell_plan.h"
#include "core/charset.h"
#include "core/fixed_font_qt.h"
#include "core/nikud.h"
#include "core/print_line.h"
#include "core/printer_metrics_qt.h"
#include "tests/support/program_fonts_qt.h"

namespace nuvel {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

constexpr int kCell = 14;
constexpr int kRowHeight = 30;

class CellPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadProgramFonts());
    InitFixedFonts(std::nullopt, std::nullopt);
  }

  // Draws one row into a white image with black text.
  QImage DrawRow(std::string_view text, bool leftToRight, int width = 400,
                 Qt::LayoutDirection painterDirection = Qt::LeftToRight) {
    QImage image(width, kRowHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setLayoutDirection(painterDirection);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    FontIndex index = AllocFontIndex();
    std::vector<uint8_t> line = Bytes(text);
    const bool overstrike = NikudOverstrikeFor(line);
    if (!leftToRight) std::reverse(line.begin(), line.end());
    BuildFontIndex(line, index, leftToRight, false);
    CellRect rect{0, 4, width, kRowHeight};
    DrawMultiFontLine(line, painter, index, false, true, leftToRight, kCell, kCell, kCell, rect,
                      overstrike);
    painter.end();
    rows.push_back(rect);
    return image;
  }

  // Whether any pixel in columns [x0, x1) is dark.
  static bool Inked(const QImage& image, int x0, int x1) {
    for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x) {
      for (int y = 0; y < image.height(); ++y) {
        if (qGray(image.pixel(x, y)) < 128) return true;
      }
    }
    return false;
  }

  std::vector<CellRect> rows;
};

// Each character sits in its own cell: ink in the cells that hold one,
// none in the blank cells between them, none outside the line.
TEST_F(CellPainterTest, EnglishLineInkStaysInItsCells) {
  const QImage image = DrawRow("a b \x14 W", true);
  EXPECT_EQ(rows.back(), (CellRect{0, 4, 7 * kCell, kRowHeight}));
  const bool inked[] = {true, false, true, false, true, false, true};
  for (int cell = 0; cell < 7; ++cell) {
    SCOPED_TRACE(cell);
    // The middle of each cell: glyphs may touch their neighbours' edges.
    EXPECT_EQ(Inked(image, cell * kCell + 3, cell * kCell + kCell - 3), inked[cell]);
  }
  EXPECT_FALSE(Inked(image, 7 * kCell + 2, image.width()));
}

TEST_F(CellPainterTest, HebrewLineWithPointsIsRightAlignedAndPointsTakeNoCell) {
  // Stored order: bet qamats, blank, shin patah, blank, final kaf + sheva
  // (0x87, drawn from its letter and point). Three letters and two blanks.
  const QImage image = DrawRow("\xE1\xC8 \xF9\xC7 \x87", false);
  const int right = 400;
  EXPECT_EQ(rows.back(), (CellRect{right - 5 * kCell, 4, right, kRowHeight}));
  // Display order left to right: kaf, blank, shin, blank, bet.
  const bool inked[] = {true, false, true, false, true};
  for (int cell = 0; cell < 5; ++cell) {
    SCOPED_TRACE(cell);
    const int x = right - 5 * kCell + cell * kCell;
    EXPECT_EQ(Inked(image, x + 3, x + kCell - 3), inked[cell]);
  }
  EXPECT_FALSE(Inked(image, 0, right - 5 * kCell - 2));
}

// Both rows on one image, as a window shows them: every cell's ink stays in
// its own row band and its own cell.
TEST_F(CellPainterTest, HebrewAndEnglishRowsOnOneImage) {
  QImage image(300, 2 * kRowHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  FontIndex index = AllocFontIndex();
  // English row, left-aligned: "x y".
  std::vector<uint8_t> english = Bytes("x y");
  BuildFontIndex(english, index, true, false);
  CellRect top{0, 0, 300, kRowHeight};
  DrawMultiFontLine(english, painter, index, false, true, true, kCell, kCell, kCell, top,
                    NikudOverstrikeFor(english));
  // Hebrew row, stored "bet qamats, blank, lamed holam-dagesh (0x93)", drawn
  // reversed and right-aligned.
  std::vector<uint8_t> hebrew = Bytes("\xE1\xC8 \x93");
  const bool overstrike = NikudOverstrikeFor(hebrew);
  std::reverse(hebrew.begin(), hebrew.end());
  BuildFontIndex(hebrew, index, false, false);
  CellRect bottom{0, kRowHeight, 300, 2 * kRowHeight};
  DrawMultiFontLine(hebrew, painter, index, false, true, false, kCell, kCell, kCell, bottom,
                    overstrike);
  painter.end();

  EXPECT_EQ(top, (CellRect{0, 0, 3 * kCell, kRowHeight}));
  EXPECT_EQ(bottom, (CellRect{300 - 3 * kCell, kRowHeight, 300, 2 * kRowHeight}));
  const QImage upper = image.copy(0, 0, 300, kRowHeight);
  const QImage lower = image.copy(0, kRowHeight, 300, kRowHeight);
  const bool englishInk[] = {true, false, true};
  const bool hebrewInk[] = {true, false, true};
  for (int cell = 0; cell < 3; ++cell) {
    SCOPED_TRACE(cell);
    EXPECT_EQ(Inked(upper, cell * kCell + 3, cell * kCell + kCell - 3), englishInk[cell]);
    const int x = 300 - 3 * kCell + cell * kCell;
    EXPECT_EQ(Inked(lower, x + 3, x + kCell - 3), hebrewInk[cell]);
  }
  EXPECT_FALSE(Inked(upper, 3 * kCell + 2, 300));
  EXPECT_FALSE(Inked(lower, 0, 300 - 3 * kCell - 2));
}

// A painter of a right-to-left widget (the Hebrew interface) puts every
// cell at the same place.
TEST_F(CellPainterTest, PainterDirectionDoesNotMoveCells) {
  for (bool ltr : {true, false}) {
    SCOPED_TRACE(ltr);
    const std::string text = "a\xE1\xC8 \xF9" "1";
    EXPECT_EQ(DrawRow(text, ltr, 200, Qt::LeftToRight), DrawRow(text, ltr, 200, Qt::RightToLeft));
  }
}

TEST_F(CellPainterTest, PointsDrawInkBelowTheLetter) {
  // The same letter with and without its point: the point adds ink.
  const QImage bare = DrawRow("\xE1", false, 100);
  const QImage pointed = DrawRow("\xE1\xC8", false, 100);
  EXPECT_EQ(rows[0], rows[1]);
  EXPECT_NE(bare, pointed);
}

TEST_F(CellPainterTest, APointRunSharesItsLettersCell) {
  // Bet, qamats, dagesh, then gimel: two cells, nothing in a third.
  const QImage image = DrawRow("\xE1\xC8\xCC\xE2", false, 100);
  EXPECT_EQ(rows.back().Width(), 2 * kCell);
  EXPECT_FALSE(Inked(image, 0, 100 - 2 * kCell - 1));
  // An English line keeps the points before their letter.
  DrawRow("\xCC\xC8\xE1\xE2", true, 100);
  EXPECT_EQ(rows.back().Width(), 2 * kCell);
}

// The horizontal middle of the ink in columns [x0, x1), in pixels.
double InkMiddle(const QImage& image, int x0, int x1) {
  int left = -1;
  int right = -1;
  for (int x = x0; x < x1; ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) >= 128) continue;
      if (left < 0) left = x;
      right = x;
      break;
    }
  }
  return left < 0 ? -1 : (left + right + 1) / 2.0;
}

TEST_F(CellPainterTest, NarrowLettersStandInTheMiddleOfTheirCells) {
  const QFont& font = FixedFonts(2).Font();
  const QFontMetrics metrics(font);
  // Vav, yod, zayin, nun, final nun, alone and with their points.
  for (const char* text : {"\xE5", "\xE9", "\xE6", "\xF0", "\xEF", "\xC9\xE5", "\xC4\xCC\xE9"}) {
    const std::string_view display(text);
    const uint8_t letter = static_cast<uint8_t>(display.back());
    SCOPED_TRACE(static_cast<int>(letter));
    const int advance = metrics.horizontalAdvance(QChar(HebUnicodeTable[letter]));
    ASSERT_LT(advance, kCell - 1) << "the test font leaves nothing to centre";
    std::string stored(display.rbegin(), display.rend());
    const QImage row = DrawRow(stored, false, 100);
    // The same cluster drawn by itself from the cell's left edge.
    QImage alone(100, kRowHeight, QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
      QPainter painter(&alone);
      painter.setPen(Qt::black);
      painter.setFont(font);
      std::vector<uint8_t> points(display.begin(), display.end() - 1);
      std::reverse(points.begin(), points.end());
      const std::u16string cluster = CellCluster(letter, points);
      painter.drawText(QPointF(100 - kCell, 4 + QFontMetrics(font, &alone).ascent()),
                       QString::fromStdU16String(cluster));
    }
    const double fromEdge = InkMiddle(alone, 0, 100);
    ASSERT_GT(fromEdge, 0);
    EXPECT_NEAR(InkMiddle(row, 0, 100), fromEdge + (kCell - advance) / 2, 0.5);
  }
}

TEST_F(CellPainterTest, PrinterMetricsFollowTheDevice) {
  QImage image(600, 800, QImage::Format_RGB32);
  QPainter painter(&image);
  const PrinterMetrics m = GetPrinterMetrics(painter, 800);
  EXPECT_GT(m.EngWidth, 0);
  EXPECT_GT(m.HebWidth, 0);
  EXPECT_EQ(m.CellWidth, std::max(m.EngWidth, m.HebWidth));
  EXPECT_EQ(m.LineCount, 800 / m.LineHeight - 1);
}

TEST_F(CellPainterTest, DosFontCellIsTenPixelsAtEighteenPoints) {
  QImage image(10, 10, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi
  image.setDotsPerMeterY(3780);
  for (int slot : {3, 4}) {
    SCOPED_TRACE(slot);
    const QFontMetrics metrics(FixedFonts(slot).Font(), &image);
    EXPECT_EQ(metrics.horizontalAdvance(QChar(0x00B6)), 10);
  }
}

TEST_F(CellPainterTest, PrintsTwoLinesToPdf) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath("out.pdf");
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    QPainter painter;
    ASSERT_TRUE(painter.begin(&printer));
    painter.setPen(Qt::black);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const PrinterMetrics m = GetPrinterMetrics(painter, page.height());
    ASSERT_GT(m.LineCount, 2);
    FontIndex index = AllocFontIndex();
    CellRect rect{0, 0, page.width(), m.LineHeight};
    PrintTextLine(Bytes(" Hello, world"), painter, 0, 0, m.HebWidth, m.EngWidth, m.CellWidth,
                  false, true, index, rect);
    EXPECT_EQ(rect.Width(), 13 * m.CellWidth);
    rect = {0, m.LineHeight, page.width(), 2 * m.LineHeight};
    PrintTextLine(Bytes(" \xF9\xC8\xEC\xE5\xED"), painter, 0, 0, m.HebWidth, m.EngWidth,
                  m.CellWidth, false, false, index, rect);
    EXPECT_EQ(rect, (CellRect{page.width() - 5 * m.CellWidth, m.LineHeight, page.width(),
                              2 * m.LineHeight}));
    PrintPageNumber(painter, 1, 2, 0, 0, m.HebWidth, m.EngWidth, m.CellWidth, false, true, rect,
                    m.LineHeight);
    EXPECT_EQ(rect.Top, 3 * m.LineHeight);
    PrintLineHook();
    painter.end();
  }
  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray data = pdf.readAll();
  EXPECT_TRUE(data.startsWith("%PDF"));
  // Both text fonts were embedded: the English stand-in and the Hebrew face.
  EXPECT_TRUE(data.contains("LiberationMono")) << "English font not embedded";
  EXPECT_TRUE(data.contains("VoraziRAROVor")) << "Hebrew font not embedded";
}

}  // namespace
}  // namespace nuvel
