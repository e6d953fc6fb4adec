// Windows-1255 punctuation written as its look-alike text, wherever it
// stands in a paragraph of any length, and only that punctuation.
#include "core/cp1255_look_alikes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvel {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(Cp1255LookAlikes, EachIsFoundWhereverItStands) {
  struct Sign {
    uint8_t byte;
    const char* text;
  } const signs[] = {{0x80, "EUR"}, {0x85, "..."}, {0x89, "%o"}, {0x99, "TM"}};
  // Hebrew letters with points around it, and bytes of the range the signs
  // lie in that have no look-alike (a dagesh shin 0x98 and 0x81).
  const std::string filler = "\xF9\xC8\xEC\xE5\xED ab\x81\x98";
  for (const Sign& sign : signs) {
    for (const std::size_t at : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 47u, 63u, 64u, 100u}) {
      for (const std::size_t after : {0u, 1u, 20u}) {
        std::string before, rest;
        while (before.size() < at) before += filler[before.size() % filler.size()];
        while (rest.size() < after) rest += filler[rest.size() % filler.size()];
        std::vector<uint8_t> out = Bytes("untouched");
        ASSERT_TRUE(ExpandCp1255LookAlikes(Bytes(before + static_cast<char>(sign.byte) + rest), out))
            << int(sign.byte) << " at " << at << " before " << after;
        EXPECT_EQ(out, Bytes(before + sign.text + rest)) << int(sign.byte) << " at " << at;
      }
    }
  }
}

TEST(Cp1255LookAlikes, TextWithoutThemIsLeftAlone) {
  std::string every;
  for (int b = 0; b < 256; ++b) {
    if (b != 0x80 && b != 0x85 && b != 0x89 && b != 0x99) every += static_cast<char>(b);
  }
  for (const std::string& text : {std::string(), std::string("short"), every, every + every + "tail"}) {
    std::vector<uint8_t> out = Bytes("untouched");
    EXPECT_FALSE(ExpandCp1255LookAlikes(Bytes(text), out)) << text.size();
    EXPECT_EQ(out, Bytes("untouched"));
  }
}

}  // namespace
}  // namespace nuvel
