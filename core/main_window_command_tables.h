#pragma once
// The command tables the main window's controller is stored with: "WordStar"
// (active, the built-in entries plus the WordStar block and find commands)
// and "Default" (active, without the marker digits, plus Ctrl+Del).
#include <vector>

#include "core/command_processor.h"

namespace nuvel {

std::vector<TNvcStoredTable> MainWindowCommandTables();

}  // namespace nuvel
