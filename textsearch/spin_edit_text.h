#pragma once
// What a spinner press does to a plain edit whose text is a number: the
// up area adds the step, the down area takes it away.
#include <optional>
#include <string>
#include <string_view>

#include "textsearch/spinner_geometry.h"

namespace nuvel {

// The new text of the edit, written in the shortest general format (at
// most 15 significant digits); nothing when the state is neither up nor
// down or the text is not a number (blanks around it are allowed).
std::optional<std::string> SpinEditText(std::string_view text, TNvcSpinState state, double delta);

}  // namespace nuvel
