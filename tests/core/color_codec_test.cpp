#include "core/color_codec.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(ColorCodecTest, StoredTextReadsBack) {
  const struct {
    TColor color;
    const char* text;
  } cases[] = {
      {clBlack, "0"},
      {clWhite, "16777215"},
      {clNavy, "8388608"},
      {ColorOfRgb(0x12, 0x34, 0x56), "5649426"},
      {clWindow, "-2147483643"},
      {clWindowText, "-2147483640"},
      {clHighlight, "-2147483635"},
      {clHighlightText, "-2147483634"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StoredColorText(c.color), c.text);
    EXPECT_EQ(ParseStoredColor(c.text), c.color);
  }
}

TEST(ColorCodecTest, ParseTakesOnlyColours) {
  const struct {
    const char* text;
    std::optional<TColor> expected;
  } cases[] = {
      {" 255 ", clRed},
      {"2147483653", clWindow},        // the system colour written unsigned
      {"-2147483624", SystemColor(24)},  // the last system colour
      {"-2147483623", std::nullopt},   // past the system colours
      {"16777216", std::nullopt},      // above 0xFFFFFF
      {"-1", std::nullopt},
      {"", std::nullopt},
      {"clWindow", std::nullopt},
      {"12abc", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseStoredColor(c.text), c.expected);
  }
}

TEST(ColorCodecTest, SystemColoursHaveTheirPaletteRoles) {
  const struct {
    TColor color;
    ColorRole role;
  } cases[] = {
      {clWindow, ColorRole::Window},
      {clWindowText, ColorRole::WindowText},
      {clHighlight, ColorRole::Highlight},
      {clHighlightText, ColorRole::HighlightText},
      {clBtnFace, ColorRole::Face},
      {clBtnText, ColorRole::FaceText},
      {clGrayText, ColorRole::GrayText},
      {SystemColor(2), ColorRole::None},  // the active caption keeps the scheme
      {clYellow, ColorRole::None},
      {clBlack, ColorRole::None},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorRoleOf(c.color), c.role) << c.color;
}

TEST(ColorCodecTest, RgbOfFixedAndSystemColours) {
  EXPECT_EQ(SplitColorRGB(clOlive), (TRgb{0x80, 0x80, 0x00}));
  EXPECT_EQ(SplitColorRGB(clAqua), (TRgb{0x00, 0xFF, 0xFF}));
  EXPECT_EQ(SplitColorRGB(ColorOfRgb(1, 2, 3)), (TRgb{1, 2, 3}));
  EXPECT_EQ(SplitColorRGB(clWindow), (TRgb{0xFF, 0xFF, 0xFF}));
}

}  // namespace
}  // namespace nuvel
