#pragma once
// The main window's search commands on the active document: Find, Replace,
// Find Next, Find Highlighted, Go to Line, Go to Character and Enter by
// ASCII, with the find and replace dialogs and the character-entry dialog.
namespace nuvel {

class DocumentWindows;
class MainCommands;

void AttachSearchCommands(MainCommands& commands, DocumentWindows& docs);

}  // namespace nuvel
