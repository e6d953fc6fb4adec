#pragma once
// The file named on the command line.
#include <optional>
#include <string>
#include <string_view>

namespace nuvel {

// The full path of the first command-line argument, its case kept; nullopt
// for an empty argument or a switch (one that begins with "/").
std::optional<std::string> StartupFileArgument(std::string_view argument, const std::string& currentFolder);

// The current folder as the system's bytes; empty when it is gone.
std::string CurrentFolder();

}  // namespace nuvel
