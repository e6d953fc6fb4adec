// Conversion by mode and direction with the shipped tables.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/charset.h"
#include "tests/core/conversion_fixture.h"

namespace nuvel {
namespace {

using test::V;

struct Case {
  const char* what;
  int mode;
  bool out;
  std::vector<uint8_t> in;
  std::vector<uint8_t> expected;
};

class ConversionModes : public test::ConversionTest {
 protected:
  void Check(const std::vector<Case>& cases) {
    for (const auto& c : cases) EXPECT_EQ(Convert(c.mode, c.out, c.in), c.expected) << c.what;
  }
};

TEST_F(ConversionModes, Cp1255Out) {
  Check({
      {"plain text passes", 2, true, V("ab 12\t"), V("ab 12\t")},
      {"Hebrew letters and points keep their places", 2, true, V({0xE0, 0xC8, 0xFA, 0xD1}), V({0xE0, 0xC8, 0xFA, 0xD1})},
      {"shin with dagesh and shin dot becomes three bytes", 2, true, V({0x98}), V({0xF9, 0xCC, 0xD1})},
      {"bet with dagesh", 2, true, V({'a', 0x81, 'b'}), V({'a', 0xE1, 0xCC, 'b'})},
      {"lamed with dagesh and holam", 2, true, V({0x93}), V({0xEC, 0xCC, 0xC9})},
      {"final kaf with sheva", 2, true, V({0x87}), V({0xEA, 0xC0})},
      {"shin with sin dot, a point and a holam: Windows-1255 keeps the holam", 2, true,
       V({0x99, 0xC8, 0xC9, 'x'}), V({0xF9, 0xCC, 0xD2, 0xC8, 0xC9, 'x'})},
      {"mode 9: the holam after a shin with sin dot and a point goes", 9, true, V({0x98, 0xC8, 0xC9, 'x'}),
       V({0xF9, 0xCC, 0xD2, 0xC8, 'x'})},
      {"the look-ahead stops at the end", 2, true, V({0x99, 0xC8}), V({0xF9, 0xCC, 0xD2, 0xC8})},
      {"a lone holam after shin stays", 2, true, V({0xF9, 0xC9}), V({0xF9, 0xC9})},
      {"sheqel sign and multiplication sign", 2, true, V({0xA4, 0xD7}), V({0xA4, 0xAA})},
      {"mode 9 exchanges 0x98 and 0x99 first", 9, true, V({0x98, 0x99}),
       V({0xF9, 0xCC, 0xD2, 0xF9, 0xCC, 0xD1})},
  });
}

TEST_F(ConversionModes, Cp1255In) {
  Check({
      {"shin and sin dot", 2, false, V({0xF9, 0xD2}), V({0x9B})},
      {"shin and shin dot", 2, false, V({0xF9, 0xD1}), V({0x95})},
      {"bet and dagesh", 2, false, V({0xE1, 0xCC}), V({0x81})},
      {"shin, dagesh, shin dot", 2, false, V({0xF9, 0xCC, 0xD1}), V({0x98})},
      {"shin, dagesh, sin dot", 2, false, V({0xF9, 0xCC, 0xD2}), V({0x99})},
      {"vav and holam", 2, false, V({0xE5, 0xC9}), V({0x8D})},
      {"lamed and holam", 2, false, V({0xEC, 0xC9}), V({0x8F})},
      {"lamed, dagesh, holam", 2, false, V({0xEC, 0xCC, 0xC9}), V({0x93})},
      {"lamed, holam, dagesh", 2, false, V({0xEC, 0xC9, 0xCC}), V({0x93})},
      {"final kaf and sheva", 2, false, V({0xEA, 0xC0}), V({0x87})},
      {"final kaf and qamats", 2, false, V({0xEA, 0xC8}), V({0x92})},
      {"sin dot after alef becomes holam", 2, false, V({0xE0, 0xD2}), V({0xE0, 0xC9})},
      {"dagesh after alef stays a point", 2, false, V({0xE0, 0xCC}), V({0xE0, 0xCC})},
      {"dagesh after het stays a point", 2, false, V({0xE7, 0xCC}), V({0xE7, 0xCC})},
      {"dagesh after resh stays a point", 2, false, V({0xF8, 0xCC}), V({0xF8, 0xCC})},
      {"dagesh at the start stays", 2, false, V({0xCC, 'a'}), V({0xCC, 'a'})},
      {"shin dot after a blank stays", 2, false, V({' ', 0xD1}), V({' ', 0xD1})},
      {"shin, holam, dagesh", 2, false, V({0xF9, 0xC9, 0xCC}), V({0x99, 0xC9})},
      {"bet, holam, dagesh does not turn into shin", 2, false, V({0xE1, 0xC9, 0xCC}), V({0x81, 0xC9})},
      {"alef, holam, dagesh", 2, false, V({0xE0, 0xC9, 0xCC}), V({0xE0, 0xC9, 0xCC})},
      {"holam goes after another point", 2, false, V({0xE1, 0xC9, 0xC8}), V({0xE1, 0xC8, 0xC9})},
      {"curly quotes and dashes become ASCII", 2, false, V({0x93, 0x94, 0x96, 0x97, 0x85, 0x91, 0x92}),
       V({'"', '"', '-', '-', '.', '\'', '\''})},
      {"geresh and gershayim become ASCII", 2, false, V({0xD7, 0xD8}), V({'\'', '"'})},
      {"mode 9: shin and 0xD2 is shin with shin dot", 9, false, V({0xF9, 0xD2}), V({0x95})},
      {"mode 9: shin and 0xD1 is shin with sin dot", 9, false, V({0xF9, 0xD1}), V({0x9B})},
      {"mode 9: shin, dagesh, 0xD1 gives 0x98", 9, false, V({0xF9, 0xCC, 0xD1}), V({0x98})},
  });
}

// Unicode's canonical order puts a letter's vowels before its dagesh and its
// dots; the letter still takes them.
TEST_F(ConversionModes, Cp1255InComposesAcrossTheVowelsOfTheLetter) {
  Check({
      {"bet, qamats, dagesh", 2, false, V({0xE1, 0xC8, 0xCC, 0xF8}), V({0x81, 0xC8, 0xF8})},
      {"shin, hiriq, shin dot", 2, false, V({0xF9, 0xC4, 0xD1}), V({0x95, 0xC4})},
      {"shin, qamats, sin dot", 2, false, V({0xF9, 0xC8, 0xD2}), V({0x9B, 0xC8})},
      {"shin, patah, dagesh, shin dot", 2, false, V({0xF9, 0xC7, 0xCC, 0xD1}), V({0x98, 0xC7})},
      {"shin, qamats, dagesh, sin dot", 2, false, V({0xF9, 0xC8, 0xCC, 0xD2}), V({0x99, 0xC8})},
      {"shin with shin dot, then dagesh", 2, false, V({0xF9, 0xD1, 0xCC}), V({0x98})},
      {"shin with sin dot, then dagesh", 2, false, V({0xF9, 0xD2, 0xCC}), V({0x99})},
      {"two vowels and a meteg between", 2, false, V({0xE1, 0xC0, 0xCD, 0xCC}), V({0x81, 0xC0, 0xCD})},
      {"lamed, holam, dagesh", 2, false, V({0xEC, 0xC9, 0xCC}), V({0x93})},
      {"the dagesh does not reach over a blank", 2, false, V({0xE1, ' ', 0xC8, 0xCC}), V({0xE1, ' ', 0xC8, 0xCC})},
      {"nor over a letter without a dagesh form", 2, false, V({0xE1, 0xF8, 0xC8, 0xCC}),
       V({0xE1, 0xF8, 0xC8, 0xCC})},
      {"a vowel at the start has no letter", 2, false, V({0xC8, 0xCC}), V({0xC8, 0xCC})},
      {"mode 9: shin, qamats, 0xD2 is shin with shin dot", 9, false, V({0xF9, 0xC8, 0xD2}), V({0x95, 0xC8})},
  });
}

TEST_F(ConversionModes, PointedLettersAndPointsRoundTripThroughCp1255) {
  for (int b = 0x81; b <= 0x9B; ++b) {
    const auto own = V({'x', b, 'y'});
    EXPECT_EQ(Convert(2, false, Convert(2, true, own)), own) << std::hex << b;
  }
  for (int p = 0xC0; p <= 0xD3; ++p) {
    // After alef a point composes with nothing; a sin dot there is read as
    // the holam it looks like.
    const auto own = V({0xE0, p, ' '});
    const auto back = Convert(2, false, Convert(2, true, own));
    const auto expected = p == 0xD2 ? V({0xE0, 0xC9, ' '}) : own;
    EXPECT_EQ(back, expected) << std::hex << p;
  }
  std::vector<uint8_t> all;
  for (int b = 0; b < 256; ++b) {
    if (b == 0x80 || (b >= 0xC0 && b <= 0xD3) || b == 0xAA || b == 0xBA || b == 0xD8) continue;
    all.push_back(static_cast<uint8_t>(b));
    all.push_back(' ');
  }
  EXPECT_EQ(Convert(2, false, Convert(2, true, all)), all);
}

TEST_F(ConversionModes, ByteTableModes) {
  Check({
      {"862 letters", 4, true, V({0xE0, 0xFA, 'a'}), V({0x80, 0x9A, 'a'})},
      {"862 pointed letter is written as its letter", 4, true, V({0x81}), V({0x81})},
      {"862 in", 4, false, V({0x80, 0x9A, 0x9B}), V({0xE0, 0xFA, 0xA2})},
      {"862 keeps the points of the system's DOS text", 4, true, V({0xC8, 0xD2}), V({0xC8, 0xD2})},
      {"ISO-8859-8 letters", 1, true, V({0xE0, 0xD7}), V({0xE0, 0xAA})},
      {"ISO-8859-8 in", 1, false, V({0xAA, 0xE0, 0xDF}), V({0xD7, 0xE0, '_'})},
      {"Einstein letters", 5, true, V({0xE0, 0x81}), V({0x80, 0xE1})},
  });
  std::vector<uint8_t> all(256);
  for (int b = 0; b < 256; ++b) all[b] = static_cast<uint8_t>(b);
  EXPECT_EQ(Convert(5, false, Convert(5, true, all)), all) << "Einstein brings every byte back";
}

TEST_F(ConversionModes, ThreeB2) {
  Check({
      {"tab", 6, true, V({'a', 0x09, 'b'}), V("a&#TAB;b")},
      {"tab back", 6, false, V("a&#TAB;b"), V({'a', 0x09, 'b'})},
      {"point 0xD1", 6, true, V({0xD1}), V("&#142;2&#144;")},
      {"point 0xD1 back", 6, false, V("&#142;2&#144;"), V({0xD1})},
      {"0x1F", 6, true, V({0x1F}), V("&#131;")},
      {"double angle brackets", 6, true, V("<<a>>"), V("&#60;a&#62;")},
      {"single angle brackets stay", 6, true, V("<a>"), V("<a>")},
      {"lamed with holam", 6, true, V({0x8F}), V({0xCE, 0xE0})},
      {"shin with sin dot drops a following 0xA5", 6, true, V({0x9B, 0xA5, 'x'}), V({0xF3, 'x'})},
      {"and one after a byte 0x9B-0xA4", 6, true, V({0x99, 0xA0, 0xA6, 'x'}), V({0xF5, 0xA0, 'x'})},
      {"the look-ahead stops at the end", 6, true, V({0x99, 0xA0}), V({0xF5, 0xA0})},
      {"a removed byte closes up the text behind it", 6, true, V({0x9B, 0x9B, 0x9B, 0xA6, 0xA6, 'x'}),
       V({0xF3, 0xF3, 0xF3, 'x'})},
      {"letters through the table", 6, true, V({0xE0, 0xFA, '!'}), V({0xC2, 0xDC, 0xA1})},
      {"decimal entity", 6, false, V("&#65;"), V("A")},
      {"value 0 stays text", 6, false, V("&#0;"), V("&#0;")},
      {"value over 255 stays text", 6, false, V("&#256;"), V("&#256;")},
      {"a dot stays text", 6, false, V("&#6.5;"), V("&#6.5;")},
      {"no semicolon stays text", 6, false, V("&#65"), V("&#65")},
      {"ampersand alone", 6, false, V("a & b&"), V("a & b&")},
      {"entity 142 without its pair", 6, false, V("&#142;x"), V({0x8E, 'x'})},
      {"3B2 letters in", 6, false, V({0xC2, 0xDC, 0xA1}), V({0xE0, 0xFA, '!'})},
  });
}

TEST_F(ConversionModes, ThreeB2RoundTrip) {
  std::vector<uint8_t> own = V("a\t<<b");
  for (int p = 0xCF; p <= 0xD8; ++p) own.push_back(static_cast<uint8_t>(p));
  own.push_back(0x1F);
  own.push_back('>');
  own.push_back('>');
  EXPECT_EQ(Convert(6, false, Convert(6, true, own)), own);
}

TEST_F(ConversionModes, OutputGrowsWithoutLimit) {
  const std::vector<uint8_t> pointed(5000, 0x98);
  EXPECT_EQ(Convert(2, true, pointed).size(), 15000u);
  const std::vector<uint8_t> points(5000, 0xD8);
  EXPECT_EQ(Convert(6, true, points).size(), 65000u);
}

TEST_F(ConversionModes, ModesWithoutByteChangesLeaveTextAlone) {
  const auto text = V({'a', 0x98, 0xE0, 0xC9, 0x09});
  for (int mode : {0, 3, 7, 8, 12}) {
    EXPECT_EQ(Convert(mode, true, text), text) << mode;
    EXPECT_EQ(Convert(mode, false, text), text) << mode;
  }
}

// Converting byte by byte gives what converting the whole buffer gives.
TEST_F(ConversionModes, CharByCharMatchesWholeBuffer) {
  std::mt19937 random(1255);
  const uint8_t interesting[] = {'a', ' ', '<', '>', '&', '#', ';', '1', '4', '2', 0x09, 0x1F, 0x81, 0x87, 0x8F,
                                 0x93, 0x98, 0x99, 0x9B, 0xA0, 0xA5, 0xA6, 0xC0, 0xC8, 0xC9, 0xCC, 0xCF, 0xD1,
                                 0xD2, 0xD8, 0xE0, 0xE1, 0xE5, 0xEA, 0xEC, 0xF9};
  for (int mode : {1, 2, 4, 5, 6, 9}) {
    for (bool out : {true, false}) {
      const PreparedConv prepared(mode, out);
      for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> text(random() % 12);
        for (auto& b : text) b = interesting[random() % sizeof interesting];
        if (mode == 6 && !out && round % 3 == 0) text = V("x&#142;3&#144;&#TAB;&#60;");
        std::vector<uint8_t> whole = text;
        ConvertWholeText(ConvContext{mode}, out, whole);
        std::vector<uint8_t> stepwise = text;
        for (std::size_t pos = 0; pos < stepwise.size();) pos = ConvertCharAt(prepared.Settings(), stepwise, pos);
        EXPECT_EQ(stepwise, whole) << "mode " << mode << (out ? " out" : " in");
      }
    }
  }
}

TEST_F(ConversionModes, UnicodeModeGivesCodesOneByOne) {
  const PreparedConv out(7, true);
  EXPECT_EQ(out.Table()[1], 1);
  auto buf = V({0x81, 'a'});
  std::optional<char16_t> wide;
  EXPECT_EQ(ConvertCharAt(out.Settings(), buf, 0, &wide), 1u);
  EXPECT_EQ(wide, u'\uFB31');
  EXPECT_EQ(buf, V({0x81, 'a'}));
  const PreparedConv in(7, false);
  EXPECT_EQ(in.Table()[1], 0);
  wide.reset();
  ConvertCharAt(in.Settings(), buf, 0, &wide);
  EXPECT_FALSE(wide.has_value());
}

}  // namespace
}  // namespace nuvel
