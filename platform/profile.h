#pragma once
// Profile (INI) files with the semantics of the Windows profile functions:
// - section and key names compare without regard to ASCII case, and blanks
//   around them are ignored;
// - a value is the text after the first "=", blanks around it removed and
//   one pair of matching surrounding quotes taken off;
// - lines ending in CR LF and in LF alike are read; lines starting with ";"
//   are comments; the first section of a name is the one used;
// - a write creates the file and the section when absent, keeps every
//   unrelated line and comment as it stands, keeps the file's own line ends,
//   and replaces the file atomically;
// - writing a null value removes the key, a null key removes the section.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel::platform {

// The value of `key` in `section`, or nullopt when the file, the section or
// the key is absent. The value is returned whole, however long.
std::optional<std::string> GetPrivateProfileString(std::string_view section, std::string_view key,
                                                   const std::filesystem::path& file);

// Writes `key`=`value` into `section`. With `value` nullopt the key is removed;
// with `key` nullopt the whole section is removed. Returns false when nothing
// could be written: the file could not be replaced, or a name or the value
// holds a line break (which would damage the file), or the section name holds
// "]" or the key "=".
bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, const std::filesystem::path& file);

// Names of the sections in file order (the first spelling of each).
std::vector<std::string> GetPrivateProfileSectionNames(const std::filesystem::path& file);

// Key names of the first section named `section`, in file order.
std::vector<std::string> GetPrivateProfileKeyNames(std::string_view section, const std::filesystem::path& file);

}  // namespace nuvel::platform
