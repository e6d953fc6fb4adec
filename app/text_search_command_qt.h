#pragma once
// Tools | Search Texts: opens the text-collection search window (made
// once, kept while it lives), seeds its search text from the block or the
// word at the caret of the active document, and lists it in the Window menu.
namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMainForm;
class TTextSearch;

void AttachTextSearch(MainCommands& commands, TMainForm& form, DocumentWindows& docs);
// The search window while it exists; null otherwise.
TTextSearch* TextSearchWindow();

}  // namespace nuvel
