#pragma once
// The parts of a document's file name that decide how it is read and
// written.
#include <string>
#include <string_view>

namespace nuvel {

// The name less one trailing period, when it is longer than one character.
std::string_view StripTrailingDot(std::string_view name);
// The extension that picks a reader or writer: the part of the file name
// from its last period (none before the last "/", "\" or ":"), with one
// trailing period of the name ignored, ASCII letters upper-cased, cut to
// four characters with the period (".html" gives ".HTM"). Empty when the
// file name has no period.
std::string DocumentExtension(std::string_view name);

}  // namespace nuvel
