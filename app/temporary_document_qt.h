#pragma once
// One untitled document in the main window, so that the program can be typed
// in until document windows with their file commands take its place.
namespace nuvel {

class TMainForm;
class TNvcEditorWidget;

// Opens the document, maximized, with an editor on the window's controller.
TNvcEditorWidget* OpenTemporaryDocument(TMainForm& form);

// The editor of that document, or null.
TNvcEditorWidget* TemporaryDocumentEditor(TMainForm& form);

}  // namespace nuvel
