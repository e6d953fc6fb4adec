#pragma once
// Settings access used by every part of the program: the INI file
// "NuvelW.INI" in the program folder and the per-user registry key
// "Software\Marvek Ila\NuvelText\3.55\".
//
// Conventions: an absent value reads as "NotFound"; a Boolean is "1" or "0"
// and reads true only for exactly "1"; numbers are decimal text; a registry
// list is a subkey holding "Count" and the values "H0", "H1", ...
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

inline constexpr std::string_view kNotFound = "NotFound";

// Key under HKEY_CURRENT_USER that holds the program's registry values.
inline constexpr std::string_view kRegistryBaseKey = "Software\\Marvek Ila\\NuvelText\\";
inline constexpr std::string_view kCurrentVersion = "3.55";
// "Software\Marvek Ila\NuvelText\3.55\".
std::string RegistryKeyOf(std::string_view subkey);

// Full path of the INI file a run writes: the user's own copy in the user's
// settings folder, made from the program folder's factory file the first
// time (see ini_location.h). Until the first write, settings are read from
// the factory file.
std::string IniFileName();

// The value, whole; "NotFound" when the key or the file is absent.
std::string ReadIniString(std::string_view section, std::string_view key);
// True only when the value is exactly "1".
bool ReadIniBool(std::string_view section, std::string_view key);
// Writes the value, creating the file and section when absent; nullopt removes the key.
void WriteIniString(std::string_view section, std::string_view key, std::optional<std::string_view> value);

// The string value `name` of the subkey; "NotFound" when the key or the value
// is absent, empty or not a string.
std::string ReadRegString(std::string_view subkey, std::string_view name);
// Writes the string value, creating the key when absent; dropped when the key
// cannot be made.
void WriteRegString(std::string_view subkey, std::string_view name, std::string_view value);

// Appends the registry list of `subkey` to `list` (which is not cleared):
// "Count" items "H0".."H<Count-1>". A "Count" that is absent or not a number
// adds nothing; the list stops at the first missing or empty item.
void LoadRegStrings(std::string_view subkey, std::vector<std::string>& list);
// Writes "Count" and the items "H0".. in order. Items of a longer earlier
// list beyond the new Count stay in the key but are never read.
void SaveRegStrings(std::string_view subkey, const std::vector<std::string>& list);

// Start-up: moves an older version's registry key to the current one, fixes
// the program folder, makes sure a first INI file exists, names the data and
// macro files, loads the key macros, clears the keyboard latches and fills
// DigitTable. Returns false when the program folder cannot be found: the
// message "Invalid Program Path" was shown and the program must end.
bool InitStartUp();
// The same with the program folder given (empty: the folder is unknown).
bool InitStartUpIn(const std::string& program_folder);

}  // namespace nuvel
