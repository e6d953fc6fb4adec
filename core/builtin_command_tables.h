#pragma once
// The three command tables every command processor starts with: "Default"
// (active), "WordStar" and "Grid" (inactive), entries in their fixed order.
#include <span>
#include <string_view>

#include "core/command_table.h"

namespace nuvel {

#include <string>

// The names of the three tables, from the framework's message texts.
std::string DefaultTableName();   // "Default"
std::string WordStarTableName();  // "WordStar"
std::string GridTableName();      // "Grid"

std::span<const TNvcCommandEntry> DefaultTableEntries();
std::span<const TNvcCommandEntry> WordStarTableEntries();
std::span<const TNvcCommandEntry> GridTableEntries();

// The built-in entries of a table of that name (compared without case), or an
// empty span when the name is none of the three.
std::span<const TNvcCommandEntry> BuiltInEntriesFor(std::string_view tableName);

}  // namespace nuvel
