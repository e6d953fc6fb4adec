#pragma once
// Options | Restore Factory Settings: after the user agrees and every
// document window agreed to close, the program folder's "INIBakup" copy
// replaces the settings file and the program ends without writing its own
// settings back over it.
namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMainForm;

void AttachRestoreFactorySettings(MainCommands& commands, TMainForm& form, DocumentWindows& docs);

}  // namespace nuvel
