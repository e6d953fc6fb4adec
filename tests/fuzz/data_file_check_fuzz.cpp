// Checks arbitrary bytes as the program's data file and as the index of a
// spell dictionary, as the start-up check does: nothing may crash, and a
// file with a sound checksum must be at least as long as its tables.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/data_file.h"
#include "tools/spell_alphabet.h"
#include "tools/spell_dic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const std::string damage = nuvel::DataFileDamage(bytes);
  if (damage.empty() && size < nuvel::DataFileTablesSize()) __builtin_trap();

  static const nuvel::SpellAlphabet english = nuvel::BuildEnglishAlphabet();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The whole file, and its first bytes taken for a longer one.
  nuvel::SpellIndexDamage(text, size, english.n);
  nuvel::SpellIndexDamage(text, uint64_t{size} * 3, english.n);
  nuvel::SpellIndexDamage(text, size / 2, english.n);
  return 0;
}
