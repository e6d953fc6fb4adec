#pragma once
// The two parts of a file's path as the file operations use them.
#include <string>
#include <string_view>

namespace nuvel::platform {

// The folder holding `path`: "." for a bare name, "/" for an entry of the root.
std::string FolderOf(const std::string& path);
// The last part of `path`.
std::string NameOf(const std::string& path);
// `name` in `folder`, with one "/" between them.
std::string JoinPath(const std::string& folder, std::string_view name);

}  // namespace nuvel::platform
