#pragma once
// File-name pieces as the file commands use them. Names use "/" between
// folders; a "\" is taken as a separator too, so names typed the old way
// still split.
#include <string>
#include <string_view>

namespace nuvel {

// The name without its folder.
std::string_view NameWithoutFolder(std::string_view name);
// The folder with its trailing separator; empty when there is none.
std::string_view FolderOf(std::string_view name);
// The extension with its dot (".nvw"); empty when the name has none.
std::string_view ExtensionOf(std::string_view name);
// The name made absolute against the current folder and lexically normal.
std::string ExpandFileName(std::string_view name);
// The first doubled separator ("//" or "\\") loses one of its two characters.
std::string WithoutFirstDoubledSeparator(std::string_view name);

}  // namespace nuvel
