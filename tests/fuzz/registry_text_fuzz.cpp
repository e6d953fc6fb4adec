// The registry store's file: any bytes either load or are refused as damaged,
// and what loads writes back to a text that loads to the same content.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  nuvel::platform::RegistryStore store("/nonexistent/nuvel-fuzz/registry.reg");
  if (!store.LoadText(bytes)) return 0;
  std::string first = store.Serialize();
  nuvel::platform::RegistryStore again("/nonexistent/nuvel-fuzz/registry.reg");
  if (!again.LoadText(first) || again.Serialize() != first) std::abort();
  return 0;
}
