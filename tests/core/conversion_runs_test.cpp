// The table-driven Windows-1255 conversion of whole buffers gives exactly
// what the byte-by-byte conversion gives: over mixed texts with points in
// every order, pointed letters, CR LF and any byte of 0x80-0xFF, with the
// shipped tables and with arbitrary ones, and after text already converted.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "core/charset.h"
#include "core/conv_cp1255_runs.h"
#include "core/conv_engine.h"
#include "core/point_order.h"
#include "tests/core/conversion_fixture.h"

namespace nuvel {
namespace {

using test::V;

// A text of random pieces: letters with zero to four points in any order,
// the set's pointed letters, holams after shins, a shin with dagesh and sin
// dot before a point and a holam, any high byte, CR LF, ASCII.
std::vector<uint8_t> MixedText(std::mt19937& random, std::size_t pieces) {
  std::vector<uint8_t> text;
  auto pick = [&](int lo, int hi) { return static_cast<uint8_t>(lo + static_cast<int>(random() % (hi - lo + 1))); };
  for (std::size_t p = 0; p < pieces; ++p) {
    switch (random() % 9) {
      case 0:
      case 1: {
        text.push_back(pick(0xE0, 0xFA));
        const int points = static_cast<int>(random() % 5);
        for (int k = 0; k < points; ++k) text.push_back(pick(0xC0, 0xD3));
        break;
      }
      case 2:
        text.push_back(pick(0x81, 0x9B));
        if (random() % 2) text.push_back(pick(0xC0, 0xD3));
        break;
      case 3:
        text.push_back(random() % 2 ? kShin : pick(0x81, 0x9B));
        if (random() % 2) text.push_back(pick(0xC0, 0xD3));
        text.push_back(kHolam);
        break;
      case 4:
        text.insert(text.end(), {0x99, pick(0xC0, 0xD3), kHolam});
        break;
      case 5:
        text.push_back(pick(0x80, 0xFF));
        break;
      case 6:
        text.insert(text.end(), {'\r', '\n'});
        break;
      case 7:
        text.push_back(pick(0, 31));
        break;
      default:
        for (int k = 0; k < 1 + static_cast<int>(random() % 12); ++k) text.push_back(pick('a', 'z'));
        break;
    }
  }
  return text;
}

// A table with any bytes, a sixteenth of them the composition mark.
ConvTableBytes RandomTable(std::mt19937& random) {
  ConvTableBytes t{};
  for (auto& b : t) b = random() % 16 == 0 ? kComposeMark : static_cast<uint8_t>(random());
  return t;
}

// ConvertBytes against the byte-by-byte conversion, from an empty output and
// after a prefix of converted text that composition may reach back into.
void ExpectSameAsStepwise(const ConvSettings& s, const std::vector<uint8_t>& in, const std::vector<uint8_t>& prefix,
                          const char* what) {
  std::vector<uint8_t> fast = prefix;
  ConvertBytes(s, in, fast);
  std::vector<uint8_t> slow = prefix;
  ConvertBytesByStep(s, in, slow);
  ASSERT_EQ(fast, slow) << what << (s.out ? " out" : " in") << ", " << in.size() << " bytes after "
                        << prefix.size();
  if (prefix.empty()) {
    std::vector<uint8_t> inPlace = in;
    if (const auto size = ConvertBytesInPlace(s, inPlace)) {
      inPlace.resize(*size);
      ASSERT_EQ(inPlace, slow) << what << " in place";
    } else {
      ASSERT_TRUE(s.out) << what << ": going in converts in place";
    }
  }
}

// The savers' one-pass writing against decomposition byte by byte followed
// by the canonical order over the whole output.
void ExpectWrittenAsByPasses(const ConvSettings& s, const std::vector<uint8_t>& in, const char* what) {
  std::vector<uint8_t> fast = {0x41};  // emptied first
  WriteCp1255Runs(s, in, fast);
  std::vector<uint8_t> slow;
  ConvertBytesByStep(s, in, slow);
  PutPointsInCanonicalOrder(slow);
  ASSERT_EQ(fast, slow) << what << ", " << in.size() << " bytes";
}

class ConversionRuns : public test::ConversionTest {
 protected:
  // The shipped mode 2 table of one direction.
  ConvSettings Shipped(bool out) {
    tables_[out ? 1 : 0].emplace(kConvCp1255, out);
    return tables_[out ? 1 : 0]->Settings();
  }
  std::optional<PreparedConv> tables_[2];
};

TEST_F(ConversionRuns, SameAsStepwiseWithTheShippedTables) {
  std::mt19937 random(1255);
  for (bool out : {false, true}) {
    const ConvSettings s = Shipped(out);
    ASSERT_EQ(s.table[out ? 0x98 : kDagesh], kComposeMark);
    for (int round = 0; round < 300; ++round) {
      const std::vector<uint8_t> text = MixedText(random, 1 + random() % 60);
      ExpectSameAsStepwise(s, text, {}, "shipped table");
      ExpectSameAsStepwise(s, text, MixedText(random, 1 + random() % 4), "shipped table");
      if (out) ExpectWrittenAsByPasses(s, text, "shipped table");
    }
    // One long text crosses the chunks the output grows by.
    ExpectSameAsStepwise(s, MixedText(random, 40000), {}, "long text");
    if (out) ExpectWrittenAsByPasses(s, MixedText(random, 40000), "long text");
  }
}

TEST_F(ConversionRuns, SameAsStepwiseWithAnyTable) {
  std::mt19937 random(9);
  for (int round = 0; round < 400; ++round) {
    const ConvTableBytes table = RandomTable(random);
    ConvSettings s;
    s.mode = kConvCp1255;
    s.out = round % 2 == 0;
    s.table = table.data();
    if (round % 5 == 0) std::swap(s.shin_dot, s.sin_dot);
    const std::vector<uint8_t> text = MixedText(random, 1 + random() % 80);
    ExpectSameAsStepwise(s, text, {}, "random table");
    ExpectSameAsStepwise(s, text, MixedText(random, 3), "random table");
    if (s.out) ExpectWrittenAsByPasses(s, text, "random table");
  }
}

TEST_F(ConversionRuns, ShippedTablesOnFixedTexts) {
  struct Case {
    const char* what;
    bool out;
    std::vector<uint8_t> prefix;
    std::vector<uint8_t> in;
    std::vector<uint8_t> expected;
  };
  const std::vector<Case> cases = {
      {"a dagesh reaches back into the converted text over its vowels", false, V({0xE1, 0xC8}), V({0xCC}),
       V({0x81, 0xC8})},
      {"a holam after converted holam-less shin text", false, V({0xE5}), V({0xC9, 'a'}), V({0x8D, 'a'})},
      {"a point after a holam goes before it", false, {}, V({0xE0, 0xC9, 0xC8}), V({0xE0, 0xC8, 0xC9})},
      {"two holams kept in a row of shins", true, {}, V({0x99, 0xC8, 0xC9, 0x99, 0xC8, 0xC9}),
       V({0xF9, 0xCC, 0xD2, 0xC8, 0xC9, 0xF9, 0xCC, 0xD2, 0xC8, 0xC9})},
      {"a shin before the holam at the start of the input", true, V({0xF9}), V({0xC9}), V({0xF9, 0xC9})},
      // After a first mark, pointed text is read by the state of its letter;
      // each of these leaves that reading for the composing code.
      {"a mark met twice on one letter", false, {}, V({0xE1, 0xCC, 0xE2, 0xCC, 0xCC, 'a'}),
       V({0x81, 0x82, 0xCC, 'a'})},
      {"a holam after a vowel", false, {}, V({0xE1, 0xCC, 0xE5, 0xC8, 0xC9, 0xE5, 0xC9}),
       V({0x81, 0xE5, 0xC8, 0xC9, 0x8D})},
      {"a point after a final kaf", false, {}, V({0xE1, 0xCC, 0xEA, 0xC8, 0xEA, 0xC0}), V({0x81, 0x92, 0x87})},
      {"four vowels before a dagesh", false, {}, V({0xE1, 0xCC, 0xE1, 0xC0, 0xC1, 0xC2, 0xC3, 0xCC}),
       V({0x81, 0x81, 0xC0, 0xC1, 0xC2, 0xC3})},
      {"a point after a holam written", false, {}, V({0xE1, 0xCC, 0xE2, 0xC9, 0xC8, 0xE2}),
       V({0x81, 0xE2, 0xC8, 0xC9, 0xE2})},
      {"dagesh and dots in either order", false, {}, V({0xE1, 0xCC, 0xF9, 0xC8, 0xD1, 0xCC, 0xF9, 0xCC, 0xD2}),
       V({0x81, 0x98, 0xC8, 0x99})},
  };
  for (const auto& c : cases) {
    const ConvSettings s = Shipped(c.out);
    std::vector<uint8_t> got = c.prefix;
    ConvertBytes(s, c.in, got);
    std::vector<uint8_t> want = c.expected;
    EXPECT_EQ(got, want) << c.what;
    ExpectSameAsStepwise(s, c.in, c.prefix, c.what);
  }
}

}  // namespace
}  // namespace nuvel
