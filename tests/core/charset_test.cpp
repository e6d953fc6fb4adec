#include "core/charset.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuvel {
namespace {

TEST(HebUnicodeTable, RangesOfTheSet) {
  struct Range {
    int first, last;
    char16_t code;  // code of `first`; the range runs on by one
  };
  const Range ranges[] = {
      {0x00, 0x80, 0x0000},   {0x9C, 0xA3, 0x009C},   {0xA4, 0xA4, 0x20AA}, {0xA5, 0xBF, 0x00A5},
      {0xC0, 0xD3, 0x05B0},   {0xD4, 0xD6, 0x05F0},   {0xD7, 0xDF, 0x00D7}, {0xE0, 0xFA, 0x05D0},
      {0xFB, 0xFC, 0x00FB},   {0xFD, 0xFE, 0x200E},   {0xFF, 0xFF, 0x00FF},
      {0x81, 0x86, 0xFB31},   {0x88, 0x8C, 0xFB38},   {0x90, 0x91, 0xFB40}, {0x96, 0x97, 0xFB46},
  };
  for (const auto& r : ranges) {
    for (int b = r.first; b <= r.last; ++b) EXPECT_EQ(HebUnicodeTable[b], r.code + (b - r.first)) << std::hex << b;
  }
  const std::pair<int, char16_t> single[] = {{0x87, 0xE802}, {0x8D, 0xFB4B}, {0x8E, 0xFB3E}, {0x8F, 0xE804},
                                             {0x92, 0xE803}, {0x93, 0xE805}, {0x94, 0xFB44}, {0x95, 0xFB2A},
                                             {0x98, 0xFB2C}, {0x99, 0xFB2D}, {0x9A, 0xFB4A}, {0x9B, 0xFB2B}};
  for (auto [b, code] : single) EXPECT_EQ(HebUnicodeTable[b], code) << std::hex << b;
}

TEST(UnicodeToHebChar, ExactInverseOfTheTable) {
  for (int b = 0; b < 256; ++b) EXPECT_EQ(UnicodeToHebChar(HebUnicodeTable[b]), b) << std::hex << b;
  // Codes outside the table's image.
  for (char16_t code : {u'\u00A4', u'\u0081', u'\u009B', u'\u05C4', u'\u05EB', u'\uFB30', u'\uFB37', u'\u20AC',
                        u'\u2019', u'\uE801', u'\uFFFF', u'\u0100'}) {
    EXPECT_EQ(UnicodeToHebChar(code), 0) << std::hex << static_cast<int>(code);
  }
  EXPECT_EQ(UnicodeToHebChar(u'\u20AA'), 0xA4);
  EXPECT_EQ(UnicodeToHebChar(u'\u05F2'), 0xD6);
}

TEST(WideBuffers, ConvertEachUnit) {
  const std::vector<uint8_t> own = {'a', 0x81, 0xE0, 0xC8, 0xA4, 0xFE};
  std::vector<char16_t> wide(own.size() + 1, u'#');
  HebToWideBuffer(own, wide);
  EXPECT_EQ(wide, (std::vector<char16_t>{u'a', u'\uFB31', u'\u05D0', u'\u05B8', u'\u20AA', u'\u200F', u'#'}));
  std::vector<uint8_t> back(own.size());
  WideToHebBuffer(std::span(wide).first(own.size()), back);
  EXPECT_EQ(back, own);
  // A decomposed letter stays decomposed; an unknown code gives 0.
  const std::vector<char16_t> decomposed = {u'\u05D1', u'\u05BC', u'\u20AC'};
  std::vector<uint8_t> bytes(3);
  WideToHebBuffer(decomposed, bytes);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0xE1, 0xCC, 0}));
}

TEST(PointedLetterParts, LetterAndPointsOfEachPointedLetter) {
  for (int b = 0x81; b <= 0x9B; ++b) {
    const auto parts = PointedLetterParts(static_cast<uint8_t>(b));
    ASSERT_GE(parts.size(), 2u) << std::hex << b;
    EXPECT_GE(parts[0], 0xE0) << "a letter first";
    for (std::size_t i = 1; i < parts.size(); ++i) EXPECT_TRUE(parts[i] >= 0xC0 && parts[i] <= 0xD3);
  }
  const std::vector<uint8_t> shin_dagesh_sin(PointedLetterParts(0x99).begin(), PointedLetterParts(0x99).end());
  EXPECT_EQ(shin_dagesh_sin, (std::vector<uint8_t>{0xF9, 0xCC, 0xD2}));
  EXPECT_TRUE(PointedLetterParts(0x80).empty());
  EXPECT_TRUE(PointedLetterParts(0xE1).empty());
}

}  // namespace
}  // namespace nuvel
