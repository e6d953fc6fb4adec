// Printing to PDF: the Hebrew text and the page count as pdftotext reads
// them, and the right-aligned lines as a rendered page shows them.
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/main_commands_qt.h"
#include "app/print_command_qt.h"
#include "app/print_pages.h"
#include "core/fixed_font_qt.h"
#include "core/printer_metrics_qt.h"
#include "core/settings.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "tests/support/program_fixture_qt.h"
#include "tests/support/program_fonts_qt.h"

namespace nuvel {
namespace {

bool HavePoppler() { return test::ShellOutput("for c in pdftotext pdftoppm pdfinfo; do command -v $c; done | wc -l") == "3\n"; }

int PageCount(const std::string& pdf) {
  const std::string info = test::ShellOutput("pdfinfo '" + pdf + "'");
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// A Hebrew text with points: "שָלוֹם עוֹלָם".
const std::string kPointedLine = "\xF9\xC8\xEC\xE5\xC9\xED \xF2\xE5\xC9\xEC\xC8\xED";

class Printing : public test::ProgramFixture {
 protected:
  void SetUp() override {
    test::ProgramFixture::SetUp();
    ASSERT_TRUE(test::LoadProgramFonts());
    pdf = dir.filePath("out.pdf").toStdString();
  }
  // Prints the active document to the PDF with the range the test sets.
  bool Print(std::function<void(QPrinter&, bool)> choose = {}) {
    bool offered = false;
    bool asked = false;
    PrintHooks hooks;
    hooks.run = [&](QPrinter& printer, bool selection) {
      asked = true;
      offered = selection;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      if (choose) choose(printer, selection);
      return true;
    };
    AttachPrinting(*form->Commands, *docs, hooks);
    form->Commands->Run("Print1");
    selectionOffered = offered;
    return asked;
  }
  std::string pdf;
  bool selectionOffered = false;
};

TEST_F(Printing, PrintItemsAreEnabledWithText) {
  EXPECT_FALSE(form->Item("Print1")->isEnabled());
  TMDIChild* c = Open(WriteFile("a.txt", "abc\r\n"));
  ASSERT_NE(c, nullptr);
  form->Commands->Refresh();
  EXPECT_TRUE(form->Item("Print1")->isEnabled());
  EXPECT_TRUE(form->Button("PrintBtn1")->isEnabled());
  EXPECT_TRUE(form->Item("PrintSetup1")->isEnabled());
}

TEST_F(Printing, HebrewWithPointsPrintsRightAlignedOnTheRightNumberOfPages) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
  // A Hebrew document of 130 lines: how many pages depends on the page's lines.
  std::string text;
  for (int i = 0; i < 130; ++i) text += kPointedLine + "\r\n";
  form->Keyboard().EnglishFile = false;  // a Hebrew document from the start
  TMDIChild* c = Open(WriteFile("heb.txt", text));
  ASSERT_NE(c, nullptr);
  ASSERT_TRUE(Print());
  EXPECT_FALSE(selectionOffered);
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);

  // The lines per page as the printer measured them.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("probe.pdf"));
  QPainter painter(&printer);
  const int perPage = LinesPerPage(GetPrinterMetrics(painter, painter.viewport().height()).LineCount);
  painter.end();
  const int expectedPages = (130 + perPage - 1) / perPage;
  EXPECT_EQ(PageCount(pdf), expectedPages);

  const std::string words = test::ShellOutput("pdftotext -f 1 -l 1 '" + pdf + "' - | tr -d '\\f'");
  // The letters of both words come out, whatever the points do to the order.
  for (const char* letter : {"ש", "ל", "ם", "ע"}) EXPECT_NE(words.find(letter), std::string::npos) << letter;
  EXPECT_NE(words.find("1"), std::string::npos);  // the page number under a full page

  // Page 1 rendered: every text row's ink ends near the right edge and
  // starts right of the middle.
  const std::string png = dir.filePath("page").toStdString();
  test::ShellOutput("pdftoppm -r 60 -f 1 -l 1 -png '" + pdf + "' '" + png + "'");
  QImage image(QString::fromStdString(png + "-1.png"));
  if (image.isNull()) image.load(QString::fromStdString(png + "-01.png"));
  ASSERT_FALSE(image.isNull());
  int left = image.width(), right = 0;
  for (int y = image.height() / 10; y < image.height() / 2; ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 200) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_GT(left, image.width() / 2);
  EXPECT_GT(right, image.width() * 3 / 4);
}

TEST_F(Printing, AnExactMultipleLeavesNoEmptySheetAndTheSelectionKeepsItsFirstCharacter) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
  QPrinter probe(QPrinter::HighResolution);
  probe.setOutputFormat(QPrinter::PdfFormat);
  probe.setOutputFileName(dir.filePath("probe.pdf"));
  QPainter painter(&probe);
  const int perPage = LinesPerPage(GetPrinterMetrics(painter, painter.viewport().height()).LineCount);
  painter.end();

  std::string text;
  for (int i = 1; i <= perPage * 2; ++i) text += "line" + std::to_string(i) + "\r\n";
  form->Keyboard().EnglishFile = true;  // an English document from the start
  TMDIChild* c = Open(WriteFile("eng.txt", text));
  ASSERT_NE(c, nullptr);
  ASSERT_TRUE(Print());
  EXPECT_EQ(PageCount(pdf), 2);

  // "line1" from its "i": the first selected character prints.
  c->Doc().SetSelection(1, 2, 2, 6, true);
  ASSERT_TRUE(Print([](QPrinter& p, bool) { p.setPrintRange(QPrinter::Selection); }));
  EXPECT_TRUE(selectionOffered);
  EXPECT_EQ(PageCount(pdf), 1);
  const std::string printed = test::ShellOutput("pdftotext -layout '" + pdf + "' -");
  EXPECT_NE(printed.find("ine1"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("line1"), std::string::npos) << printed;
  EXPECT_NE(printed.find("line2"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("line3"), std::string::npos) << printed;

  // Pages 2 to 2 only.
  c->Doc().SetSelection(1, 1, 1, 1, true);
  ASSERT_TRUE(Print([](QPrinter& p, bool) {
    p.setPrintRange(QPrinter::PageRange);
    p.setFromTo(2, 2);
  }));
  EXPECT_EQ(PageCount(pdf), 1);
  const std::string second = test::ShellOutput("pdftotext '" + pdf + "' -");
  EXPECT_NE(second.find("line" + std::to_string(perPage + 1)), std::string::npos);
  EXPECT_EQ(second.find("line1\n"), std::string::npos);
}

TEST_F(Printing, AHebrewFontThatIsNoScreenFontPrintsInTheFirstScreenFont) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
  TMDIChild* c = Open(WriteFile("heb.txt", kPointedLine + "\r\n"));
  ASSERT_NE(c, nullptr);
  auto* w = static_cast<THebTextEditorWidget*>(c->Editor());
  w->SecondFont().SetName("DejaVu Sans");
  ASSERT_TRUE(Print());
  const std::string fonts = test::ShellOutput("pdffonts '" + pdf + "'");
  EXPECT_NE(fonts.find("VoraziRARO"), std::string::npos) << fonts;
  EXPECT_EQ(fonts.find("DejaVuSans "), std::string::npos) << fonts;
  // The screen keeps the document's own font.
  EXPECT_EQ(w->SecondFont().Name(), "DejaVu Sans");
}

TEST_F(Printing, AFailedPrinterIsReportedAndTheCursorAndFontsComeBack) {
  TMDIChild* c = Open(WriteFile("x.txt", "abc\r\n"));
  ASSERT_NE(c, nullptr);
  const std::string hebrewBefore = FixedFonts(2).Name();
  const size_t messages = sink.requests.size();
  ASSERT_TRUE(Print([this](QPrinter& p, bool) {
    p.setOutputFileName(dir.filePath("no/such/folder/out.pdf"));
  }));
  EXPECT_EQ(sink.requests.size(), messages + 1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(FixedFonts(2).Name(), hebrewBefore);
}

}  // namespace
}  // namespace nuvel
