#include <gtest/gtest.h>

#include "textsearch/meter_layout.h"

namespace nuvel {
namespace {

TEST(MeterLayout, TextAndFill) {
  const struct {
    int width, height;
    bool single, ctl3d;
    TMeterOrientation o;
    int percent;
    const char* text;
    int used, unused;
  } cases[] = {
      // 200 wide with a 3-D border: a 196-pixel bar.
      {200, 24, true, true, TMeterOrientation::moHorizontal, 33, "33%", 64, 131},
      {200, 24, true, true, TMeterOrientation::moHorizontal, 150, "100%", 196, 0},
      {200, 24, true, true, TMeterOrientation::moHorizontal, -5, "0%", 0, 196},
      {200, 24, true, true, TMeterOrientation::moHorizontal, 1, "1%", 0, 196},  // 1 pixel counts as nothing
      {200, 24, true, true, TMeterOrientation::moHorizontal, 99, "99%", 193, 2},  // at most length - 3
      {200, 24, true, false, TMeterOrientation::moHorizontal, 50, "50%", 99, 98},  // plain border: 198
      {200, 24, false, true, TMeterOrientation::moHorizontal, 50, "50%", 100, 99},  // no border: 200
      {24, 104, true, true, TMeterOrientation::moVertical, 25, "25%", 25, 74},
  };
  for (const auto& c : cases) {
    const MeterLayout m = LayOutMeter(c.width, c.height, c.single, c.ctl3d, c.o, c.percent);
    EXPECT_EQ(m.text, c.text) << c.percent;
    EXPECT_EQ(m.used, c.used) << c.percent;
    EXPECT_EQ(m.unused, c.unused) << c.percent;
  }
}

TEST(MeterLayout, PartsLieInsideTheFrame) {
  const MeterLayout h = LayOutMeter(200, 24, true, true, TMeterOrientation::moHorizontal, 50);
  EXPECT_EQ(h.bar, (MeterRect{2, 2, 198, 22}));
  EXPECT_EQ(h.usedRect, (MeterRect{2, 2, 100, 22}));  // from the left
  EXPECT_EQ(h.unusedRect, (MeterRect{100, 2, 198, 22}));
  const MeterLayout v = LayOutMeter(24, 104, true, true, TMeterOrientation::moVertical, 25);
  EXPECT_EQ(v.usedRect, (MeterRect{2, 77, 22, 102}));  // at the bottom
  EXPECT_EQ(v.unusedRect, (MeterRect{2, 2, 22, 77}));
  const MeterLayout full = LayOutMeter(200, 24, true, true, TMeterOrientation::moHorizontal, 100);
  EXPECT_TRUE(full.unusedRect.Empty());
  const MeterLayout empty = LayOutMeter(200, 24, true, true, TMeterOrientation::moHorizontal, 0);
  EXPECT_TRUE(empty.usedRect.Empty());
  EXPECT_EQ(empty.unusedRect, h.bar);
}

}  // namespace
}  // namespace nuvel
