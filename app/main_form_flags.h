#pragma once
// Flags the main window sets from its settings and the file commands, the
// clipboard and the preferences read.
namespace nuvel {

extern bool UnicodeClipboard;  // paste also takes Unicode text from the clipboard
extern bool FullNuvel;         // [GENPREFS] FullNuvel
extern bool NuvelDlg;          // [GENPREFS] NuvelDlg: the program's own file-name prompt

}  // namespace nuvel
