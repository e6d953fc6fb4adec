#include "tools/wizard_panel.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(WizardPanel, RampStepsRoundToTheNearest) {
  const PanelRgb blue{0, 0, 255}, navy{0, 0, 128};
  EXPECT_EQ(RampColor(blue, navy, 0), blue);
  EXPECT_EQ(RampColor(blue, navy, 1), (PanelRgb{0, 0, 254}));  // 255 - 1.27
  EXPECT_EQ(RampColor(blue, navy, 50), (PanelRgb{0, 0, 192}));  // 255 - 63.5, to the nearest
  EXPECT_EQ(RampColor(blue, navy, 99), (PanelRgb{0, 0, 129}));
  EXPECT_EQ(RampColor({10, 20, 30}, {110, 20, 0}, 10), (PanelRgb{20, 20, 27}));
}

TEST(WizardPanel, BackgroundBandsByEffect) {
  const PanelRgb color{0, 0, 255}, fade{0, 0, 128};
  const auto flat = PanelBackground(PanelEffect::Flat, 100, 200, color, fade);
  ASSERT_EQ(flat.size(), 1u);
  EXPECT_EQ(flat[0].rect, (PanelRect{0, 0, 100, 200}));

  const auto left = PanelBackground(PanelEffect::Left, 100, 200, color, fade);
  ASSERT_EQ(left.size(), 100u);
  EXPECT_EQ(left[0].color, color);  // left edge: the colour
  EXPECT_EQ(left[99].color, RampColor(color, fade, 99));
  EXPECT_EQ(left[37].rect, (PanelRect{37, 0, 63, 200}));  // to the far edge

  const auto down = PanelBackground(PanelEffect::Down, 100, 200, color, fade);
  EXPECT_EQ(down[0].color, fade);  // top: the fade colour
  EXPECT_EQ(down[50].rect, (PanelRect{0, 100, 100, 100}));
  const auto up = PanelBackground(PanelEffect::Up, 100, 200, color, fade);
  EXPECT_EQ(up[0].color, color);
  const auto right = PanelBackground(PanelEffect::Right, 100, 200, color, fade);
  EXPECT_EQ(right[0].color, fade);
}

TEST(WizardPanel, PictureBoxes) {
  // One large box: 50x100 into 120x300 is limited by the width less 10.
  const auto large = PanelPictureBoxes(PanelPicture::Large, 50, 100, 120, 300);
  ASSERT_EQ(large.size(), 1u);
  EXPECT_EQ(large[0], (PanelRect{5, 10, 110, 220}));
  // Three small boxes: a 32x32 picture in a 120-pixel panel.
  const auto small = PanelPictureBoxes(PanelPicture::SmallThree, 32, 32, 120, 300);
  ASSERT_EQ(small.size(), 3u);
  EXPECT_EQ(small[0], (PanelRect{19, 25, 32, 32}));
  EXPECT_EQ(small[1], (PanelRect{70, 25, 32, 32}));
  EXPECT_EQ(small[2], (PanelRect{44, 76, 32, 32}));
  // A picture wider than the width / 2.5 is scaled down to it.
  const auto scaled = PanelPictureBoxes(PanelPicture::SmallThree, 100, 50, 100, 300);
  EXPECT_EQ(scaled[0].width, 40);
  EXPECT_EQ(scaled[0].height, 20);
  EXPECT_TRUE(PanelPictureBoxes(PanelPicture::Large, 0, 10, 100, 100).empty());
}

TEST(WizardPanel, CaptionSitsAboveTheBottom) {
  EXPECT_EQ(PanelCaptionBox(120, 300, 40), (PanelRect{5, 250, 105, 40}));
}

}  // namespace
}  // namespace nuvel
