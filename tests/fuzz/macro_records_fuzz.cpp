// .mcr files: any bytes are either refused whole or parse into records that
// are key or mouse events and write back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/macro_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto events = nuvel::ParseMacroRecords(bytes);
  if (!events) return 0;
  if (events->size() * nuvel::kMacroRecordSize != size) std::abort();
  for (const nuvel::MacroEvent& e : *events) {
    if (!nuvel::KeyOfRecord(e) && !nuvel::MouseOfRecord(e)) std::abort();
  }
  if (nuvel::FormatMacroRecords(*events) != bytes) std::abort();
  return 0;
}
