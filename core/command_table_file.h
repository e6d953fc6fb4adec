#pragma once
// Text files of one command table: the table name on the first line, then one
// line per entry with Key1, Shift1, Key2 and Shift2 right-aligned in 4
// characters and the command in 6, each line ending in CR LF.
#include <string>
#include <string_view>

#include "core/command_table.h"

namespace nuvel {

// Reads a table (active) from the text of a file: the name from the first
// line (CR LF or LF), then five whitespace-separated decimal numbers per
// entry to the end. Raises EInOutError for anything else, or a number out of
// its range.
TNvcCommandTable ParseCommandTableText(std::string_view text);

// The text of a table file.
std::string CommandTableText(const TNvcCommandTable& table);

}  // namespace nuvel
