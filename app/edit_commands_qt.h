#pragma once
// The Edit menu's commands on the active document's current editor: undo,
// redo, the clipboard (with Collect All's copy into the collecting window),
// delete, select all, read-only, and the WordStar command menu's editing
// commands, bookmarks and block commands.
namespace nuvel {

class DocumentWindows;
class MainCommands;

void AttachEditCommands(MainCommands& commands, DocumentWindows& docs);

}  // namespace nuvel
