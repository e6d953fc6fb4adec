#pragma once
// The name under which the running copy of the program is found: the
// program file's name without its folder, and the user, so that copies
// under other file names or of other users do not see each other.
#include <string>
#include <string_view>

namespace nuvel {

// "<program file name>-<user>", with every byte other than letters, digits,
// ".", "_" and "-" turned into "_" (the name becomes a socket and a file name).
std::string SingleInstanceKey(std::string_view programPath, std::string_view user);

}  // namespace nuvel
