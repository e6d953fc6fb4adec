#include <gtest/gtest.h>

#include "core/border.h"
#include "core/color.h"
#include "core/color_pair.h"

namespace nuvel {
namespace {

TEST(ColorPair, AColourOffItsDefaultClearsUseDefaultAndUseDefaultRestoresBoth) {
  TNvcColors c(clWindowText, clWindow);
  int changes = 0;
  c.OnColorChange = [&] { ++changes; };
  EXPECT_TRUE(c.UseDefault());
  c.SetBackColor(clRed);
  EXPECT_FALSE(c.UseDefault());
  EXPECT_EQ(c.BackColor(), clRed);
  c.SetUseDefault(true);
  EXPECT_TRUE(c.UseDefault());
  EXPECT_EQ(c.BackColor(), clWindow);
  EXPECT_EQ(c.TextColor(), clWindowText);
  c.SetTextColor(clWindowText);  // unchanged: no event
  EXPECT_EQ(changes, 2);

  TNvcColors other(clHighlightText, clHighlight);
  other.SetTextColor(clBlue);
  c.Assign(other);
  EXPECT_EQ(c.TextColor(), clBlue);
  EXPECT_EQ(c.BackColor(), clHighlight);
  EXPECT_FALSE(c.UseDefault());
  EXPECT_EQ(c.DefaultBackColor(), clWindow);
}

TEST(Border, DefaultsAssignAndTheWidthFloor) {
  TNvcBorder b;
  EXPECT_FALSE(b.Enabled());
  EXPECT_EQ(b.PenColor(), clBlack);
  EXPECT_EQ(b.PenStyle(), TPenStyle::psSolid);
  EXPECT_EQ(b.PenWidth(), 2);
  int changes = 0;
  b.OnChange = [&] { ++changes; };
  b.SetPenWidth(0);
  EXPECT_EQ(b.PenWidth(), 2);
  EXPECT_EQ(changes, 0);

  TNvcBorders source;
  source.TopBorder.SetEnabled(true);
  source.TopBorder.SetPenColor(clRed);
  source.TopBorder.SetPenWidth(3);
  source.TopBorder.SetPenStyle(TPenStyle::psDot);
  source.TopBorder.SetBorderStyle(TBorderLineStyle::bsDouble);
  TNvcBorders target;
  EXPECT_FALSE(target.AnyEnabled());
  target.Assign(source);
  EXPECT_TRUE(target.AnyEnabled());
  EXPECT_TRUE(target.TopBorder.Enabled());
  EXPECT_EQ(target.TopBorder.PenColor(), clRed);
  EXPECT_EQ(target.TopBorder.PenWidth(), 3);
  EXPECT_EQ(target.TopBorder.PenStyle(), TPenStyle::psDot);
  // The line style is not part of what a border copies.
  EXPECT_EQ(target.TopBorder.BorderStyle(), TBorderLineStyle::bsSingle);
  EXPECT_FALSE(target.LeftBorder.Enabled());
}

TEST(Color, SplitColorRgbResolvesSystemColours) {
  EXPECT_EQ(SplitColorRGB(0x00336699), (TRgb{0x99, 0x66, 0x33}));
  EXPECT_EQ(SplitColorRGB(clWindow), (TRgb{0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(SplitColorRGB(clWindowText), (TRgb{0, 0, 0}));
  EXPECT_EQ(SplitColorRGB(clHighlight), (TRgb{0x0A, 0x24, 0x6A}));
  EXPECT_EQ(SplitColorRGB(SystemColor(200)), (TRgb{0, 0, 0}));
}

}  // namespace
}  // namespace nuvel
