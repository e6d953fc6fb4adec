#pragma once
// Writes a whole file through a temporary file in the same folder, renamed
// over the target only when it was written whole.
#include <string>
#include <string_view>

namespace nuvel {

// Throws EInOutError when the file cannot be written; the old file stays whole.
void ReplaceFileWith(const std::string& name, std::string_view bytes);

}  // namespace nuvel
