#include "formats/form_losses.h"

#include <gtest/gtest.h>

#include <map>

#include "core/conv_engine.h"
#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

class FormLossesTest : public FormatsTest {};

// The losses as a map of point byte to count.
std::map<int, uint64_t> Lost(int mode, const TParagraphs& paras) {
  const TFormLosses losses = CountFormLosses(mode, static_cast<uint32_t>(paras.size()),
                                             [&paras](uint32_t i) { return std::span<const uint8_t>(paras[i]); });
  std::map<int, uint64_t> out;
  for (std::size_t k = 0; k < kPointKinds; ++k) {
    if (losses.points[k] != 0) out[static_cast<int>(kFirstPoint + k)] = losses.points[k];
  }
  EXPECT_EQ(losses.Any(), !out.empty());
  return out;
}

// Points of the system's set through the DOS conversion of .NVS and the
// entities of 3B2, each converted out and read back; the mode in use is
// the same afterwards.
TEST_F(FormLossesTest, PointsTheFormCannotHoldAreCountedByKind) {
  constexpr int kBet = 0xE1, kVav = 0xE5, kLamed = 0xEC, kShin = 0xF9, kAlef = 0xE0;
  constexpr int kDagesh = 0xCC, kShinDot = 0xD1, kSinDot = 0xD2, kHolam = 0xC9, kQamats = 0xC8;
  constexpr int kHatafSegol = 0xC1, kQubuts = 0xCB;
  struct Case {
    const char* what;
    int mode;
    TParagraphs paras;
    std::map<int, uint64_t> lost;
  } cases[] = {
      {"unpointed", kConvNuvelDos, {B({kShin, kLamed, kVav, 0xED}), B("text 12")}, {}},
      // The document holds pointed letters of the system's own where it has them.
      {"dagesh", kConvNuvelDos, {B({0x81, kQamats}), B({0x81}), B({0x9A})}, {{kDagesh, 3}}},
      {"shin and sin dots", kConvNuvelDos, {B({0x95, 0x9B, 0x9B})}, {{kShinDot, 1}, {kSinDot, 2}}},
      {"holam on vav and lamed", kConvNuvelDos, {B({0x8D, ' ', 0x8F})}, {{kHolam, 2}}},
      {"vowels DOS text holds", kConvNuvelDos, {B({kAlef, kQamats, ' ', kBet, kHatafSegol})}, {}},
      {"hataf segol", kConv3B2, {B({kAlef, kHatafSegol, kBet, kQubuts})}, {{kHatafSegol, 1}}},
      {"lone dagesh", kConv3B2, {B({'a', ' ', kDagesh})}, {{kDagesh, 1}}},
      {"pointed letters 3B2 holds", kConv3B2, {B({0x81, kQamats, 0x95, 0x8D})}, {}},
      {"Windows-1255 holds every point", kConvCp1255, {B({0x81, 0x95, 0x9B, 0x8D, 0x8F, kHatafSegol})}, {}},
      {"empty", kConv3B2, {B("")}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetConvMode(kConvCp1255);
    EXPECT_EQ(Lost(c.mode, c.paras), c.lost);
    EXPECT_EQ(GetConvMode(), kConvCp1255);
  }
}

}  // namespace
}  // namespace nuvel::test
