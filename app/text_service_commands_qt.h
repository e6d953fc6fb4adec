#pragma once
// The main window's commands on the active document's text that the
// bilingual editor's text services carry out: case flip of a character,
// Cut a Word, blanks, Reformat Paragraph, paragraph moves, HTML removal,
// the submenu of further text commands, the block transforms, the counters, File Info,
// Compare and Spell.
#include <functional>
#include <memory>

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TSpellerUi;

// Makes the speller's dialogs; tests put scripted ones in their place.
using SpellerUiFactory = std::function<std::unique_ptr<TSpellerUi>()>;
SpellerUiFactory SetSpellerUiFactory(SpellerUiFactory factory);

void AttachTextServiceCommands(MainCommands& commands, DocumentWindows& docs);

}  // namespace nuvel
