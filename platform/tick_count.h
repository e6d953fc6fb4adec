#pragma once
// Milliseconds since an arbitrary start, as a 32-bit count that wraps around
// after about 49.7 days, like the system tick count that timers compare.
#include <cstdint>

namespace nuvel::platform {

uint32_t GetTickCount();

}  // namespace nuvel::platform
