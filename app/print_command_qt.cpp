#include "app/print_command_qt.h"

#include <memory>

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPageSetupDialog>
#include <stdexcept>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "app/print_pages.h"
#include "core/fixed_font_names.h"
#include "core/fixed_font_qt.h"
#include "core/font_index.h"
#include "core/message_texts.h"
#include "core/printer_metrics_qt.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

// The hourglass while printing, taken away on every path.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// The two global text fonts as the document has them for the printout; a
// Hebrew font that is not one of the screen fonts prints in the first of
// them. Both are put back afterwards.
class PrintFonts {
 public:
  PrintFonts(TNvcEditorWidget& editor) {
    saved_[0].Assign(FixedFonts(1));
    saved_[1].Assign(FixedFonts(2));
    FixedFonts(1).Assign(editor.FixedFont());
    if (auto* heb = dynamic_cast<THebTextEditorWidget*>(&editor)) FixedFonts(2).Assign(heb->SecondFont());
    if (!IsHebScreenFont(FixedFonts(2).Name())) FixedFonts(2).SetName(kHebrewScreenFont1);
  }
  ~PrintFonts() {
    FixedFonts(1).Assign(saved_[0]);
    FixedFonts(2).Assign(saved_[1]);
  }
  PrintFonts(const PrintFonts&) = delete;
  PrintFonts& operator=(const PrintFonts&) = delete;

 private:
  TNvcFixedFont saved_[2];
};

PrintLineSource LinesOf(const TNvcCustomEditor& editor) {
  return [&editor](int32_t n) { return editor.LineBytes(n); };
}

}  // namespace

void PrintDocument(QPrinter& printer, TMDIChild& child) {
  BusyCursor busy;
  TNvcEditorWidget& mainWidget = *child.Editor();
  TNvcEditorWidget& currentWidget = *child.CurrentEditor();
  const TNvcCustomEditor& main = mainWidget.Editor();
  TNvcCustomEditor& current = currentWidget.Editor();
  auto* heb = dynamic_cast<THebTextEditor*>(&current);
  const bool leftToRight = heb ? heb->Engm() : true;
  const bool ctrlNums = heb ? heb->CtrlNums() : false;
  const int tabSize = main.TabSize();

  PrintFonts fonts(mainWidget);
  std::vector<PrintPage> pages;
  QPainter painter;
  if (!painter.begin(&printer)) throw std::runtime_error("the printer could not be started");
  // From here the painter ends on every path.
  struct Ender {
    QPainter& p;
    ~Ender() {
      if (p.isActive()) p.end();
    }
  } ender{painter};
  painter.setFont(FixedFonts(1).Font());
  painter.setPen(Qt::black);

  const QRect page = painter.viewport();
  const PrinterMetrics m = GetPrinterMetrics(painter, page.height());
  const int perPage = LinesPerPage(m.LineCount);
  // The editor's margins are screen pixels; on paper they keep their size.
  const double scale = printer.logicalDpiX() / 96.0;
  const int leftMargin = static_cast<int>(main.LeftMargin() * scale);
  const int rightMargin = static_cast<int>(main.RightMargin() * scale);

  int32_t line1 = 0, col1 = 0, line2 = 0, col2 = 0;
  if (printer.printRange() == QPrinter::Selection && current.GetSelection(line1, col1, line2, col2)) {
    pages = PaginateSelection(LinesOf(current), line1, col1, line2, col2, perPage, tabSize);
  } else {
    pages = PaginateDocument(LinesOf(main), main.LineCount(), perPage, tabSize);
    if (printer.printRange() == QPrinter::PageRange) pages = PageRange(std::move(pages), printer.fromPage(), printer.toPage());
  }

  FontIndex index = AllocFontIndex();
  bool first = true;
  for (const PrintPage& sheet : pages) {
    if (!first && !printer.newPage()) throw std::runtime_error("the printer could not start a new page");
    first = false;
    int y = page.top();
    CellRect rect;
    for (const std::vector<uint8_t>& text : sheet.Lines) {
      y += m.LineHeight;
      rect = {page.left(), y, page.right() + 1, y + m.LineHeight};
      PrintTextLine(text, painter, rightMargin, leftMargin, m.HebWidth, m.EngWidth, m.CellWidth, ctrlNums,
                    leftToRight, index, rect);
    }
    if (sheet.Number) {
      rect = {page.left(), y, page.right() + 1, y + m.LineHeight};
      PrintPageNumber(painter, *sheet.Number, 2, rightMargin, leftMargin, m.HebWidth, m.EngWidth, m.CellWidth,
                      ctrlNums, leftToRight, rect, m.LineHeight);
    }
  }
  FreeFontIndex(index);
  painter.end();
  currentWidget.viewport()->update();
}

void AttachPrinting(MainCommands& commands, DocumentWindows& docs, PrintHooks hooks) {
  auto shared = std::make_shared<PrintHooks>(std::move(hooks));
  // One printer for the run, so that Print Setup's choices hold for later
  // printouts. It is made on first use: making one asks the print system
  // for its printers, which the program's start need not wait for.
  auto made = std::make_shared<std::unique_ptr<QPrinter>>();
  auto printerOf = [made]() -> QPrinter* {
    if (!*made) *made = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return made->get();
  };
  commands.On("Print1", [&docs, shared, printerOf] {
    TMDIChild* child = docs.ActiveChild();
    if (!child) return;
    QPrinter* printer = printerOf();
    const bool selection = child->CurrentEditor()->Editor().HasSelection();
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFromTo(0, 0);
    bool ok = false;
    if (shared->run) {
      ok = shared->run(*printer, selection);
    } else {
      QPrintDialog dialog(printer, docs.Area()->window());
      dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
      dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
      dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
      ok = dialog.exec() == QDialog::Accepted;
    }
    if (!ok) return;
    try {
      PrintDocument(*printer, *child);
    } catch (const std::exception& e) {
      MessageDlg(FormatMessage(GetMessageText(43610, 43611), {std::string(e.what())}), MsgDlgType::Error,
                 platform::mbOK);
    }
  });
  commands.On("PrintSetup1", [&docs, shared, printerOf] {
    QPrinter* printer = printerOf();
    if (shared->setup) {
      shared->setup(*printer);
      return;
    }
    QPageSetupDialog dialog(printer, docs.Area()->window());
    dialog.exec();
  });
}

}  // namespace nuvel
