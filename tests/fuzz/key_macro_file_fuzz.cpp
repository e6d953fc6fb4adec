// .KEY files: any bytes parse into slots and names of at most 30 characters,
// and the parsed content written back parses to itself.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/key_macros.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  nuvel::MacroFileContent content = nuvel::ParseMacroFile(bytes);
  for (size_t i = 0; i < content.slots.size(); ++i) {
    if (content.slots[i].size() > nuvel::kMacroLength || content.names[i].size() > nuvel::kMacroLength) std::abort();
  }
  nuvel::MacroFileContent again = nuvel::ParseMacroFile(nuvel::FormatMacroFile(content.slots, content.names));
  if (again.slots != content.slots || again.names != content.names) std::abort();
  return 0;
}
