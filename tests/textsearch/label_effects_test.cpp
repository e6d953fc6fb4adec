#include <gtest/gtest.h>

#include <vector>

#include "textsearch/label_effects.h"

namespace nuvel {
namespace {

using A = TNvcAppearance;
using C = TNvcColorScheme;
using D = TNvcShadeDirection;

TEST(LabelEffects, AppearancePresets) {
  const struct {
    A appearance;
    D highlightDir, shadowDir;
    int highlightDepth, shadowDepth;
    TColor highlight;
  } cases[] = {
      {A::apNone, D::sdNone, D::sdNone, 0, 0, clWhite},
      {A::apFlying, D::sdDownRight, D::sdDownRight, 1, 5, clBlack},
      {A::apSunken, D::sdDownRight, D::sdUpLeft, 1, 1, clWhite},
      {A::apShadow, D::sdNone, D::sdDownRight, 0, 2, clWhite},
  };
  for (const auto& c : cases) {
    TNvcLabelEffects l;  // csWindows, apRaised
    l.SetAppearance(c.appearance);
    const TNvcCustomSettings& s = l.Settings();
    EXPECT_EQ(s.HighlightDirection(), c.highlightDir);
    EXPECT_EQ(s.ShadowDirection(), c.shadowDir);
    EXPECT_EQ(s.HighlightDepth(), c.highlightDepth);
    EXPECT_EQ(s.ShadowDepth(), c.shadowDepth);
    EXPECT_EQ(s.HighlightColor(), c.highlight);
    EXPECT_EQ(l.Appearance(), c.appearance);
    // The closing notifications leave the scheme custom.
    EXPECT_EQ(l.ColorScheme(), C::csCustom);
  }
}

TEST(LabelEffects, SchemesAndHandChanges) {
  TNvcLabelEffects l;
  l.SetColorScheme(C::csGold);
  EXPECT_EQ(l.FontColor(), clOlive);
  EXPECT_EQ(l.Settings().HighlightColor(), clYellow);
  EXPECT_EQ(l.Appearance(), A::apCustom);
  l.Settings().SetShadowColor(clRed);
  EXPECT_EQ(l.ColorScheme(), C::csCustom);
  l.SetColorScheme(C::csSteel);
  l.SetColorScheme(C::csCustom);
  EXPECT_EQ(l.Settings().ShadowColor(), clNavy);
  EXPECT_EQ(l.Settings().HighlightColor(), clAqua);
  EXPECT_EQ(l.FontColor(), clTeal);

  TNvcLabelEffects m;
  m.SetAppearance(A::apSunken);
  m.SetColorScheme(C::csGold);
  EXPECT_EQ(m.Appearance(), A::apCustom);
  EXPECT_EQ(m.Settings().HighlightDirection(), D::sdDownRight);
  EXPECT_EQ(m.Settings().ShadowDirection(), D::sdUpLeft);
  m.Settings().SetShadowDepth(3);
  EXPECT_EQ(m.Appearance(), A::apCustom);

  TNvcLabelEffects loading;
  loading.Loading = true;
  loading.Settings().SetShadowColor(clRed);
  loading.Settings().SetShadowDepth(4);
  EXPECT_EQ(loading.ColorScheme(), C::csWindows);
  EXPECT_EQ(loading.Appearance(), A::apRaised);
}

TEST(LabelEffects, CopiesStayInsideTheLabel) {
  TNvcLabelEffects l;  // raised: highlight up-left 1, shadow down-right 1
  int shift = -1;
  std::vector<LabelCopy> copies = LabelCopies(l.Settings(), l.FontColor(), TLabelAlignment::Left, shift);
  EXPECT_EQ(copies, (std::vector<LabelCopy>{{{2, 2}, clBlack}, {{0, 0}, clWhite}, {{1, 1}, clGray}}));
  EXPECT_EQ(shift, 0);
  LabelCopies(l.Settings(), l.FontColor(), TLabelAlignment::Center, shift);
  EXPECT_EQ(shift, 1);
  LabelCopies(l.Settings(), l.FontColor(), TLabelAlignment::Right, shift);
  EXPECT_EQ(shift, 2);

  // A graduated shadow three deep: one copy a step, from the shade colour
  // at the deepest to the font colour at step 1.
  TNvcLabelEffects g;
  g.SetAppearance(A::apShadow);
  g.Settings().SetShadowDepth(3);
  g.Settings().SetShadowStyle(TNvcShadeStyle::ssGraduated);
  g.Settings().SetShadowColor(clBlack);
  g.SetFontColor(clWhite);
  copies = LabelCopies(g.Settings(), g.FontColor(), TLabelAlignment::Left, shift);
  ASSERT_EQ(copies.size(), 4u);
  EXPECT_EQ(copies[0], (LabelCopy{{3, 3}, clBlack}));
  EXPECT_EQ(copies[1], (LabelCopy{{2, 2}, 0x808080}));
  EXPECT_EQ(copies[2], (LabelCopy{{1, 1}, clWhite}));
  EXPECT_EQ(copies[3], (LabelCopy{{0, 0}, clWhite}));
}

}  // namespace
}  // namespace nuvel
