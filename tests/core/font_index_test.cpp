#include "core/font_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/glyph_maps.h"

namespace nuvel {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

TEST(FontIndex, AllocSetsFirstEntries) {
  FontIndex index = AllocFontIndex();
  ASSERT_GE(index.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(index[i], 1);
  FreeFontIndex(index);
  EXPECT_TRUE(index.empty());
}

TEST(FontIndex, BuildsPerCharacterFonts) {
  struct Case {
    std::string text;
    bool ltr, bold;
    std::vector<uint8_t> fonts;  // entries 1..n
  };
  const Case cases[] = {
      {"ab 12", false, false, {1, 1, 2, 2, 2}},
      {"ab 12", true, false, {1, 1, 1, 1, 1}},
      {"\t", false, false, {3}},
      {"\t", true, true, {4}},
      {"\x01\x1F\x14", true, false, {3, 3, 3}},
      // Number marks follow a Hebrew line, other joining marks stay English.
      {"\"(),.:?-!+", false, false, {2, 2, 2, 2, 2, 2, 2, 1, 1, 1}},
      {"\"(),.:?-!+", true, false, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      // Hebrew letters, points, pointed letters and high bytes: Hebrew font.
      {"\xE0\xC8\x81\xFA\xA4\x7F", true, false, {2, 2, 2, 2, 2, 2}},
      {"[`{~", false, false, {1, 1, 1, 1}},
      {std::string(1, '\0'), true, false, {2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    FontIndex index = AllocFontIndex();
    BuildFontIndex(Bytes(c.text), index, c.ltr, c.bold);
    ASSERT_EQ(index.size(), c.text.size() + 1);
    EXPECT_EQ(index[0], 2);
    EXPECT_EQ(std::vector<uint8_t>(index.begin() + 1, index.end()), c.fonts);
  }
}

TEST(FontIndex, GrowsForLongLines) {
  const std::vector<uint8_t> line(5000, 'x');
  FontIndex index = AllocFontIndex();
  BuildFontIndex(line, index, true, false);
  ASSERT_EQ(index.size(), 5001u);
  EXPECT_EQ(index[5000], 1);
}

TEST(GlyphMaps, DosFontGlyphs) {
  struct Case {
    uint8_t in, out;
  };
  const Case cases[] = {
      {0xE0, 'a'}, {0xF9, 'z'}, {0xFA, 'A'}, {0xFB, '\\'}, {0x81, 0x42}, {0x9A, 0x5B},
      {0x9B, '\\'}, {0xC0, ';'}, {0xC1, '$'}, {0xC2, '*'}, {0xC3, '&'}, {0xC4, '>'},
      {0xC5, '<'}, {0xC6, '-'}, {0xC7, '`'}, {0xC8, '^'}, {0xC9, '~'}, {0xCB, '}'},
      {0xD2, '~'}, {0xCA, 0xCA}, {0xCC, 0xCC}, {0xD1, 0xD1}, {'a', 'a'}, {0x80, 0x80},
      {0xFC, 0xFC},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(DosFontGlyph(c.in), c.out);
  }
  // The buffer routine stops at the first zero byte.
  std::vector<uint8_t> buf = {0xE0, 0xC0, 0, 0xE1};
  MapToDosFontGlyphs(buf);
  EXPECT_EQ(buf, (std::vector<uint8_t>{'a', ';', 0, 0xE1}));
}

TEST(GlyphMaps, ScreenFontGlyphs) {
  const std::string expected = "abcdefChijklBnGpqEHtLvwMOzN";
  for (int b = 0x81; b <= 0x9B; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(ScreenFontGlyph(static_cast<uint8_t>(b)), static_cast<uint8_t>(expected[b - 0x81]));
  }
  for (int b : {0x00, 0x80, 0x9C, 0xE0, 0xC0, 0x61}) {
    EXPECT_EQ(ScreenFontGlyph(static_cast<uint8_t>(b)), b);
  }
  // Every byte is mapped, zero bytes included.
  std::vector<uint8_t> buf = {0x87, 0, 0x8F};
  MapToScreenFontGlyphs(buf);
  EXPECT_EQ(buf, (std::vector<uint8_t>{'C', 0, 'G'}));
}

}  // namespace
}  // namespace nuvel
