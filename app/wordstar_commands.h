#pragma once
// The main window's own WordStar-style commands, added to the processor's
// "DEFAULT" table at start-up whatever the WordStar option says.
#include "core/command_processor.h"

namespace nuvel {

// Adds the 36 entries (Ctrl on the first key; the second key with or without
// Ctrl). Raises the processor's EDuplicateCommand when one is there already.
void AddWordStarCommands(TNvcCommandProcessor& processor);

}  // namespace nuvel
