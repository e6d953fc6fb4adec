#include "core/hebrew_numerals.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvel {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

struct NumeralCase {
  int32_t n;
  std::string visual;
};

TEST(IntToHebNum, GivesLettersInVisualOrder) {
  const NumeralCase cases[] = {NumeralCase{1, Bytes({0xE0})}, NumeralCase{9, Bytes({0xE8})},
                      NumeralCase{0, " "},
                      NumeralCase{10, Bytes({' ', 0xE9})},
                      NumeralCase{12, Bytes({0xE1, 0xE9})},
                      // 15 and 16 are written tet-vav and tet-zayin, never with yod.
                      NumeralCase{15, Bytes({0xE5, 0xE8})}, NumeralCase{16, Bytes({0xE6, 0xE8})},
                      NumeralCase{115, Bytes({0xE5, 0xE8, 0xF7})},
                      NumeralCase{216, Bytes({0xE6, 0xE8, 0xF8})},
                      NumeralCase{17, Bytes({0xE6, 0xE9})},
                      NumeralCase{90, Bytes({' ', 0xF6})},
                      NumeralCase{105, Bytes({' ', 0xE4, 0xF7})},
                      NumeralCase{400, Bytes({' ', ' ', 0xFA})},
                      NumeralCase{500, Bytes({' ', ' ', 0xF7, 0xFA})},
                      NumeralCase{800, Bytes({' ', ' ', 0xFA, 0xFA})},
                      NumeralCase{999, Bytes({0xE8, 0xF6, 0xF7, 0xFA, 0xFA})},
                      // The thousands geresh follows its letter in writing order:
                      // 5784 reads he, geresh, tav, shin, pe, dalet.
                      NumeralCase{5784, Bytes({0xE3, 0xF4, 0xF9, 0xFA, '\'', 0xE4})},
                      NumeralCase{5000, Bytes({' ', ' ', ' ', '\'', 0xE4})},
                      NumeralCase{1015, Bytes({' ', 0xE5, 0xE8, '\'', 0xE0})},
                      // Digits above the thousands are ignored.
                      NumeralCase{12345, Bytes({0xE4, 0xEE, 0xF9, '\'', 0xE1})},
                      NumeralCase{-5, Bytes({' ', 0xE4})},
                      NumeralCase{-50, Bytes({' ', ' ', 0xF0})}};
  for (const auto& c : cases) EXPECT_EQ(IntToHebNum(c.n), c.visual) << c.n;
}

}  // namespace
}  // namespace nuvel
