#pragma once
// The reopen list of the file commands: up to ten entries, most recent
// first. An entry is a full file name or an extension pattern "*.ext" (the
// extension in its own case) that keeps the last extensions opened near the
// top of the open dialog's filter. File names compare exactly.
//
// The file names are kept in the INI section REOPEN under the keys "0" to
// "9" in list order; the patterns are not stored.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/text_histories.h"

namespace nuvel {

inline constexpr size_t kReopenListMax = 10;
inline constexpr std::string_view kReopenSection = "REOPEN";

// "*." + the name's extension without its dot; nullopt without an extension.
std::optional<std::string> ReopenPattern(std::string_view name);

// Puts `name` at the top of the list: blank entries go; an entry equal to the
// name moves to the top; a new name goes on top, its pattern (when not in
// the list) goes second, and the list is cut to ten.
void UpdateReopenEntries(std::vector<std::string>& list, std::string_view name);

// The values of the REOPEN keys "0" to "9": the file names of the list in
// order, then nullopt for the keys to delete.
std::array<std::optional<std::string>, kReopenListMax> ReopenSectionValues(const std::vector<std::string>& list);

// Writes the REOPEN section from the list.
void WriteReopenSection(const std::vector<std::string>& list);
// Reads the present values of REOPEN "0" to "9" in order.
std::vector<std::string> ReadReopenSection();

// The open dialog's filter with the pattern offered first:
// pattern + " files (" + pattern + ")|" + pattern + storedFilter.
std::string FilterWithPattern(std::string_view pattern, std::string_view storedFilter);

// The file-name history, newest first: the name goes to the front (once,
// file names compared exactly); over twenty names, the oldest goes.
void UpdateFileHistory(std::vector<std::string>& history, std::string_view name);

}  // namespace nuvel
