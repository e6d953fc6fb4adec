#pragma once
// The main window's filter commands: Super Find over the active document or
// every open one, Sort, the built-in filters of the user commands, the Sheim
// Hashem protection after opening, "Open with Sheim Hashem Protection" and
// its toolbar button, whose glyph shows whether the active document is
// protected.
#include <functional>
#include <memory>

#include "tools/rule_file_choice.h"
#include "tools/sort_command.h"

namespace nuvel {

class DocumentWindows;
class MainCommands;
class TMDIChild;

// Make the Super Find and sort dialogs; tests put scripted ones in their place.
using SuperFindUiFactory = std::function<std::unique_ptr<tools::TSuperFindUi>()>;
using SortUiFactory = std::function<std::unique_ptr<tools::TSortUi>()>;
SuperFindUiFactory SetSuperFindUiFactory(SuperFindUiFactory factory);
SortUiFactory SetSortUiFactory(SortUiFactory factory);

void AttachFilterCommands(MainCommands& commands, DocumentWindows& docs);

// Protects the Divine Names in the window's current editor: the Hebrew names
// when `hebrew`, the English name when `english`. The editor is left
// unmodified, marked protected for the kinds that ran, and the toolbar
// button shows the protection.
void ApplySheimProtection(DocumentWindows& docs, TMDIChild& child, bool hebrew, bool english);

}  // namespace nuvel
