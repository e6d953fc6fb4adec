#pragma once
// File | Print and the toolbar's Print button: prints the active document, or
// its selection, line by line on the cell grid in the document's two fonts,
// Hebrew lines right-aligned, with the page number under every full page.
// File | Print Setup sets up the page for later printouts.
#include <QPrinter>
#include <functional>
#include <memory>

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMDIChild;

struct PrintHooks {
  // The print dialog: sets up `printer` (range, pages, output) and says
  // whether to print. `selectionOffered` is true when the document has a
  // selection. Unset: Qt's print dialog. Tests answer it.
  std::function<bool(QPrinter& printer, bool selectionOffered)> run;
  // Qt's page setup dialog; unset: shown.
  std::function<void(QPrinter& printer)> setup;
};

void AttachPrinting(MainCommands& commands, DocumentWindows& docs, PrintHooks hooks = {});

// Prints the document of `child` as the printer's range says (all, the
// selection, or pages from..to). Throws std::runtime_error when the printer
// cannot start; the busy cursor and the fonts are put back on every path.
void PrintDocument(QPrinter& printer, TMDIChild& child);

}  // namespace nuvel
