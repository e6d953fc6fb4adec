#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "textsearch/spin_edit_text.h"
#include "textsearch/spinner_press.h"

namespace nuvel {
namespace {

using S = TNvcSpinnerStyle;

struct HitCase {
  S style;
  int w, h, x, y;
  TNvcSpinState expected;
};

TEST(SpinnerRegions, AreasOfEveryStyle) {
  const HitCase cases[] = {
      // Vertical halves; the last column and row lie outside both rectangles.
      {S::stNormalVertical, 16, 25, 5, 2, ssUp},
      {S::stNormalVertical, 16, 25, 5, 11, ssUp},
      {S::stNormalVertical, 16, 25, 5, 12, ssDown},
      {S::stNormalVertical, 16, 25, 5, 23, ssDown},
      {S::stNormalVertical, 16, 25, 5, 24, ssNormal},
      {S::stNormalVertical, 16, 25, 15, 3, ssNormal},
      // Horizontal halves: left and right.
      {S::stNormalHorizontal, 30, 16, 3, 8, ssLeft},
      {S::stNormalHorizontal, 30, 16, 13, 8, ssLeft},
      {S::stNormalHorizontal, 30, 16, 14, 8, ssRight},
      {S::stNormalHorizontal, 30, 16, 28, 8, ssRight},
      // Four triangles meeting in the centre.
      {S::stFourWay, 30, 30, 15, 3, ssUp},
      {S::stFourWay, 30, 30, 15, 27, ssDown},
      {S::stFourWay, 30, 30, 3, 15, ssLeft},
      {S::stFourWay, 30, 30, 27, 15, ssRight},
      // The star: points and a centre square.
      {S::stStar, 30, 30, 15, 4, ssUp},
      {S::stStar, 30, 30, 15, 26, ssDown},
      {S::stStar, 30, 30, 3, 15, ssLeft},
      {S::stStar, 30, 30, 26, 15, ssRight},
      {S::stStar, 30, 30, 15, 15, ssCentre},
      {S::stStar, 30, 30, 2, 2, ssNormal},
      // Diagonals: upper-left and lower-right triangles.
      {S::stDiagonalVertical, 20, 20, 3, 3, ssUp},
      {S::stDiagonalVertical, 20, 20, 16, 16, ssDown},
      {S::stDiagonalHorizontal, 20, 20, 3, 3, ssLeft},
      {S::stDiagonalHorizontal, 20, 20, 16, 16, ssRight},
      // Diagonal four-way: strips at the sides, triangles between them.
      {S::stDiagonalFourWay, 40, 20, 3, 10, ssLeft},
      {S::stDiagonalFourWay, 40, 20, 35, 10, ssRight},
      {S::stDiagonalFourWay, 40, 20, 12, 2, ssUp},
      {S::stDiagonalFourWay, 40, 20, 28, 17, ssDown},
      // The plain star: four quadrilaterals, no centre area.
      {S::stPlainStar, 30, 30, 15, 6, ssUp},
      {S::stPlainStar, 30, 30, 15, 24, ssDown},
      {S::stPlainStar, 30, 30, 5, 15, ssLeft},
      {S::stPlainStar, 30, 30, 25, 15, ssRight},
      {S::stPlainStar, 30, 30, 1, 1, ssNormal},
  };
  for (const HitCase& c : cases) {
    const SpinnerRegions r = BuildSpinnerRegions(c.style, c.w, c.h);
    EXPECT_EQ(SpinnerHitTest(r, c.w, c.h, c.x, c.y, true), c.expected)
        << "style " << static_cast<int>(c.style) << " at " << c.x << "," << c.y;
  }
}

TEST(SpinnerRegions, OutsideAndNotPressed) {
  const SpinnerRegions r = BuildSpinnerRegions(S::stNormalVertical, 16, 25);
  EXPECT_EQ(SpinnerHitTest(r, 16, 25, -1, 5, true), ssOutside);
  EXPECT_EQ(SpinnerHitTest(r, 16, 25, 5, 25, true), ssOutside);
  EXPECT_EQ(SpinnerHitTest(r, 16, 25, 16, 5, false), ssOutside);
  EXPECT_EQ(SpinnerHitTest(r, 16, 25, 5, 2, false), ssNormal);
  // Styles without a centre have none; the star has one.
  EXPECT_TRUE(r.areas[4].Empty());
  EXPECT_FALSE(BuildSpinnerRegions(S::stStar, 30, 30).areas[4].Empty());
  EXPECT_TRUE(BuildSpinnerRegions(S::stNormalHorizontal, 30, 16).areas[0].Empty());
}

// A spinner on a fake clock that records every step.
struct Clocked {
  Clocked() {
    press.SetGeometry(S::stNormalVertical, 16, 25);
    press.OnStep = [this](TNvcSpinState s) {
      steps.push_back({now, s});
      return true;
    };
  }
  // Holds the button for `ms` milliseconds, running each pass when the
  // press asks for it, the pointer at (x, y).
  void Hold(uint32_t ms, int x = 5, int y = 3) {
    const uint32_t until = now + ms;
    while (press.Held()) {
      const uint32_t next = now + press.NextDelay(now);
      if (next > until) break;
      now = next;
      press.Repeat(x, y, now);
    }
    now = until;
  }
  std::vector<uint32_t> Times() const {
    std::vector<uint32_t> t;
    for (const auto& s : steps) t.push_back(s.first - start);
    return t;
  }
  TNvcSpinnerPress press;
  uint32_t start = 100000;
  uint32_t now = 100000;
  std::vector<std::pair<uint32_t, TNvcSpinState>> steps;
};

TEST(SpinnerRepeat, AcceleratesFromTheDelayTime) {
  Clocked c;
  c.press.MouseDown(5, 3, c.now);
  c.Hold(3000);
  // Waits of 500, 450, 400 ... then steady at the floor delay.
  const std::vector<uint32_t> t = c.Times();
  ASSERT_GE(t.size(), 12u);
  const std::vector<uint32_t> firstTen(t.begin(), t.begin() + 10);
  EXPECT_EQ(firstTen, (std::vector<uint32_t>{0, 501, 952, 1353, 1704, 2005, 2256, 2457, 2608, 2709}));
  for (size_t i = 12; i < t.size(); ++i) EXPECT_EQ(t[i] - t[i - 1], TNvcSpinnerPress::kFloorDelayMs);
  for (const auto& s : c.steps) EXPECT_EQ(s.second, ssUp);
}

TEST(SpinnerRepeat, SettingsChangeTheSchedule) {
  {
    Clocked c;  // no acceleration: a constant rate
    ASSERT_TRUE(c.press.SetAcceleration(0));
    c.press.DelayTime = 200;
    c.press.MouseDown(5, 3, c.now);
    c.Hold(1000);
    EXPECT_EQ(c.Times(), (std::vector<uint32_t>{0, 201, 402, 603, 804}));
  }
  {
    Clocked c;  // 11 is refused
    EXPECT_FALSE(c.press.SetAcceleration(11));
    EXPECT_EQ(c.press.Acceleration(), 5);
  }
  {
    Clocked c;  // no auto repeat: one step however long
    c.press.AutoRepeat = false;
    c.press.MouseDown(5, 3, c.now);
    c.Hold(5000);
    EXPECT_EQ(c.steps.size(), 1u);
  }
  {
    Clocked c;  // the star's centre steps once and never repeats
    c.press.SetGeometry(S::stStar, 30, 30);
    c.press.MouseDown(15, 15, c.now);
    c.Hold(5000, 15, 15);
    ASSERT_EQ(c.steps.size(), 1u);
    EXPECT_EQ(c.steps[0].second, ssCentre);
  }
}

TEST(SpinnerRepeat, PointerMovesChangeTheStep) {
  Clocked c;
  c.press.MouseDown(5, 3, c.now);
  c.Hold(600, 5, 3);  // up at 0 and 501
  c.press.MouseMove(5, 20);
  EXPECT_EQ(c.press.State(), ssDown);
  EXPECT_EQ(c.press.PreviousState(), ssUp);
  c.Hold(500, 5, 20);  // the next step goes down without a new press
  ASSERT_EQ(c.steps.size(), 3u);
  EXPECT_EQ(c.steps[0].second, ssUp);
  EXPECT_EQ(c.steps[1].second, ssUp);
  EXPECT_EQ(c.steps[2].second, ssDown);

  c.press.MouseMove(40, 20);  // outside: no steps until the pointer returns
  EXPECT_EQ(c.press.State(), ssOutside);
  EXPECT_FALSE(c.press.Pressed());
  c.Hold(2000, 40, 20);
  EXPECT_EQ(c.steps.size(), 3u);
  c.press.MouseMove(5, 20);
  EXPECT_TRUE(c.press.Pressed());
  c.Hold(100, 5, 20);
  ASSERT_EQ(c.steps.size(), 4u);
  EXPECT_EQ(c.steps[3].second, ssDown);

  c.press.MouseUp();
  EXPECT_EQ(c.press.State(), ssNormal);
  EXPECT_FALSE(c.press.Held());
  c.press.Repeat(5, 20, c.now + 10000);
  EXPECT_EQ(c.steps.size(), 4u);
}

TEST(SpinnerRepeat, NothingToStepKeepsTheSchedule) {
  TNvcSpinnerPress p;
  p.SetGeometry(S::stNormalVertical, 16, 25);
  p.OnStep = [](TNvcSpinState) { return false; };
  p.MouseDown(5, 3, 1000);
  EXPECT_EQ(p.RepeatCount(), 0);
  EXPECT_EQ(p.NextTick(), 999u);
  // A clock that wrapped around still compares by the signed difference.
  TNvcSpinnerPress q;
  q.SetGeometry(S::stNormalVertical, 16, 25);
  int steps = 0;
  q.OnStep = [&steps](TNvcSpinState) { return ++steps, true; };
  q.MouseDown(5, 3, 0xFFFFFF00u);
  q.Repeat(5, 3, 0x10u);  // 272 ms later: not due yet
  EXPECT_EQ(steps, 1);
  q.Repeat(5, 3, 0x200u);  // 768 ms later: due
  EXPECT_EQ(steps, 2);
}

TEST(SpinEditText, StepsNumbersOnly) {
  const struct {
    const char* text;
    TNvcSpinState state;
    double delta;
    std::optional<std::string> expected;
  } cases[] = {
      {"5", ssUp, 1, "6"},
      {"5", ssDown, 1, "4"},
      {" 2.5 ", ssUp, 0.1, "2.6"},
      {"1.1", ssUp, 1, "2.1"},
      {"-0.5", ssUp, 0.5, "0"},
      {"1e3", ssUp, 1, "1001"},
      {"abc", ssUp, 1, std::nullopt},
      {"", ssUp, 1, std::nullopt},
      {"12abc", ssDown, 1, std::nullopt},
      {"inf", ssUp, 1, std::nullopt},
      {"5", ssLeft, 1, std::nullopt},
      {"5", ssCentre, 1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SpinEditText(c.text, c.state, c.delta), c.expected) << c.text;
}

}  // namespace
}  // namespace nuvel
