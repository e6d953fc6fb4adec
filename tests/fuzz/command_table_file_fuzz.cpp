// Command table files from outside: any bytes either raise the runtime's
// input/output error or give a table that is written and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/command_table_file.h"
#include "core/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  nuvel::TNvcCommandTable table;
  try {
    table = nuvel::ParseCommandTableText(text);
  } catch (const nuvel::EInOutError&) {
    return 0;
  }
  const nuvel::TNvcCommandTable again = nuvel::ParseCommandTableText(nuvel::CommandTableText(table));
  if (again.TableName() != table.TableName() || again.Entries() != table.Entries()) std::abort();
  return 0;
}
