#pragma once
// Moving the registry key of an older version of the program to the current
// version's key at start-up.
#include <array>
#include <string>
#include <string_view>

namespace nuvel {

// Older versions, in the order they are tried.
inline constexpr std::array<std::string_view, 8> kOlderVersions = {"2.55", "2.57", "3.00", "3.01",
                                                                   "3.10", "3.20", "3.50", "3.51"};

// When "Software\Marvek Ila\NuvelText\3.55" is absent, the first older
// version key that exists is moved there with all its values and subkeys;
// later ones stay where they are. Returns the version moved, or empty.
std::string MigrateOlderVersionKey();

}  // namespace nuvel
