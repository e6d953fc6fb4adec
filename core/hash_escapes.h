#pragma once
// The escapes a user may type in a search or replacement text: "#nnn" for the
// character with that decimal code, "##" for a "#", byte 14 for a carriage
// return; byte 15 is dropped.
#include <string>
#include <string_view>

namespace nuvel {

// Decodes the escapes of `s`. A decoded character is never decoded again; a
// "#" followed by anything but a digit or "#" stays as it is.
std::string DecodeHashEscapes(std::string_view s);

// The search engine's form: a text of more than 255 characters is first cut
// to 254, then decoded. The result ends at a decoded zero byte, as the
// zero-terminated buffer of the search does.
std::string DecodeHashEscapesPChar(std::string_view s);

}  // namespace nuvel
