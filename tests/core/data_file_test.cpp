// The check of the data file that holds the conversion tables: the file the
// data builder makes is sound, and damage of every kind is named.
#include "core/data_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/crc32.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ShippedDataFile() {
  test::TempProgramFolder temp;
  temp.CopyShippedFile("DIDOD.drf");
  const std::string s = temp.ReadFile("DIDOD.drf");
  return Bytes(s.begin(), s.end());
}

TEST(DataFile, Crc32IsTheCommonOne) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc32({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0xCBF43926u);
  EXPECT_EQ(Crc32({}), 0u);
}

TEST(DataFile, DamageIsNamed) {
  const Bytes shipped = ShippedDataFile();
  ASSERT_EQ(shipped.size(), DataFileTablesSize());
  const std::string checksum = "its checksum does not match its content";
  const std::string ascii = "its conversion tables change the ASCII characters";
  const std::string shortFile = "it is shorter than the 2,640 bytes its conversion tables take";
  auto flipped = [&](std::size_t at, uint8_t bit) {
    Bytes b = shipped;
    b[at] ^= bit;
    return b;
  };
  // The same file without its checksum: the tables alone are looked at.
  Bytes unmarked = shipped;
  std::fill(unmarked.begin() + 64, unmarked.begin() + 80, 0);
  Bytes random(shipped.size());
  std::mt19937 rng(44);
  for (uint8_t& b : random) b = static_cast<uint8_t>(rng());
  struct {
    const char* what;
    Bytes bytes;
    std::string why;  // empty: sound
  } cases[] = {
      {"as built", shipped, ""},
      {"a record more at the end", [&] { Bytes b = shipped; b.resize(b.size() + 80, 0); return b; }(), checksum},
      {"a bit of a Hebrew letter's entry", flipped(13 * 80 + 64 + 0xE9, 0x04), checksum},
      {"a bit of an ASCII entry", flipped(9 * 80 + 64 + 'a', 0x01), checksum},
      {"a bit of a table's name", flipped(5 * 80 + 3, 0x20), checksum},
      {"a bit of the checksum", flipped(73, 0x80), checksum},
      {"the last byte", flipped(shipped.size() - 1, 0x01), checksum},
      {"cut to half", Bytes(shipped.begin(), shipped.begin() + shipped.size() / 2), shortFile},
      {"empty", Bytes(), shortFile},
      {"random bytes", random, ascii},
      {"without a checksum, tables sound", unmarked, ""},
      {"without a checksum, an ASCII entry changed", [&] { Bytes b = unmarked; b[29 * 80 + 64 + 'Q'] = 'q'; return b; }(),
       ascii},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DataFileDamage(c.bytes), c.why);
  }
}

}  // namespace
}  // namespace nuvel
