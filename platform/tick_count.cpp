#include "platform/tick_count.h"

#include <chrono>

namespace nuvel::platform {

uint32_t GetTickCount() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<uint32_t>(ms.count());
}

}  // namespace nuvel::platform
