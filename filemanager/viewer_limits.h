#pragma once
// Limits shared by the viewer's parts.
#include <cstdint>
#include <limits>

namespace nuvel {

// The line count while the end of the file has not been reached.
inline constexpr int64_t kUnknownLineCount = std::numeric_limits<int64_t>::max();

}  // namespace nuvel
