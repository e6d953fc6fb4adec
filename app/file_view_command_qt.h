#pragma once
// The file view windows as the main window knows them: the program's set
// of viewers, handed the main window's controller, its shared search text
// and its editor, and the Window menu's "FileViewer" entry, shown while the
// latest view is open and showing it when chosen.
namespace nuvel {

class DocumentWindows;
class TFileViewers;
class TMainForm;

TFileViewers* AttachFileViewers(TMainForm& form, DocumentWindows& docs);

}  // namespace nuvel
