#pragma once
// The folder where the program keeps the files it hands between its own
// parts (the filters' and the sort's work files): a folder of this process
// alone, made on first use inside $TMPDIR (else /tmp) and readable by its
// user only, so that no other user can read or replace those files and no
// other running copy of the program meets them. It is removed when the
// program ends.
#include <string>

namespace nuvel::platform {

// The folder, with a trailing "/". Throws std::runtime_error when no such
// folder can be made.
std::string UserTempFolder();

}  // namespace nuvel::platform
