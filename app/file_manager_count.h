#pragma once
// How many file manager windows start-up creates: [FileManager] Number is
// compared with "1" as text, so "2" and "10" give two; "1", "0" and a
// missing value give one.
#include <string_view>

namespace nuvel {

int FileManagerWindowCount(std::string_view numberValue);

}  // namespace nuvel
