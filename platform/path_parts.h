#pragma once
// The two parts of a file's path as the file operations use them.
#include <string>

namespace nuvel::platform {

// The folder holding `path`: "." for a bare name, "/" for an entry of the root.
std::string FolderOf(const std::string& path);
// The last part of `path`.
std::string NameOf(const std::string& path);

}  // namespace nuvel::platform
