// The string library file and the "STR0" message tables: damaged bytes are
// refused or read within bounds, never past the end.
#include <cstdint>
#include <span>
#include <string>

#include "core/exceptions.h"
#include "core/message_table.h"
#include "platform/string_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (auto library = nuvel::platform::StringLibrary::FromBytes(bytes)) {
    for (uint32_t id = 0; id < 64; ++id) (void)library->Text(static_cast<uint16_t>(id));
  }
  std::string table = "STR0" + bytes;
  try {
    nuvel::TNvcStringResource resource("Fuzz", std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(table.data()), table.size()));
    for (uint32_t id = 0; id < 64; ++id) (void)resource.GetAsString(id);
  } catch (const nuvel::ENvcStringResourceError&) {
  }
  return 0;
}
