#pragma once
// Joins the document windows and their file commands to the main window:
// the menu items and buttons they serve, the main window's hooks for the
// active document, its options, and the close queries that run before the
// main window closes.
namespace nuvel {

class DocumentWindows;
class TMainForm;

// The document windows of `form`, owned by it.
DocumentWindows* AttachDocumentWindows(TMainForm& form);

}  // namespace nuvel
